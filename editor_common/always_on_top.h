// An editor's Always on Top setting: read from its option once, when the
// window object is built, and written as "0" or "1" each time it is toggled.
// The window layer makes the window topmost or not to match.
#pragma once

#include <string_view>

#include "foundation/option_store.h"

namespace tarnwick {

class AlwaysOnTopSetting {
public:
    enum class Read { Reporting, Quietly };  // whether a damaged option file is reported

    AlwaysOnTopSetting(OptionStore options, std::u16string_view key, Read read);

    bool on() const { return on_; }
    // Flips the setting and writes it; the new setting. A write that fails
    // leaves the file as it was and the setting flipped for this run.
    bool toggle();

private:
    OptionStore options_;
    std::u16string_view key_;
    bool on_;
};

}  // namespace tarnwick

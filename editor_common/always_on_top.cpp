#include "editor_common/always_on_top.h"

#include "foundation/text_file.h"

namespace tarnwick {

AlwaysOnTopSetting::AlwaysOnTopSetting(OptionStore options, std::u16string_view key, Read read)
    : options_(std::move(options)),
      key_(key),
      on_(OptionInteger(read == Read::Reporting ? options_.ReadOption(key_) : options_.ReadOptionQuietly(key_)) != 0) {}

bool AlwaysOnTopSetting::toggle() {
    on_ = !on_;
    try {
        options_.WriteInteger(key_, on_ ? 1 : 0);
    } catch (const CTextFileException&) {
        // Only the next start loses the choice; the window follows it now.
    }
    return on_;
}

}  // namespace tarnwick

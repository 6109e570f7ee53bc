// What an editor starts outside itself: a page of the vendor's web site for
// a Help command (a running browser's tab, else the browser), and the other
// editor from the program folder. A start that fails is told to the user in
// an error box with the system's reason.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "editor_common/editor_traits.h"
#include "foundation/message_catalogue.h"
#include "foundation/user_profile.h"
#include "foundation/window_signals.h"
#include "platform/launcher.h"
#include "platform/prompts.h"

namespace tarnwick {

// The page a Help command opens; nothing for another command.
std::optional<std::u16string_view> VendorPageAddress(const EditorTraits& traits, unsigned command);

// The command line that starts `program` from `folder`: the full path in
// quotes, so that a folder with blanks cannot start another program. Nothing
// for a folder the path could not be quoted from (empty, or holding a quote).
std::optional<std::u16string> ProgramCommandLine(std::u16string_view folder, std::u16string_view program);

class EditorLaunches {
public:
    EditorLaunches(const EditorTraits& traits, UserProfile& profile, WindowSignals& signals, Launcher& launcher,
                   const MessageCatalogue& catalogue = MessageCatalogue::Instance());

    // A Help command: opens its page; a browser that cannot be started is
    // reported (owner `owner`). False when the command is not a Help command.
    bool openVendorPage(unsigned command, WindowRef owner);

    // The other editor (Tools menu), from "FilePath". A missing program
    // folder is the profile's error and nothing is started; a start that
    // fails is reported. True when the program started.
    bool startOtherEditor(WindowRef owner);

private:
    void reportFailure(WindowRef owner, std::u16string_view what, std::u16string_view target,
                       std::u16string_view reason);

    const EditorTraits& traits_;
    UserProfile& profile_;
    WindowSignals& signals_;
    Launcher& launcher_;
    const MessageCatalogue& catalogue_;
};

}  // namespace tarnwick

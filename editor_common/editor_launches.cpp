#include "editor_common/editor_launches.h"

#include "cardtree/tree_path.h"
#include "editor_common/editor_texts.h"
#include "foundation/message_box.h"

namespace tarnwick {

std::optional<std::u16string_view> VendorPageAddress(const EditorTraits& traits, unsigned command) {
    for (const VendorPage& page : traits.vendorPages) {
        if (page.command == command) return page.address;
    }
    return std::nullopt;
}

std::optional<std::u16string> ProgramCommandLine(std::u16string_view folder, std::u16string_view program) {
    if (folder.empty() || folder.find(u'"') != std::u16string_view::npos) return std::nullopt;
    return u"\"" + JoinPath(folder, program) + u"\"";
}

EditorLaunches::EditorLaunches(const EditorTraits& traits, UserProfile& profile, WindowSignals& signals,
                               Launcher& launcher, const MessageCatalogue& catalogue)
    : traits_(traits),
      profile_(profile),
      signals_(signals),
      launcher_(launcher),
      catalogue_(catalogue) {}

bool EditorLaunches::openVendorPage(unsigned command, WindowRef owner) {
    const auto address = VendorPageAddress(traits_, command);
    if (!address) return false;
    if (!signals_.OpenPageInBrowser(*address)) {
        reportFailure(owner, editor_text::kBrowserStartFailed, *address, launcher_.lastFailureReason());
    }
    return true;
}

bool EditorLaunches::startOtherEditor(WindowRef owner) {
    const std::u16string folder = profile_.GetProgramFolder();
    // An empty folder was reported by the profile; without it the start would
    // look for the program at the root of the current drive.
    if (folder.empty()) return false;
    const std::u16string program = JoinPath(folder, traits_.otherEditorProgram);
    const auto commandLine = ProgramCommandLine(folder, traits_.otherEditorProgram);
    if (!commandLine) {
        reportFailure(owner, editor_text::kProgramStartFailed, program, editor_text::kInvalidProgramPath);
        return false;
    }
    if (launcher_.createProcess(*commandLine)) return true;
    reportFailure(owner, editor_text::kProgramStartFailed, program, launcher_.lastFailureReason());
    return false;
}

void EditorLaunches::reportFailure(WindowRef owner, std::u16string_view what, std::u16string_view target,
                                   std::u16string_view reason) {
    std::u16string text(what);
    text += target;
    text += u'\n';
    text += reason.empty() ? editor_text::kNoReasonGiven : reason;
    ShowMessageText(profile_.prompts(), owner, kErrorBox, text, catalogue_);
}

}  // namespace tarnwick

// What tells the Identity Editor and the Passcard Editor apart where they share
// code: window class and title, the library tree's flavour, the program each
// starts, the narrowest pane, where the window opens, the About text, the save
// question and the vendor pages behind the Help commands.
#pragma once

#include <span>
#include <string_view>

#include "cardtree/tree_flavour.h"
#include "foundation/message_box.h"

namespace tarnwick {

// Commands both editors have, by the same id.
namespace common_command {
inline constexpr unsigned kSave = 57603;
inline constexpr unsigned kExit = 57665;
inline constexpr unsigned kAbout = 57664;
inline constexpr unsigned kToolbar = 59392;
inline constexpr unsigned kStatusBar = 59393;
}  // namespace common_command

// Where the main window opens: half the screen each way.
enum class WindowPlacement { Centred, TopLeft };

// One Help command and the page of the vendor's site it opens.
struct VendorPage {
    unsigned command;
    std::u16string_view address;
};

struct EditorTraits {
    std::u16string_view windowClass;         // window_class::kIdentityEditor or kPasscardEditor
    std::u16string_view title;               // the main window's and the About box's first line
    const TreeFlavour& tree;                 // card extension, tree command ids, card notices
    std::u16string_view otherEditorProgram;  // started from the program folder
    int minimumPaneWidth;                    // neither splitter pane gets narrower
    WindowPlacement placement;
    std::u16string_view aboutExtraLine;  // after the version line; empty for none
    MessageBoxKind saveQuestionBox;
    std::u16string_view saveQuestionKey;
    std::span<const VendorPage> vendorPages;
};

const EditorTraits& IdentityEditorTraits();
const EditorTraits& PasscardEditorTraits();

// The vendor's web site.
inline constexpr std::u16string_view kVendorSite = u"http://www.tarnwick.com/";
inline constexpr std::u16string_view kVendorBlog = u"http://blog.tarnwick.com/";

}  // namespace tarnwick

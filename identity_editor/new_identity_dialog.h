// The rules of the New Identity dialog (resource 209): the name, the
// password-protection check box and its six hot keys, the folder chooser and
// its New Folder button, and what OK creates. The Win32 dialog forwards its
// controls' events here.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "cardtree/card_tree.h"
#include "cardtree/tree_context_menu.h"
#include "foundation/message_catalogue.h"
#include "foundation/user_profile.h"
#include "foundation/window_signals.h"
#include "cards/identity_record.h"
#include "platform/file_system.h"
#include "platform/hot_keys.h"
#include "platform/prompts.h"

namespace tarnwick {

inline constexpr unsigned kNewIdentityDialogResource = 209;
inline constexpr std::u16string_view kIdentityNameLabel = u"Identity Name :";
inline constexpr std::size_t kIdentityNameMaxChars = 260;
// "Create In..." grows the dialog by this much to show the folder chooser.
inline constexpr int kChooserExtraHeight = 190;

// The hot keys held while the dialog is open; each toggles the check box.
struct DialogHotKey {
    int id;
    unsigned modifiers;
    unsigned virtualKey;
};
inline constexpr unsigned kVirtualKeyP = 0x50;
inline constexpr unsigned kVirtualKeyF1 = 0x70;
inline constexpr std::array<DialogHotKey, 6> kNewIdentityHotKeys = {{
    {1000, kHotKeyControl, kVirtualKeyP},
    {1001, kHotKeyAlt, kVirtualKeyP},
    {1002, kHotKeyControl | kHotKeyShift, kVirtualKeyP},
    {1003, kHotKeyControl, kVirtualKeyF1},
    {1004, kHotKeyAlt, kVirtualKeyF1},
    {1005, kHotKeyControl | kHotKeyShift, kVirtualKeyF1},
}};

// The folder chooser's right-button menu NEWFILETREE and its commands.
inline constexpr unsigned kChooserDeleteFolder = 32807;
inline constexpr unsigned kChooserRenameFolder = 32808;
// NEWFILETREE for a folder other than the chooser's root; no entries (no menu) for the root.
TreeContextMenu ChooserContextMenu(ItemKind kind);
// Its commands on the chooser's tree: "&Delete" deletes the folder, "&Rename..."
// renames it, as the library tree's Delete Folder and Rename Folder do. False
// for another id or for the root.
bool RunChooserCommand(CardTree& chooser, unsigned id, const TreeSelection& selected);

class NewIdentityDialog {
public:
    // The check box starts as "[IDENTITYPROTECT]" says.
    NewIdentityDialog(UserProfile& profile, IdentityRecord& record, WindowSignals& signals,
                      FileSystem& files = NativeFileSystem(),
                      const MessageCatalogue& catalogue = MessageCatalogue::Instance());

    // OK is enabled while the name is not empty.
    static bool okEnabled(std::u16string_view typedName) { return !typedName.empty(); }

    bool protect() const { return protect_; }
    void toggleProtect() { protect_ = !protect_; }
    // The window layer's hot-key message: true for one of the dialog's keys (the box toggled).
    bool hotKey(int id);

    // The chooser shown with its selected folder, or hidden (nothing).
    void setChooserFolder(std::optional<std::u16string> folder) { chooserFolder_ = std::move(folder); }
    // New Folder: "New Folder", or "New Folder - 1", "- 2"... (the first free
    // name) in `parent`, announced to the tray. Its path, or nothing when it
    // could not be made (reported, owner `dialog`).
    std::optional<std::u16string> newFolder(WindowRef dialog, const std::u16string& parent);

    // OK with the typed name: true closes the dialog, the card made at
    // createdPath() and announced. Boxes are owned by `dialog`.
    bool accept(WindowRef dialog, const std::u16string& typedName);
    const std::u16string& createdPath() const { return createdPath_; }

private:
    UserProfile& profile_;
    IdentityRecord& record_;
    WindowSignals& signals_;
    FileSystem& files_;
    const MessageCatalogue& catalogue_;
    bool protect_;
    std::optional<std::u16string> chooserFolder_;
    std::u16string createdPath_;
};

}  // namespace tarnwick

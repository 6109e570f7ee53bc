#include "identity_editor/identity_commands.h"

#include <array>

#include "cardtree/tree_flavour.h"
#include "editor_common/editor_traits.h"
#include "editor_common/shared_commands.h"

namespace tarnwick {
namespace {

using namespace identity_command;

std::vector<CommandRule> rules() {
    const TreeCommandIds& tree = IdentityTreeFlavour().commands;
    std::vector<CommandRule> own = {
        {kNew, Enabling::Always, CheckMark::None, u"New Identity\nNew Identity"},
        {common_command::kSave, Enabling::Always, CheckMark::None,
         u"Apply changes, do not close this window\nApply changes, do not close this window"},
        {kSaveAndClose, Enabling::Always, CheckMark::None,
         u"Apply changes and close this window\nApply changes and close this window"},
        {tree.deleteCard, Enabling::CardSelected, CheckMark::None, u"Delete Identity\nDelete Identity"},
        {tree.renameCard, Enabling::CardSelected, CheckMark::None, u"Rename Identity\nRename Identity"},
        {tree.paste, Enabling::Always, CheckMark::None,
         u"Paste Identity or Folder to this folder\nPaste Identity or Folder to this folder"},
        {tree.copyCard, Enabling::Always, CheckMark::None, u"Copy Identity\nCopy Identity"},
        {tree.cutCard, Enabling::Always, CheckMark::None, u"Cut Identity\nCut Identity"},
        {tree.toggleProtection, Enabling::CardSelected, CheckMark::CardProtected,
         u"Toggle Password-Protection status of this Identity, Password-protected files require Primary "
         u"Password for opening\nToggle Password-Protection status of this Identity"},
        {kReset, Enabling::Always, CheckMark::None,
         u"Reset changes and reload current Identity\nReset changes and reload current Identity"},
        {kCopy, Enabling::CardSelected, CheckMark::None,
         u"Copy the entire Identity to clipboard\nCopy the entire Identity to clipboard"},
        {kPasscardEditor, Enabling::Always, CheckMark::None, u"Start Passcard Editor\nStart Passcard Editor"},
        {kAddCustomField, Enabling::CustomTab, CheckMark::None, u"Add Custom Field\nAdd Custom Field"},
        {kDeleteCustomField, Enabling::CustomTab, CheckMark::None, u"Delete Custom Field\nDelete Custom Field"},
        {common_command::kExit, Enabling::Always, CheckMark::None, u"Exit Identity Editor\nExit Identity Editor"},
    };
    std::vector<CommandRule> shared = SharedCommandRules(tree, kAlwaysOnTop);
    own.insert(own.end(), shared.begin(), shared.end());
    return own;
}

const std::array<ToolbarSlot, 7>& toolbar() {
    static const std::array<ToolbarSlot, 7> slots = {{
        {kSaveAndClose, u"Save && Close"},
        {common_command::kSave, u"Save"},
        {},
        {IdentityTreeFlavour().commands.toggleProtection, u"Protected"},
        {kCopy, u"Copy"},
        {},
        {kAlwaysOnTop, u"Top"},
    }};
    return slots;
}

}  // namespace

std::span<const ToolbarSlot> IdentityToolbar() { return toolbar(); }

const CommandTable& IdentityCommands() {
    static const CommandTable table(rules());
    return table;
}

}  // namespace tarnwick

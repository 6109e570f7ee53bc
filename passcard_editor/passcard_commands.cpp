#include "passcard_editor/passcard_commands.h"

#include <array>

#include "cardtree/tree_flavour.h"
#include "editor_common/editor_traits.h"
#include "editor_common/shared_commands.h"

namespace tarnwick {
namespace {

using namespace passcard_command;

std::vector<CommandRule> rules() {
    const TreeCommandIds& tree = PasscardTreeFlavour().commands;
    std::vector<CommandRule> own = {
        {common_command::kSave, Enabling::Changed, CheckMark::None,
         u"Apply changes, do not close this window\nApply changes, do not close this window"},
        {kSaveAndClose, Enabling::Always, CheckMark::None,
         u"Apply changes and close this window\nApply changes and close this window"},
        {common_command::kExit, Enabling::Always, CheckMark::None, u"Exit Passcard Editor\nExit Passcard Editor"},
        {tree.deleteCard, Enabling::CardSelected, CheckMark::None, u"Delete Passcard\nDelete Passcard"},
        {tree.renameCard, Enabling::CardSelected, CheckMark::None, u"Rename Passcard\nRename Passcard"},
        {tree.paste, Enabling::Always, CheckMark::None,
         u"Paste Passcard or Folder to this folder\nPaste Passcard or Folder to this folder"},
        {tree.copyCard, Enabling::Always, CheckMark::None, u"Copy Passcard\nCopy Passcard"},
        {tree.cutCard, Enabling::Always, CheckMark::None, u"Cut Passcard\nCut Passcard"},
        {kReset, Enabling::Changed, CheckMark::None,
         u"Reset changes and reload current Passcard\nReset changes and reload current Passcard"},
        {tree.toggleProtection, Enabling::CardSelected, CheckMark::CardProtected,
         u"Toggle Password-Protection status of this Passcard, Password-protected files require Primary "
         u"Password for opening\nToggle Password-Protection status of this Passcard"},
        {kDefault, Enabling::CardSelected, CheckMark::CardDefault,
         u"Set or Reset 'Default' status of the Passcard. Default Passcard appears on top of Matching "
         u"Passcards button in toolbar\nSet or Reset 'Default' status of the Passcard. Default Passcard "
         u"appears on top"},
        {kCopy, Enabling::CardSelected, CheckMark::None,
         u"Copy the entire Passcard to clipboard\nCopy the entire Passcard to clipboard"},
        {kAddField, Enabling::CardSelected, CheckMark::None,
         u"Add new field to the Passcard\nAdd new field to the Passcard"},
        {kRenameField, Enabling::CardSelected, CheckMark::None, u"Rename selected field\nRename selected field"},
        {kDeleteField, Enabling::CardSelected, CheckMark::None,
         u"Delete selected field from the Passcard\nDelete selected field from the Passcard"},
        {kPasswordsAsStars, Enabling::CardSelected, CheckMark::PasswordsAsStars,
         u"If checked then password values are shown as stars\nIf checked then password values are shown as "
         u"stars"},
        {kDetails, Enabling::CardSelected, CheckMark::Details, u"Show technical details\nShow technical details"},
        {kIdentityEditor, Enabling::Always, CheckMark::None, u"Start Identity Editor\nStart Identity Editor"},
        {kGeneratePassword, Enabling::CardSelected, CheckMark::None,
         u"Fill the selected field with a new password\nGenerate Password"},
        {kPasswordPolicy, Enabling::Always, CheckMark::None, u"Set how generated passwords are made\nPassword Policy"},
    };
    std::vector<CommandRule> shared = SharedCommandRules(tree, kAlwaysOnTop);
    own.insert(own.end(), shared.begin(), shared.end());
    return own;
}

const std::array<ToolbarSlot, 8>& toolbar() {
    static const std::array<ToolbarSlot, 8> slots = {{
        {kSaveAndClose, u"Save && Close"},
        {common_command::kSave, u"Save"},
        {},
        {PasscardTreeFlavour().commands.toggleProtection, u"Protected"},
        {kDefault, u"Default"},
        {kCopy, u"Copy"},
        {},
        {kAlwaysOnTop, u"Top"},
    }};
    return slots;
}

}  // namespace

std::span<const ToolbarSlot> PasscardToolbar() { return toolbar(); }

const CommandTable& PasscardCommands() {
    static const CommandTable table(rules());
    return table;
}

}  // namespace tarnwick

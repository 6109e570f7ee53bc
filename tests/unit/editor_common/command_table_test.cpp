// Both editors' commands: enabling by the selection, the changed flag and the
// Custom tab, the check marks, and the status-bar prompts and tooltips.
#include "editor_common/command_table.h"

#include <gtest/gtest.h>

#include <set>

#include "cardtree/tree_flavour.h"
#include "editor_common/editor_traits.h"
#include "identity_editor/identity_commands.h"
#include "passcard_editor/passcard_commands.h"

namespace tarnwick {
namespace {

EditorViewState cardShown() {
    EditorViewState state;
    state.cardSelected = true;
    return state;
}

bool enabled(const CommandTable& table, unsigned id, const EditorViewState& state) {
    return table.stateOf(id, state).enabled;
}
bool checked(const CommandTable& table, unsigned id, const EditorViewState& state) {
    return table.stateOf(id, state).checked;
}

TEST(CommandTables, EveryCommandIsDescribedOnceWithAPromptAndATooltip) {
    for (const CommandTable* table : {&IdentityCommands(), &PasscardCommands()}) {
        std::set<unsigned> ids;
        for (const CommandRule& rule : table->rules()) {
            EXPECT_TRUE(ids.insert(rule.id).second) << "twice: " << rule.id;
            EXPECT_FALSE(table->statusPrompt(rule.id).empty()) << rule.id;
            EXPECT_FALSE(table->tooltip(rule.id).empty()) << rule.id;
        }
    }
    EXPECT_EQ(IdentityCommands().rules().size(), 25u);
    EXPECT_EQ(PasscardCommands().rules().size(), 30u);
}

TEST(IdentityCommandTable, AFolderDisablesTheCardCommandsAndEnablesDeleteFolder) {
    const CommandTable& table = IdentityCommands();
    const TreeCommandIds& tree = IdentityTreeFlavour().commands;
    const EditorViewState folder;
    const EditorViewState card = cardShown();
    for (const unsigned id : {tree.deleteCard, tree.renameCard, tree.toggleProtection, identity_command::kCopy}) {
        EXPECT_FALSE(enabled(table, id, folder)) << id;
        EXPECT_TRUE(enabled(table, id, card)) << id;
    }
    EXPECT_TRUE(enabled(table, tree.deleteFolder, folder));
    EXPECT_FALSE(enabled(table, tree.deleteFolder, card));
    // Save and Reset do not wait for a change in this editor.
    EXPECT_TRUE(enabled(table, common_command::kSave, folder));
    EXPECT_TRUE(enabled(table, identity_command::kReset, card));
}

TEST(IdentityCommandTable, CustomFieldCommandsOnlyOnTheCustomTabOfACard) {
    const CommandTable& table = IdentityCommands();
    EditorViewState state = cardShown();
    EXPECT_FALSE(enabled(table, identity_command::kAddCustomField, state));
    state.customTabActive = true;
    EXPECT_TRUE(enabled(table, identity_command::kAddCustomField, state));
    EXPECT_TRUE(enabled(table, identity_command::kDeleteCustomField, state));
    state.cardSelected = false;
    EXPECT_FALSE(enabled(table, identity_command::kDeleteCustomField, state));
}

TEST(IdentityCommandTable, CheckMarksAndTheProtectedTooltip) {
    const CommandTable& table = IdentityCommands();
    const unsigned protectedId = IdentityTreeFlavour().commands.toggleProtection;
    EditorViewState state = cardShown();
    state.cardProtected = true;
    state.alwaysOnTop = true;
    state.statusBarShown = false;
    EXPECT_TRUE(checked(table, protectedId, state));
    EXPECT_TRUE(checked(table, identity_command::kAlwaysOnTop, state));
    EXPECT_TRUE(checked(table, common_command::kToolbar, state));
    EXPECT_FALSE(checked(table, common_command::kStatusBar, state));
    state.cardSelected = false;  // a folder shows no protection
    EXPECT_FALSE(checked(table, protectedId, state));
    EXPECT_EQ(table.statusPrompt(protectedId),
              u"Toggle Password-Protection status of this Identity, Password-protected files require "
              u"Primary Password for opening");
    EXPECT_EQ(table.tooltip(protectedId), u"Toggle Password-Protection status of this Identity");
    EXPECT_EQ(table.statusPrompt(identity_command::kNew), u"New Identity");
    EXPECT_EQ(table.statusPrompt(IdentityTreeFlavour().commands.paste), u"Paste Identity or Folder to this folder");
}

TEST(PasscardCommandTable, SaveAndResetWaitForAChange) {
    const CommandTable& table = PasscardCommands();
    EditorViewState state = cardShown();
    EXPECT_FALSE(enabled(table, common_command::kSave, state));
    EXPECT_FALSE(enabled(table, passcard_command::kReset, state));
    EXPECT_TRUE(enabled(table, passcard_command::kSaveAndClose, state));
    state.changed = true;
    EXPECT_TRUE(enabled(table, common_command::kSave, state));
    EXPECT_TRUE(enabled(table, passcard_command::kReset, state));
}

TEST(PasscardCommandTable, AFolderDisablesTheTenCardCommandsAndEnablesDeleteFolder) {
    const CommandTable& table = PasscardCommands();
    const TreeCommandIds& tree = PasscardTreeFlavour().commands;
    using namespace passcard_command;
    const unsigned cardCommands[] = {
        tree.deleteCard, tree.renameCard, tree.toggleProtection, kDefault,          kCopy,
        kAddField,       kRenameField,    kDeleteField,          kPasswordsAsStars, kDetails};
    const EditorViewState folder;
    for (const unsigned id : cardCommands) {
        EXPECT_FALSE(enabled(table, id, folder)) << id;
        EXPECT_TRUE(enabled(table, id, cardShown())) << id;
    }
    EXPECT_TRUE(enabled(table, tree.deleteFolder, folder));
    EXPECT_FALSE(enabled(table, tree.deleteFolder, cardShown()));
    // The folder commands of the context menus stay enabled for a card.
    for (const unsigned id :
         {tree.newFolder, tree.renameFolder, tree.paste, tree.copyCard, kAlwaysOnTop, kIdentityEditor}) {
        EXPECT_TRUE(enabled(table, id, cardShown())) << id;
    }
}

TEST(PasscardCommandTable, CheckMarksFollowTheFlagsAndTheCardFile) {
    const CommandTable& table = PasscardCommands();
    const unsigned protectedId = PasscardTreeFlavour().commands.toggleProtection;
    EditorViewState state = cardShown();
    EXPECT_FALSE(checked(table, passcard_command::kDefault, state));
    state.cardDefault = true;
    state.passwordsAsStars = true;
    state.details = true;
    EXPECT_TRUE(checked(table, passcard_command::kDefault, state));
    EXPECT_FALSE(checked(table, protectedId, state));
    EXPECT_TRUE(checked(table, passcard_command::kPasswordsAsStars, state));
    EXPECT_TRUE(checked(table, passcard_command::kDetails, state));
    EXPECT_FALSE(checked(table, passcard_command::kAlwaysOnTop, state));
    EXPECT_EQ(table.tooltip(passcard_command::kDefault),
              u"Set or Reset 'Default' status of the Passcard. Default Passcard appears on top");
    EXPECT_EQ(table.statusPrompt(common_command::kExit), u"Exit Passcard Editor");
}

TEST(CommandTable, AnUndescribedCommandIsEnabledWithoutPrompt) {
    const CommandTable table({{7, Enabling::Changed, CheckMark::None, u"Only a prompt"}});
    const EditorViewState state;
    EXPECT_EQ(table.stateOf(8, state), (CommandState{8, true, false}));
    EXPECT_EQ(table.statusPrompt(8), u"");
    EXPECT_EQ(table.statesOf(state), (std::vector<CommandState>{{7, false, false}}));
    // A text without a line feed is its own tooltip.
    EXPECT_EQ(table.tooltip(7), u"Only a prompt");
}

}  // namespace
}  // namespace tarnwick

namespace tarnwick {
namespace {

std::vector<std::u16string_view> labels(std::span<const ToolbarSlot> slots) {
    std::vector<std::u16string_view> texts;
    for (const ToolbarSlot& slot : slots) texts.push_back(slot.isSeparator() ? u"|" : slot.label);
    return texts;
}

TEST(EditorToolbars, SlotsLabelsAndImages) {
    EXPECT_EQ(labels(IdentityToolbar()),
              (std::vector<std::u16string_view>{u"Save && Close", u"Save", u"|", u"Protected", u"Copy", u"|", u"Top"}));
    EXPECT_EQ(labels(PasscardToolbar()),
              (std::vector<std::u16string_view>{u"Save && Close", u"Save", u"|", u"Protected", u"Default", u"Copy",
                                                u"|", u"Top"}));
    EXPECT_EQ(IdentityToolbar()[3].id, 32781u);
    EXPECT_EQ(PasscardToolbar()[0].id, 32773u);
    EXPECT_EQ(ToolbarImageIndex(PasscardToolbar(), 0), 0);
    EXPECT_EQ(ToolbarImageIndex(PasscardToolbar(), 2), std::nullopt);
    EXPECT_EQ(ToolbarImageIndex(PasscardToolbar(), 5), 4);
    EXPECT_EQ(ToolbarImageIndex(PasscardToolbar(), 7), 5);
    EXPECT_EQ(ToolbarImageIndex(PasscardToolbar(), 8), std::nullopt);
    // Every button's command is one the editor describes, so it has its tooltip.
    for (const ToolbarSlot& slot : IdentityToolbar()) {
        if (!slot.isSeparator()) {
            EXPECT_NE(IdentityCommands().find(slot.id), nullptr) << slot.id;
        }
    }
    for (const ToolbarSlot& slot : PasscardToolbar()) {
        if (!slot.isSeparator()) {
            EXPECT_NE(PasscardCommands().find(slot.id), nullptr) << slot.id;
        }
    }
}

}  // namespace
}  // namespace tarnwick

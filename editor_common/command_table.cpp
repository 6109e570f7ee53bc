#include "editor_common/command_table.h"

namespace tarnwick {
namespace {

constexpr char16_t kPromptSeparator = u'\n';

}  // namespace

std::optional<int> ToolbarImageIndex(std::span<const ToolbarSlot> slots, std::size_t index) {
    if (index >= slots.size() || slots[index].isSeparator()) return std::nullopt;
    int image = 0;
    for (std::size_t i = 0; i < index; ++i) {
        if (!slots[i].isSeparator()) ++image;
    }
    return image;
}

bool IsEnabled(Enabling enabling, const EditorViewState& state) {
    switch (enabling) {
        case Enabling::Always:
            return true;
        case Enabling::CardSelected:
            return state.cardSelected;
        case Enabling::FolderSelected:
            return !state.cardSelected;
        case Enabling::Changed:
            return state.changed;
        case Enabling::CustomTab:
            return state.cardSelected && state.customTabActive;
    }
    return true;
}

bool IsChecked(CheckMark check, const EditorViewState& state) {
    switch (check) {
        case CheckMark::None:
            return false;
        case CheckMark::CardProtected:
            return state.cardSelected && state.cardProtected;
        case CheckMark::CardDefault:
            return state.cardSelected && state.cardDefault;
        case CheckMark::PasswordsAsStars:
            return state.passwordsAsStars;
        case CheckMark::AlwaysOnTop:
            return state.alwaysOnTop;
        case CheckMark::Details:
            return state.details;
        case CheckMark::ToolbarShown:
            return state.toolbarShown;
        case CheckMark::StatusBarShown:
            return state.statusBarShown;
    }
    return false;
}

const CommandRule* CommandTable::find(unsigned id) const {
    for (const CommandRule& rule : rules_) {
        if (rule.id == id) return &rule;
    }
    return nullptr;
}

CommandState CommandTable::stateOf(unsigned id, const EditorViewState& state) const {
    const CommandRule* rule = find(id);
    if (rule == nullptr) return {id, true, false};
    return {id, IsEnabled(rule->enabling, state), IsChecked(rule->check, state)};
}

std::vector<CommandState> CommandTable::statesOf(const EditorViewState& state) const {
    std::vector<CommandState> states;
    states.reserve(rules_.size());
    for (const CommandRule& rule : rules_) states.push_back(stateOf(rule.id, state));
    return states;
}

std::u16string_view CommandTable::statusPrompt(unsigned id) const {
    const CommandRule* rule = find(id);
    if (rule == nullptr) return {};
    return rule->text.substr(0, rule->text.find(kPromptSeparator));
}

std::u16string_view CommandTable::tooltip(unsigned id) const {
    const CommandRule* rule = find(id);
    if (rule == nullptr) return {};
    const std::size_t separator = rule->text.find(kPromptSeparator);
    if (separator == std::u16string_view::npos) return rule->text;
    return rule->text.substr(separator + 1);
}

}  // namespace tarnwick

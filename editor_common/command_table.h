// The menu, toolbar and status-bar plumbing of an editor as a portable
// description: for each command id, when it is enabled, which flag its check
// mark shows, and its string-table text (status-bar prompt, line feed,
// tooltip). The window layer asks for a command's state after every change
// and shows the prompt of the item under the mouse.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tarnwick {

// When a command can be chosen.
enum class Enabling {
    Always,
    CardSelected,    // the tree's selection is a card
    FolderSelected,  // the tree's selection is a folder or the root
    Changed,         // the card differs from its file
    CustomTab        // a card is shown on its Custom tab
};

// What a command's check mark shows.
enum class CheckMark {
    None,
    CardProtected,
    CardDefault,
    PasswordsAsStars,
    AlwaysOnTop,
    Details,
    ToolbarShown,
    StatusBarShown
};

// The editor's state as far as the commands show it.
struct EditorViewState {
    bool cardSelected = false;
    bool changed = false;
    bool customTabActive = false;
    bool cardProtected = false;
    bool cardDefault = false;
    bool passwordsAsStars = false;
    bool alwaysOnTop = false;
    bool details = false;
    bool toolbarShown = true;
    bool statusBarShown = true;
};

struct CommandRule {
    unsigned id = 0;
    Enabling enabling = Enabling::Always;
    CheckMark check = CheckMark::None;
    std::u16string_view text;  // "prompt\ntooltip"; empty for no prompt
};

struct CommandState {
    unsigned id = 0;
    bool enabled = true;
    bool checked = false;
    bool operator==(const CommandState&) const = default;
};

class CommandTable {
public:
    explicit CommandTable(std::vector<CommandRule> rules) : rules_(std::move(rules)) {}

    // The rule of a command; nothing for an id the editor does not describe.
    const CommandRule* find(unsigned id) const;
    // Enabled and checked as the state says; an undescribed id is enabled and unchecked.
    CommandState stateOf(unsigned id, const EditorViewState& state) const;
    // Every described command's state, in the table's order.
    std::vector<CommandState> statesOf(const EditorViewState& state) const;

    // The status-bar prompt (before the line feed) and the tooltip (after it;
    // the prompt again when the text has no line feed). Empty when undescribed.
    std::u16string_view statusPrompt(unsigned id) const;
    std::u16string_view tooltip(unsigned id) const;

    std::span<const CommandRule> rules() const { return rules_; }

private:
    std::vector<CommandRule> rules_;
};

// One slot of an editor's toolbar: a button with its label shown beside its
// image, or a separator (id 0). Buttons take the images of the toolbar's
// bitmap in slot order, separators taking none.
struct ToolbarSlot {
    unsigned id = 0;
    std::u16string_view label;
    bool isSeparator() const { return id == 0; }
};

// The image of the slot at `index` in the bitmap; nothing for a separator.
std::optional<int> ToolbarImageIndex(std::span<const ToolbarSlot> slots, std::size_t index);

bool IsEnabled(Enabling enabling, const EditorViewState& state);
bool IsChecked(CheckMark check, const EditorViewState& state);

}  // namespace tarnwick

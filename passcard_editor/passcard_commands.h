// The Passcard Editor's commands: the ids of its own commands (the tree's are
// in its tree flavour, the shared ones in editor_common), and the table of
// their enabling, check marks and status-bar prompts.
#pragma once

#include <span>

#include "editor_common/command_table.h"

namespace tarnwick::passcard_command {

inline constexpr unsigned kSaveAndClose = 32773;
inline constexpr unsigned kReset = 32778;
inline constexpr unsigned kDefault = 32804;
inline constexpr unsigned kCopy = 32815;
inline constexpr unsigned kAddField = 32810;
inline constexpr unsigned kRenameField = 32809;
inline constexpr unsigned kDeleteField = 32808;
inline constexpr unsigned kPasswordsAsStars = 32822;
inline constexpr unsigned kAlwaysOnTop = 32825;
inline constexpr unsigned kDetails = 32878;
inline constexpr unsigned kIdentityEditor = 32863;
inline constexpr unsigned kGeneratePassword = 41100;
inline constexpr unsigned kPasswordPolicy = 41101;

}  // namespace tarnwick::passcard_command

namespace tarnwick {

const CommandTable& PasscardCommands();
// The eight slots: Save && Close, Save, | Protected, Default, Copy, | Top.
std::span<const ToolbarSlot> PasscardToolbar();

}  // namespace tarnwick

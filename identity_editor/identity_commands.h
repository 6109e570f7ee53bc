// The Identity Editor's commands: the ids of its own commands (the tree's are
// in its tree flavour, the shared ones in editor_common), and the table of
// their enabling, check marks and status-bar prompts.
#pragma once

#include <span>

#include "editor_common/command_table.h"

namespace tarnwick::identity_command {

inline constexpr unsigned kNew = 57600;
inline constexpr unsigned kSaveAndClose = 32793;
inline constexpr unsigned kReset = 32799;
inline constexpr unsigned kAddCustomField = 32813;
inline constexpr unsigned kDeleteCustomField = 32814;
inline constexpr unsigned kCopy = 32800;
inline constexpr unsigned kAlwaysOnTop = 32802;
inline constexpr unsigned kPasscardEditor = 32801;

}  // namespace tarnwick::identity_command

namespace tarnwick {

const CommandTable& IdentityCommands();
// Save && Close, Save, | Protected, Copy, | Top.
std::span<const ToolbarSlot> IdentityToolbar();

}  // namespace tarnwick

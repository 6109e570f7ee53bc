// Starts the update check on a thread of its own, with its own adapters and
// a copy of the data root; the thread is neither waited for nor stopped.
#pragma once

#include <string>

namespace tarnwick {

// False when the thread could not be created (nothing is reported).
bool StartUpdateCheck(const std::u16string& dataRoot);

}  // namespace tarnwick

// The process-wide primary password of the current user, in its narrow form:
// empty until it is typed or recalled, zeroed when cleared and at process exit.
#pragma once

#include <cstddef>
#include <string_view>

namespace tarnwick {

inline constexpr std::size_t kPrimaryPasswordBufferSize = 260;

// The 260-byte zero-terminated buffer.
char* CurrentPrimaryPassword();
// Clears all 260 bytes, then copies at most 259 bytes of `narrow`.
void SetCurrentPrimaryPassword(std::string_view narrow);
void ClearCurrentPrimaryPassword();
bool HasCurrentPrimaryPassword();

}  // namespace tarnwick

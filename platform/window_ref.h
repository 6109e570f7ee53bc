// A window as the core refers to it: the HWND's value, opaque outside win32/.
#pragma once

#include <cstdint>

namespace tarnwick {

using WindowRef = std::uintptr_t;
inline constexpr WindowRef kNoWindow = 0;

}  // namespace tarnwick

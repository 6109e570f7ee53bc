// Paths in the library tree: Windows paths (built, compared and resolved by
// foundation/windows_path.h) whose card files end in the editor's extension.
#pragma once

#include <string_view>

#include "foundation/windows_path.h"

namespace tarnwick {

// A card file's name: its last "." followed by exactly the extension (".vrt"),
// with a name before it.
bool IsCardFileName(std::u16string_view fileName, std::u16string_view extension);

}  // namespace tarnwick

// Paths given on the CLI's command line, turned into the Windows paths the core uses.
#pragma once

#include <string>

namespace tarnwick::cli {

// On the host a Linux path (absolute or relative) becomes its Z: form, as Wine
// shows it; on Windows the path is used as given.
std::u16string ToCorePath(const std::u16string& argument);

}  // namespace tarnwick::cli

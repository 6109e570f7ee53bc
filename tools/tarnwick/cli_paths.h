// Paths given on the CLI's command line, turned into the Windows paths the core uses.
#pragma once

#include <string>

namespace tarnwick::cli {

// On the host a Linux path (absolute or relative) becomes its Z: form, as Wine
// shows it; on Windows the path is used as given.
std::u16string ToCorePath(const std::u16string& argument);
// A path below a folder the user named, as the user writes paths: "/"
// between the parts on the host, "\\" on Windows.
std::u16string ToDisplayPath(const std::u16string& relativeCorePath);

}  // namespace tarnwick::cli

#include "tools/tarnwick/cli_paths.h"

#ifndef _WIN32
#include "platform/host/host_file_system.h"
#include "platform/utf8.h"
#endif

namespace tarnwick::cli {

std::u16string ToCorePath(const std::u16string& argument) {
#ifdef _WIN32
    return argument;
#else
    // A path already in Windows form (Z:\...) is kept, so the same command
    // lines work on both builds.
    if (argument.size() >= 2 && argument[1] == u':') return argument;
    return HostPathToWindows(Utf16ToUtf8(argument));
#endif
}

std::u16string ToDisplayPath(const std::u16string& relativeCorePath) {
#ifdef _WIN32
    return relativeCorePath;
#else
    std::u16string shown = relativeCorePath;
    for (char16_t& c : shown) {
        if (c == u'\\') c = u'/';
    }
    return shown;
#endif
}

}  // namespace tarnwick::cli

#include "tools/tarnwick/cli_registry.h"

#include "foundation/windows_path.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/wide.h"
#include "platform/win32/win32_registry.h"
#else
#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "platform/host/host_file_system.h"
#include "platform/host/host_registry.h"
#endif

namespace tarnwick::cli {

#ifdef _WIN32
Registry& CliRegistry() {
    static Win32Registry registry;
    return registry;
}

std::u16string RunningProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::u16string folder = FromWide(path, length);
    return std::u16string(ParentPath(folder));
}
#else
Registry& CliRegistry() {
    static HostRegistry registry(HostPathToWindows([] {
                                     if (const char* file = std::getenv("TARNWICK_REGISTRY_FILE"); file && *file)
                                         return std::string(file);
                                     const char* home = std::getenv("HOME");
                                     return std::string(home && *home ? home : ".") + "/.tarnwick-registry";
                                 }()),
                                 NativeFileSystem());
    return registry;
}

std::u16string RunningProgramFolder() {
    char path[PATH_MAX] = {};
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    std::u16string folder = HostPathToWindows(std::string(path, length > 0 ? length : 0));
    return std::u16string(ParentPath(folder));
}
#endif

}  // namespace tarnwick::cli

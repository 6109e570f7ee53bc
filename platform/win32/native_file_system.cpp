#include "platform/win32/win32_file_system.h"

namespace tarnwick {

FileSystem& NativeFileSystem() {
    static Win32FileSystem fileSystem;
    return fileSystem;
}

}  // namespace tarnwick

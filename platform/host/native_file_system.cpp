#include "platform/host/host_file_system.h"

namespace tarnwick {

FileSystem& NativeFileSystem() {
    static HostFileSystem fileSystem;
    return fileSystem;
}

}  // namespace tarnwick

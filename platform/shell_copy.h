// Copying a whole folder through the shell (SHFileOperationW, FO_COPY), which
// shows its own progress and confirmation dialogs.
#pragma once

#include <string>

#include "platform/window_ref.h"

namespace tarnwick {

struct ShellCopyResult {
    int status = 0;        // SHFileOperationW's result: 0 when it ran
    bool aborted = false;  // the user cancelled in one of the shell's dialogs
};

class ShellCopy {
public:
    virtual ~ShellCopy() = default;
    // `from` is copied to the new name `to` (a folder and everything in it).
    virtual ShellCopyResult copyFolder(WindowRef owner, const std::u16string& from, const std::u16string& to) = 0;
};

}  // namespace tarnwick

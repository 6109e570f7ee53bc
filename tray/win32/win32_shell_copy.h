// Copying a folder with SHFileOperationW (FO_COPY, no flags): the shell shows
// its own progress and confirmation dialogs.
#pragma once

#include "platform/shell_copy.h"

namespace tarnwick {

class Win32ShellCopy : public ShellCopy {
public:
    ShellCopyResult copyFolder(WindowRef owner, const std::u16string& from, const std::u16string& to) override;
};

}  // namespace tarnwick

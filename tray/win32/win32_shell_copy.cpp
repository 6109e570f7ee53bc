#include "tray/win32/win32_shell_copy.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <array>

#include "platform/win32/win32_windows.h"

namespace tarnwick {
namespace {

// The shell reads a list of names: one name, then two zero characters. The
// callers refuse longer paths, so nothing is ever cut here.
using ShellPath = std::array<wchar_t, MAX_PATH + 1>;

bool toShellPath(const std::u16string& path, ShellPath& buffer) {
    buffer.fill(L'\0');
    if (path.size() >= MAX_PATH) return false;
    std::copy(path.begin(), path.end(), buffer.begin());
    return true;
}

}  // namespace

ShellCopyResult Win32ShellCopy::copyFolder(WindowRef owner, const std::u16string& from, const std::u16string& to) {
    ShellPath source;
    ShellPath target;
    if (!toShellPath(from, source) || !toShellPath(to, target)) {
        return ShellCopyResult{ERROR_FILENAME_EXCED_RANGE, false};
    }
    SHFILEOPSTRUCTW operation = {};
    operation.hwnd = ToHwnd(owner);
    operation.wFunc = FO_COPY;
    operation.pFrom = source.data();
    operation.pTo = target.data();
    operation.fFlags = 0;
    const int status = SHFileOperationW(&operation);
    return ShellCopyResult{status, operation.fAnyOperationsAborted != FALSE};
}

}  // namespace tarnwick

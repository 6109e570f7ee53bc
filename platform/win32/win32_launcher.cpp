#include "platform/win32/win32_launcher.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/win32/wide.h"

namespace tarnwick {

bool Win32Launcher::shellOpen(std::u16string_view file, std::u16string_view parameters) {
    const std::u16string fileText(file);
    const std::u16string parameterText(parameters);
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", AsWide(fileText), AsWide(parameterText), nullptr, SW_SHOWNORMAL);
    // Values above 32 mean success.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool Win32Launcher::createProcess(std::u16string_view commandLine) {
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::u16string line(commandLine);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, reinterpret_cast<wchar_t*>(line.data()), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace tarnwick

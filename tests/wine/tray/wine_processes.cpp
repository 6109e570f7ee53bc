#include "wine/tray/wine_processes.h"

#include <vector>

namespace tarnwick::wine {
namespace {

constexpr DWORD kRunBoundMs = 60'000;
constexpr DWORD kPollMs = 25;

}  // namespace

std::wstring ProgramPath(const char* linuxPath) {
    std::wstring path = L"Z:";
    for (const char* c = linuxPath; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

Output RunCapturing(const std::wstring& commandLine) {
    Output output;
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return output;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    std::wstring line = commandLine;
    const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return output;
    }
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) output.text.append(buffer, got);
    CloseHandle(readEnd);
    if (WaitForSingleObject(process.hProcess, kRunBoundMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &output.exitCode);
    } else {
        TerminateProcess(process.hProcess, 99);
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    if (!output.text.empty() && output.text.back() == '\n') output.text.pop_back();
    return output;
}

Program::Program(const std::wstring& commandLine) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_)) {
        process_ = {};
    }
}

Program::~Program() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 98);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
}

bool Program::waitForExit(DWORD boundMs, DWORD& exitCode) {
    if (!process_.hProcess || WaitForSingleObject(process_.hProcess, boundMs) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(process_.hProcess, &exitCode) != FALSE;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD boundMs) {
    const ULONGLONG end = GetTickCount64() + boundMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() > end) return false;
        // Keeps this thread's own test windows answering while it waits.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
    }
}

HWND FindTopLevel(const wchar_t* windowClass, const wchar_t* title, DWORD processId) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, windowClass, title)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (processId == 0 || owner == processId) return window;
    }
    return nullptr;
}

HWND WaitForTopLevel(const wchar_t* windowClass, const wchar_t* title, DWORD processId, DWORD boundMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevel(windowClass, title, processId)) != nullptr; }, boundMs);
    return found;
}

std::wstring BoxText(HWND box) {
    std::wstring text;
    HWND child = nullptr;
    while ((child = FindWindowExW(box, child, L"Static", nullptr)) != nullptr) {
        wchar_t buffer[1024] = {};
        GetWindowTextW(child, buffer, 1024);
        text += buffer;
    }
    return text;
}

void PressButton(HWND box, int buttonId) {
    HWND button = GetDlgItem(box, buttonId);
    if (button) SendMessageW(button, BM_CLICK, 0, 0);
}

}  // namespace tarnwick::wine

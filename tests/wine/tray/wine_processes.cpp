#include "wine/tray/wine_processes.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "support/windows_cli.h"

namespace tarnwick::wine {
namespace {

constexpr DWORD kRunBoundMs = 60'000;
constexpr DWORD kPollMs = 25;

}  // namespace

Output RunCapturing(const std::wstring& commandLine) {
    testing::CliResult result = testing::RunCapturing(commandLine, kRunBoundMs);
    if (!result.error.empty()) {
        std::fprintf(stderr, "%s\n", result.error.c_str());
        result.exitCode = 99;
    }
    if (!result.out.empty() && result.out.back() == '\n') result.out.pop_back();
    return Output{result.exitCode, std::move(result.out)};
}

Program::Program(const std::wstring& commandLine) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_)) {
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

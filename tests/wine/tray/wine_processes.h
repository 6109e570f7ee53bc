// What the end-to-end tests need of the real system: starting the programs
// built beside the tests, capturing a program's output, waiting with a bound
// for windows, message boxes and exits, and pressing a box's button.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "support/windows_cli.h"

namespace tarnwick::wine {

// A program built by CMake, given by its Linux path: the Z: path Wine sees.
using testing::ProgramPath;

struct Output {
    DWORD exitCode = 0xFFFFFFFF;
    std::string text;  // standard output, LF kept, the last LF removed
};
// Runs the command line to its end (bounded) and returns what it printed.
Output RunCapturing(const std::wstring& commandLine);

// A started program; ended at destruction if it still runs.
class Program {
public:
    explicit Program(const std::wstring& commandLine);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool started() const { return process_.hProcess != nullptr; }
    DWORD id() const { return process_.dwProcessId; }
    // The exit code once it has ended within the bound; nothing otherwise.
    bool waitForExit(DWORD boundMs, DWORD& exitCode);

private:
    PROCESS_INFORMATION process_{};
};

// Polls the condition until it holds or the bound passes.
bool WaitUntil(const std::function<bool()>& condition, DWORD boundMs);

// The first top-level window of the class (and title, when given) that
// belongs to the process (any process for 0).
HWND FindTopLevel(const wchar_t* windowClass, const wchar_t* title, DWORD processId);
// The same, waited for.
HWND WaitForTopLevel(const wchar_t* windowClass, const wchar_t* title, DWORD processId, DWORD boundMs);
// The static texts of a message box, joined.
std::wstring BoxText(HWND box);
// Presses the box's button with that identifier (IDOK, IDYES, ...).
void PressButton(HWND box, int buttonId);

}  // namespace tarnwick::wine

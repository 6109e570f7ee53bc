// What the editors' end-to-end tests share: the fixture that starts an editor
// for a test user, a stand-in for the tray's window that records the
// library-change notices, the clipboard's text, boxes answered, and windows
// read as another program reads them.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/win32_registry.h"
#include "platform/win32/window_base.h"
#include "support/temp_folder.h"
#include "wine/tray/wine_processes.h"

namespace tarnwick::testing {

// The tray's window as far as an editor reaches it: it records the notices.
class RecordingTray : public WindowBase {
public:
    bool create();
    std::vector<std::pair<std::uintptr_t, std::u16string>> notices;

private:
    LRESULT onCopyData(HWND, const COPYDATASTRUCT* data) override;
};

// The clipboard's Unicode text, or nothing.
std::optional<std::wstring> ClipboardText();

// Presses one key combination as the keyboard would, into the foreground window.
void PressKeys(std::initializer_list<WORD> keys);
// The control with the keyboard focus in `window`'s thread, or null.
HWND FocusOf(HWND window);

// A window's text as any program on the desktop reads it: GetWindowText,
// which asks nothing of another process's window.
std::wstring ReadableText(HWND window);
// The readable texts of a form pane's visible controls, one per line.
std::wstring VisibleTexts(HWND form);
// Every descendant of `top`, shown or not (EnumChildWindows).
std::vector<HWND> AllChildWindows(HWND top);
// What the control answers WM_GETTEXT itself: GetWindowTextW of another
// process's edit reads no edit text.
std::wstring AskedText(HWND window);

std::wstring Wide(const std::u16string& text);
// The path or text in double quotes, for a command line.
std::wstring InQuotes(const std::u16string& text);
// UTF-8, for failure messages.
std::string Narrow(const std::wstring& text);

// The next box the process shows: its text once it has one, answered with
// `button`; "<no box>" when none came.
std::wstring AnswerNextBox(DWORD processId, int button = IDOK);
// The primary-password prompt the process shows next, `password` typed when
// the answer is OK; whether it came and went.
bool AnswerPasswordPrompt(DWORD processId, const wchar_t* password, int button = IDOK);
// Asks the editor to close as the tray does (copy-data 1): its exit code, or
// nothing when it did not end within the bound.
std::optional<DWORD> CloseOnRequest(HWND window, wine::Program& program);

// Memory in the process of `window`: the item messages of another process's
// list and tree views carry pointers, which only mean something there.
class RemoteMemory {
public:
    explicit RemoteMemory(HWND window, std::size_t size = 4096);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    char* at(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
    void write(std::size_t offset, const void* data, std::size_t size) const;
    void read(std::size_t offset, void* data, std::size_t size) const;

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

// An editor's end-to-end fixture: no window of the editor left over, a
// temporary data folder, the registry's current user put back afterwards,
// and the editor started by the test ended with it.
class EditorTest : public ::testing::Test {
protected:
    EditorTest(const wchar_t* editorClass, const char* programPath);
    void SetUp() override;
    void TearDown() override;
    // Starts the editor with the command line's arguments; its window, or
    // null when none came within the bound.
    HWND start(const std::wstring& arguments = L"");

    const wchar_t* const windowClass;
    const std::wstring program;
    TempFolder folder;
    Win32Registry registry;
    std::optional<std::u16string> savedRootUser;
    std::unique_ptr<wine::Program> editor;
};

}  // namespace tarnwick::testing

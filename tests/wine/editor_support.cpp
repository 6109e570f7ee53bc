#include "wine/editor_support.h"

#include <iterator>

#include "foundation/toolbar_contract.h"
#include "platform/utf8.h"
#include "platform/win32/password_dialog.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_windows.h"

namespace tarnwick::testing {

bool RecordingTray::create() {
    return createWindow({.name = u"TARNWICKNTRAY"},
                        {.title = u"tray", .style = WS_POPUP, .x = 0, .y = 0, .width = 0, .height = 0});
}

LRESULT RecordingTray::onCopyData(HWND, const COPYDATASTRUCT* data) {
    if (const auto received = ReceiveCopyDataMessage(data)) {
        notices.emplace_back(received->code, received->text.value_or(u""));
    }
    return 0;
}

std::optional<std::wstring> ClipboardText() {
    if (!OpenClipboard(nullptr)) return std::nullopt;
    std::optional<std::wstring> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        inputs.push_back(down);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *key;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

HWND FocusOf(HWND window) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui)) return nullptr;
    return gui.hwndFocus;
}

std::wstring ReadableText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

std::wstring VisibleTexts(HWND form) {
    std::wstring texts;
    for (HWND child = GetWindow(form, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) texts += ReadableText(child) + L"\n";
    }
    return texts;
}

std::vector<HWND> AllChildWindows(HWND top) {
    std::vector<HWND> children;
    EnumChildWindows(
        top,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

std::wstring AskedText(HWND window) {
    wchar_t text[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring InQuotes(const std::u16string& text) { return L"\"" + Wide(text) + L"\""; }

std::string Narrow(const std::wstring& text) { return Utf16ToUtf8(FromWide(text.c_str())); }

namespace {

constexpr DWORD kBoundMs = 30'000;

}  // namespace

std::wstring AnswerNextBox(DWORD processId, int button) {
    HWND box = wine::WaitForTopLevel(L"#32770", nullptr, processId, kBoundMs);
    if (box == nullptr) return L"<no box>";
    std::wstring text;
    wine::WaitUntil([&] { return !(text = wine::BoxText(box)).empty(); }, kBoundMs);
    wine::PressButton(box, button);
    wine::WaitUntil([&] { return !IsWindow(box); }, kBoundMs);
    return text;
}

bool AnswerPasswordPrompt(DWORD processId, const wchar_t* password, int button) {
    HWND prompt = wine::WaitForTopLevel(L"#32770", nullptr, processId, kBoundMs);
    HWND edit = nullptr;
    if (!prompt || !wine::WaitUntil([&] { return (edit = GetDlgItem(prompt, kPasswordEditId)) != nullptr; }, kBoundMs))
        return false;
    if (button == IDOK) SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(password));
    PostMessageW(GetDlgItem(prompt, button), BM_CLICK, 0, 0);
    return wine::WaitUntil([&] { return !IsWindow(prompt); }, kBoundMs);
}

std::optional<DWORD> CloseOnRequest(HWND window, wine::Program& program) {
    COPYDATASTRUCT close{editor_code::kClose, 0, nullptr};
    DWORD_PTR reply = 0;
    SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&close), SMTO_NORMAL, kBoundMs, &reply);
    DWORD exitCode = 1;
    if (!program.waitForExit(kBoundMs, exitCode)) return std::nullopt;
    return exitCode;
}

RemoteMemory::RemoteMemory(HWND window, std::size_t size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_ != nullptr) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    EXPECT_NE(address_, nullptr) << "no memory in the editor's process: error " << GetLastError() << " pid "
                                 << processId;
}

RemoteMemory::~RemoteMemory() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_ != nullptr) CloseHandle(process_);
}

void RemoteMemory::write(std::size_t offset, const void* data, std::size_t size) const {
    WriteProcessMemory(process_, at(offset), data, size, nullptr);
}

void RemoteMemory::read(std::size_t offset, void* data, std::size_t size) const {
    ReadProcessMemory(process_, at(offset), data, size, nullptr);
}

EditorTest::EditorTest(const wchar_t* editorClass, const char* programPath)
    : windowClass(editorClass),
      program(wine::ProgramPath(programPath)) {}

void EditorTest::SetUp() {
    ASSERT_EQ(wine::FindTopLevel(windowClass, nullptr, 0), nullptr)
        << "a " << Narrow(windowClass) << " window is left over";
    savedRootUser = registry.readString(registry::kTarnwickKey, registry::kRootUserValue, 260);
}

void EditorTest::TearDown() {
    if (editor) {
        editor.reset();  // ends it: an editor holding refused edits does not close
        EXPECT_TRUE(wine::WaitUntil([&] { return wine::FindTopLevel(windowClass, nullptr, 0) == nullptr; }, kBoundMs));
    }
    registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, savedRootUser.value_or(u""));
}

HWND EditorTest::start(const std::wstring& arguments) {
    editor = std::make_unique<wine::Program>(L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments));
    EXPECT_TRUE(editor->started());
    return wine::WaitForTopLevel(windowClass, nullptr, editor->id(), kBoundMs);
}

}  // namespace tarnwick::testing

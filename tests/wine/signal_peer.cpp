// The other process of the window-signalling test: creates windows of the
// system's classes (tray, editors, a browser frame with its tab and toolbar
// chains, a "Save Forms" dialog), answers copy-data as the real receivers do,
// and appends one line per message received to a record file.
//
//   signal_peer RECORD-FILE READY-EVENT FRAME-CLOSED-EVENT LIFETIME-MS
//   signal_peer --signal EVENT      (sets the event and ends: a start check)
//
// It ends by itself after LIFETIME-MS, or on the tray's quit message.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <deque>

#include "foundation/toolbar_contract.h"
#include "platform/win32/win32_windows.h"

namespace {

using namespace tarnwick;

enum class Role { Tray, PasscardEditor, IdentityEditor, Frame, Page, Toolbar, Plain };

struct Peer {
    std::wstring recordFile;
    HANDLE frameClosed = nullptr;
};
Peer peer;

const char* roleName(Role role) {
    switch (role) {
    case Role::Tray: return "tray";
    case Role::PasscardEditor: return "Keslowe";
    case Role::IdentityEditor: return "Mirelune";
    case Role::Frame: return "frame";
    case Role::Page: return "page";
    case Role::Toolbar: return "toolbar";
    case Role::Plain: break;
    }
    return "other";
}

// "ROLE CODE CBDATA NULL-DATA HAS-TEXT HEX-UNITS", or "ROLE close".
void record(const std::string& line) {
    HANDLE file = CreateFileW(peer.recordFile.c_str(), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string withEnd = line + "\n";
    DWORD written = 0;
    WriteFile(file, withEnd.data(), static_cast<DWORD>(withEnd.size()), &written, nullptr);
    CloseHandle(file);
}

std::intptr_t replyOf(Role role, CopyDataCode code) {
    switch (role) {
    case Role::Tray: return tray_code::FixedReply(code).value_or(0);
    case Role::Page:
        return code == tab_code::kReloadPasscards || code == tab_code::kReloadIdentities ||
                       code == tab_code::kOpenAddress
                   ? static_cast<std::intptr_t>(code)
                   : 0;
    default: return 0;
    }
}

std::intptr_t onCopyData(const char* name, Role role, LPARAM lParam) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    const auto received = ReceiveCopyDataMessage(lParam);
    if (data == nullptr || !received) {
        record(std::string(name) + " no-data");
        return 0;
    }
    char head[96];
    std::snprintf(head, sizeof(head), "%s %llu %lu %d %d ", name,
                  static_cast<unsigned long long>(received->code),
                  static_cast<unsigned long>(data->cbData), data->lpData == nullptr ? 1 : 0,
                  received->text ? 1 : 0);
    std::string line = head;
    if (received->text) {
        for (char16_t unit : *received->text) {
            char hex[8];
            std::snprintf(hex, sizeof(hex), "%04x", static_cast<unsigned>(unit));
            line += hex;
        }
    }
    record(line);
    return replyOf(role, received->code);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    const auto role = static_cast<Role>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_COPYDATA:
        return onCopyData(roleName(role), role, lParam);
    case WM_CLOSE:
        if (role == Role::Frame) {
            record("frame close");
            DestroyWindow(window);
            SetEvent(peer.frameClosed);
            return 0;
        }
        break;
    case WM_TIMER:  // the lifetime bound
        PostQuitMessage(2);
        return 0;
    default:
        if (role == Role::Tray && message == tray_message::kQuit) {
            PostQuitMessage(0);
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COPYDATA) {
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, onCopyData("dialog", Role::Plain, lParam));
        return TRUE;
    }
    return FALSE;
}

HWND create(const wchar_t* windowClass, const wchar_t* title, HWND parent, Role role) {
    WNDCLASSEXW info = {};
    info.cbSize = sizeof(info);
    if (!GetClassInfoExW(GetModuleHandleW(nullptr), windowClass, &info)) {
        info.lpfnWndProc = windowProc;
        info.hInstance = GetModuleHandleW(nullptr);
        info.lpszClassName = windowClass;
        RegisterClassExW(&info);
    }
    const DWORD style = parent == HWND_MESSAGE ? 0 : parent ? WS_CHILD : WS_POPUP;
    return CreateWindowExW(0, windowClass, title, style, 0, 0, 0, 0, parent, nullptr,
                           GetModuleHandleW(nullptr),
                           reinterpret_cast<void*>(static_cast<LONG_PTR>(role)));
}

const wchar_t* wide(std::u16string_view text) {
    static std::deque<std::wstring> kept;  // lives as long as the process; never moves
    kept.emplace_back(text.begin(), text.end());
    return kept.back().c_str();
}

// A hidden top-level dialog of the platform class, titled "Save Forms".
HWND createSaveFormsDialog() {
    alignas(4) WORD buffer[64] = {};
    DLGTEMPLATE header = {};
    header.style = WS_POPUP | WS_CAPTION;
    header.cx = 100;
    header.cy = 50;
    std::memcpy(buffer, &header, sizeof(header));
    WORD* tail = buffer + sizeof(header) / sizeof(WORD);
    *tail++ = 0;  // no menu
    *tail++ = 0;  // the dialog class
    for (const wchar_t* c = L"Save Forms"; *c; ++c) *tail++ = static_cast<WORD>(*c);
    *tail = 0;
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                      reinterpret_cast<const DLGTEMPLATE*>(buffer), nullptr,
                                      dialogProc, 0);
}

bool createWindows() {
    using namespace window_class;
    const HWND tray = create(wide(kTray), wide(kTrayWindowTitle), nullptr, Role::Tray);
    create(wide(kPasscardEditor), L"Passcards", nullptr, Role::PasscardEditor);
    const std::wstring longTitle(300, L'M');
    create(wide(kIdentityEditor), longTitle.c_str(), nullptr, Role::IdentityEditor);

    const HWND frame = create(wide(kBrowserFrame), L"Browser", nullptr, Role::Frame);
    create(wide(kBrowserTab), L"", frame, Role::Plain);  // a tab without the page chain
    const HWND tab = create(wide(kBrowserTab), L"", frame, Role::Plain);
    const HWND view = create(wide(kPageView), L"", tab, Role::Plain);
    const HWND page = create(wide(kPage), L"", view, Role::Page);
    const HWND host = create(wide(kToolbarHost), L"", frame, Role::Plain);
    const HWND worker = create(wide(kToolbarWorker), L"", host, Role::Plain);
    const HWND rebar = create(wide(kToolbarRebar), L"", worker, Role::Plain);
    const HWND toolbar = create(wide(kToolbar), L"", rebar, Role::Toolbar);
    const HWND dialog = createSaveFormsDialog();
    return tray && frame && page && toolbar && dialog;
}

int signalAndEnd(const wchar_t* eventName) {
    HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName);
    if (event == nullptr) return 3;
    SetEvent(event);
    CloseHandle(event);
    return 0;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr) return 1;
    if (argc == 3 && std::wstring(argv[1]) == L"--signal") return signalAndEnd(argv[2]);
    if (argc != 5) return 1;

    peer.recordFile = argv[1];
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
    peer.frameClosed = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[3]);
    const UINT lifetime = static_cast<UINT>(_wtoi(argv[4]));
    if (ready == nullptr || peer.frameClosed == nullptr || !createWindows()) return 4;

    const HWND timerWindow = create(L"TarnwickSignalPeerTimer", L"", HWND_MESSAGE, Role::Plain);
    SetTimer(timerWindow, 1, lifetime, nullptr);
    SetEvent(ready);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

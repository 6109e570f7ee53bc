// browser_standin: plays the browser and its toolbar for tests and demos.
//
//   browser_standin serve [--frames N] [--tabs M] [--dialogs] [--log FILE]
//       creates the browser's window chain (frames, tabs, page windows, the
//       toolbar) and, with --dialogs, the toolbar's dialogs; answers as the
//       toolbar does and appends every message received to FILE as a JSON
//       line; runs until its frames are closed.
//   browser_standin send CODE [TEXT]
//       sends the code to the tray window; prints {"reply":N}.
//   browser_standin sections
//       prints the tray program's two shared sections, decoded.
//
// Output is UTF-8 JSON; usage errors exit 2.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <deque>
#include <string>
#include <vector>

#include "foundation/toolbar_contract.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_windows.h"
#include "tools/tarnwick/json_out.h"
#include "tray/list_image.h"

namespace {

using namespace tarnwick;
using cli::JsonString;
using cli::JsonStringArray;

enum class Role : LONG_PTR { Frame = 1, Page, Toolbar, Plain };

struct Standin {
    std::wstring logFile;
    int openFrames = 0;
    std::vector<std::u16string> openedAddresses;
};
Standin standin;

void print(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

int usage(const char* problem) {
    std::fprintf(stderr,
                 "browser_standin: %s (usage: browser_standin serve [--frames N] [--tabs M] "
                 "[--dialogs] [--log FILE] | send CODE [TEXT] | sections)\n",
                 problem);
    return 2;
}

void logLine(const std::string& line) {
    if (standin.logFile.empty()) return;
    HANDLE file = CreateFileW(standin.logFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string withEnd = line + "\n";
    DWORD written = 0;
    WriteFile(file, withEnd.data(), static_cast<DWORD>(withEnd.size()), &written, nullptr);
    CloseHandle(file);
}

std::u16string classOf(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return FromWide(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// The toolbar's answers: a page handles 10, 20 and 28 by answering the code.
std::intptr_t replyOf(Role role, CopyDataCode code, const std::optional<std::u16string>& text) {
    if (role != Role::Page) return 0;
    if (code == tab_code::kOpenAddress) {
        standin.openedAddresses.push_back(text.value_or(u""));
        return static_cast<std::intptr_t>(code);
    }
    if (code == tab_code::kReloadPasscards || code == tab_code::kReloadIdentities) {
        return static_cast<std::intptr_t>(code);
    }
    return 0;
}

std::intptr_t onCopyData(HWND window, Role role, LPARAM lParam) {
    const auto received = ReceiveCopyDataMessage(lParam);
    if (!received) return 0;
    std::string line = "{\"class\":" + JsonString(classOf(window)) + ",\"title\":";
    wchar_t title[260] = {};
    GetWindowTextW(window, title, 260);
    line += JsonString(FromWide(title)) + ",\"code\":" + std::to_string(received->code) + ",\"text\":";
    line += received->text ? JsonString(*received->text) : std::string("null");
    line += "}";
    logLine(line);
    return replyOf(role, received->code, received->text);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    const auto role = static_cast<Role>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_COPYDATA: return onCopyData(window, role, lParam);
    case WM_CLOSE:
        if (role == Role::Frame) {
            logLine("{\"class\":\"IEFrame\",\"message\":\"close\"}");
            DestroyWindow(window);
            if (--standin.openFrames == 0) PostQuitMessage(0);
            return 0;
        }
        break;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COPYDATA) {
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, onCopyData(dialog, Role::Plain, lParam));
        return TRUE;
    }
    return FALSE;
}

HWND create(std::u16string_view windowClass, const wchar_t* title, HWND parent, Role role) {
    static std::deque<std::wstring> names;  // class names live as long as the process
    names.emplace_back(windowClass.begin(), windowClass.end());
    const wchar_t* name = names.back().c_str();
    WNDCLASSEXW info = {};
    info.cbSize = sizeof(info);
    if (!GetClassInfoExW(GetModuleHandleW(nullptr), name, &info)) {
        info.lpfnWndProc = windowProc;
        info.hInstance = GetModuleHandleW(nullptr);
        info.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        info.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        info.lpszClassName = name;
        RegisterClassExW(&info);
    }
    const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    return CreateWindowExW(0, name, title, style, 10, 10, parent ? 100 : 400, parent ? 30 : 300,
                           parent, nullptr, GetModuleHandleW(nullptr),
                           reinterpret_cast<void*>(static_cast<LONG_PTR>(role)));
}

// A visible top-level dialog of the platform class with the title.
HWND createDialog(const wchar_t* title) {
    alignas(4) WORD buffer[128] = {};
    DLGTEMPLATE header = {};
    header.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    header.cx = 120;
    header.cy = 40;
    std::memcpy(buffer, &header, sizeof(header));
    WORD* tail = buffer + sizeof(header) / sizeof(WORD);
    *tail++ = 0;  // no menu
    *tail++ = 0;  // the dialog class
    for (const wchar_t* c = title; *c; ++c) *tail++ = static_cast<WORD>(*c);
    *tail = 0;
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                      reinterpret_cast<const DLGTEMPLATE*>(buffer), nullptr, dialogProc, 0);
}

bool createFrame(int tabs) {
    using namespace window_class;
    const HWND frame = create(kBrowserFrame, L"Browser stand-in", nullptr, Role::Frame);
    if (!frame) return false;
    ++standin.openFrames;
    for (int i = 0; i < tabs; ++i) {
        const HWND tab = create(kBrowserTab, L"", frame, Role::Plain);
        const HWND view = create(kPageView, L"", tab, Role::Plain);
        if (!create(kPage, L"", view, Role::Page)) return false;
    }
    const HWND host = create(kToolbarHost, L"", frame, Role::Plain);
    const HWND worker = create(kToolbarWorker, L"", host, Role::Plain);
    const HWND rebar = create(kToolbarRebar, L"", worker, Role::Plain);
    return create(kToolbar, L"", rebar, Role::Toolbar) != nullptr;
}

bool parseCount(const wchar_t* text, int& value) {
    wchar_t* end = nullptr;
    const long n = std::wcstol(text, &end, 10);
    if (end == text || *end != L'\0' || n < 0 || n > 64) return false;
    value = static_cast<int>(n);
    return true;
}

int serve(int argc, wchar_t** argv) {
    int frames = 1;
    int tabs = 1;
    bool dialogs = false;
    for (int i = 2; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (option == L"--dialogs") {
            dialogs = true;
        } else if ((option == L"--frames" || option == L"--tabs" || option == L"--log") && i + 1 < argc) {
            const wchar_t* value = argv[++i];
            if (option == L"--log") {
                standin.logFile = value;
            } else if (!parseCount(value, option == L"--frames" ? frames : tabs)) {
                return usage("--frames and --tabs take a number from 0 to 64");
            }
        } else {
            return usage("unknown or incomplete option");
        }
    }
    for (int i = 0; i < frames; ++i) {
        if (!createFrame(tabs)) return 1;
    }
    if (dialogs) {
        for (const wchar_t* title : {L"Save Forms", L"New Identity", L"Tarnwick"}) {
            if (!createDialog(title)) return 1;
        }
    }
    print("{\"serving\":{\"frames\":" + std::to_string(frames) + ",\"tabs\":" + std::to_string(tabs) +
          ",\"dialogs\":" + (dialogs ? "true" : "false") + "}}");
    if (frames == 0) return 0;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(GetActiveWindow(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

int send(int argc, wchar_t** argv) {
    if (argc < 3 || argc > 4) return usage("send takes CODE and an optional TEXT");
    wchar_t* end = nullptr;
    const unsigned long long code = std::wcstoull(argv[2], &end, 10);
    if (end == argv[2] || *end != L'\0') return usage("CODE must be a number");
    const HWND tray = FindWindowExW(nullptr, nullptr, L"TARNWICKNTRAY", nullptr);
    if (tray == nullptr) {
        print("{\"reply\":null}");
        return 1;
    }
    Win32Windows windows;
    std::optional<std::u16string_view> text;
    std::u16string payload;
    if (argc == 4) {
        payload = FromWide(argv[3]);
        text = payload;
    }
    const std::intptr_t reply = windows.sendCopyData(ToWindowRef(tray), code, text);
    print("{\"reply\":" + std::to_string(reply) + "}");
    return 0;
}

// The mapped bytes of a section; nothing when it does not exist.
struct View {
    HANDLE handle = nullptr;
    const unsigned char* bytes = nullptr;
    explicit View(const wchar_t* name) {
        handle = OpenFileMappingW(FILE_MAP_READ, FALSE, name);
        if (handle) bytes = static_cast<const unsigned char*>(MapViewOfFile(handle, FILE_MAP_READ, 0, 0, 0));
    }
    ~View() {
        if (bytes) UnmapViewOfFile(bytes);
        if (handle) CloseHandle(handle);
    }
};

int sections(int argc) {
    if (argc != 2) return usage("sections takes no arguments");
    std::string json = "{\"lists\":";
    {
        const View lists(L"TarnwickFileMapping");
        if (lists.bytes) {
            json += "{\"passcards\":" + JsonStringArray(ReadBlock(lists.bytes, file_mapping::kPasscardsOffset)) +
                    ",\"identities\":" + JsonStringArray(ReadBlock(lists.bytes, file_mapping::kIdentitiesOffset)) +
                    ",\"matchKeys\":" + JsonStringArray(ReadMatchKeys(lists.bytes)) + "}";
        } else {
            json += "null";
        }
    }
    json += ",\"proxy\":";
    const View proxy(L"TarnwickProxyMapping");
    if (proxy.bytes) {
        std::uint32_t enable = 0;
        for (int i = 3; i >= 0; --i) enable = (enable << 8) | proxy.bytes[proxy_mapping::kEnableOffset + i];
        json += "{\"proxyServer\":" + JsonString(ReadSlotText(proxy.bytes, proxy_mapping::kServerBytes)) +
                ",\"proxyEnable\":" + std::to_string(enable) + "}";
    } else {
        json += "null";
    }
    print(json + "}");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2) return usage("a command is needed");
    const std::wstring command = argv[1];
    if (command == L"serve") return serve(argc, argv);
    if (command == L"send") return send(argc, argv);
    if (command == L"sections") return sections(argc);
    return usage("unknown command");
}

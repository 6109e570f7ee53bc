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
#include <cwchar>
#include <deque>
#include <string>
#include <vector>

#include "foundation/toolbar_contract.h"
#include "platform/win32/wide.h"
#include "tools/browser_standin/standin_dialog.h"
#include "tools/browser_standin/standin_window.h"
#include "platform/win32/win32_windows.h"
#include "tools/tarnwick/json_out.h"
#include "tray/list_image.h"

namespace {

using namespace tarnwick;
using cli::JsonString;
using cli::JsonStringArray;

using standin::Browser;
using standin::Role;
using standin::StandinDialog;
using standin::StandinWindow;

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

// The stand-in's windows and dialogs live as long as the process; a deque never moves them.
class StandinWindows {
public:
    explicit StandinWindows(Browser& browser) : browser_(browser) {}

    HWND create(std::u16string_view windowClass, std::u16string_view title, HWND parent, Role role) {
        StandinWindow& window = windows_.emplace_back(role, browser_);
        return window.create(windowClass, title, parent) ? window.handle() : nullptr;
    }
    bool createDialog(std::u16string_view title) { return dialogs_.emplace_back(browser_.log).create(title); }

    bool createFrame(int tabs) {
        using namespace window_class;
        const HWND frame = create(kBrowserFrame, u"Browser stand-in", nullptr, Role::Frame);
        if (!frame) return false;
        ++browser_.openFrames;
        for (int i = 0; i < tabs; ++i) {
            const HWND tab = create(kBrowserTab, u"", frame, Role::Plain);
            const HWND view = create(kPageView, u"", tab, Role::Plain);
            if (!create(kPage, u"", view, Role::Page)) return false;
        }
        const HWND host = create(kToolbarHost, u"", frame, Role::Plain);
        const HWND worker = create(kToolbarWorker, u"", host, Role::Plain);
        const HWND rebar = create(kToolbarRebar, u"", worker, Role::Plain);
        return create(kToolbar, u"", rebar, Role::Toolbar) != nullptr;
    }

private:
    Browser& browser_;
    std::deque<StandinWindow> windows_;
    std::deque<StandinDialog> dialogs_;
};

bool parseCount(const wchar_t* text, int& value) {
    wchar_t* end = nullptr;
    const long n = std::wcstol(text, &end, 10);
    if (end == text || *end != L'\0' || n < 0 || n > 64) return false;
    value = static_cast<int>(n);
    return true;
}

int serve(int argc, wchar_t** argv) {
    Browser browser;
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
                browser.log.setFile(value);
            } else if (!parseCount(value, option == L"--frames" ? frames : tabs)) {
                return usage("--frames and --tabs take a number from 0 to 64");
            }
        } else {
            return usage("unknown or incomplete option");
        }
    }
    StandinWindows windows(browser);
    for (int i = 0; i < frames; ++i) {
        if (!windows.createFrame(tabs)) return 1;
    }
    if (dialogs) {
        for (const char16_t* title : {u"Save Forms", u"New Identity", u"Tarnwick"}) {
            if (!windows.createDialog(title)) return 1;
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
                    ",\"matchKeys\":" + JsonStringArray(ReadBlock(lists.bytes, file_mapping::kMatchKeysOffset)) + "}";
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

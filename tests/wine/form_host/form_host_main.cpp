// form_host PAGE.html [--fill ID=VALUE]...: shows a form page from a file in
// the form pane, changed as the editors would change it, and writes one JSON
// line per user edit and per focus change to standard output. For the Wine
// tests and for looking at the pages by hand.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "htmlform/win32/html_resource.h"
#include "platform/utf8.h"
#include "platform/win32/wide.h"
#include "tests/wine/form_host/form_host_options.h"
#include "tests/wine/form_host/form_host_window.h"

namespace {

std::vector<std::u16string> commandArguments() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::u16string> result;
    for (int i = 1; arguments != nullptr && i < count; ++i) result.push_back(tarnwick::FromWide(arguments[i]));
    if (arguments != nullptr) LocalFree(arguments);
    return result;
}

bool readFile(const std::u16string& path, std::string& bytes) {
    HANDLE file = CreateFileW(tarnwick::AsWide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char buffer[65536];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != FALSE) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return ok;
}

void complain(const std::u16string& text) {
    const std::string line = tarnwick::Utf16ToUtf8(text) + "\n";
    std::fputs(line.c_str(), stderr);
}

}  // namespace

int main() {
    using namespace tarnwick;
    std::u16string error;
    const auto options = ParseFormHostOptions(commandArguments(), error);
    if (!options) {
        complain(error);
        std::fputs(kFormHostUsage, stderr);
        return 2;
    }
    std::string bytes;
    if (!readFile(options->pagePath, bytes)) {
        complain(u"cannot read " + options->pagePath);
        return 1;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    FormHostWindow window;
    if (!window.create(820, 680)) {
        complain(u"cannot create the window");
        return 1;
    }
    window.loadPage(DecodeHtmlBytes(bytes));
    for (const PageChange& change : options->changes) {
        if (!ApplyPageChange(window.view().document(), change)) complain(u"not applied: " + change.id);
    }
    ShowWindow(window.handle(), SW_SHOW);
    UpdateWindow(window.handle());
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

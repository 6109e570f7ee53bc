// The tree host as a program: "tarnwick_tree_host identity|passcard <user folder>"
// shows the library tree of that folder in a window of the editor's class.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "cardtree/tree_flavour.h"
#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/window_signals.h"
#include "platform/win32/win32_launcher.h"
#include "platform/win32/win32_prompts.h"
#include "platform/win32/win32_windows.h"
#include "tests/wine/tree_host/tree_host_window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace tarnwick;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count != 3) {
        MessageBoxW(nullptr, L"usage: tarnwick_tree_host identity|passcard <user folder>", L"Tarnwick", MB_OK);
        return 2;
    }
    const bool identity = std::wstring(arguments[1]) == L"identity";
    const std::u16string root(reinterpret_cast<const char16_t*>(arguments[2]));
    LocalFree(arguments);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    Win32Windows windows;
    Win32Launcher launcher;
    Win32Prompts prompts;
    WindowSignals signals(windows, launcher);
    const MessageCatalogue catalogue(identity ? IdentityCatalogueRows(DisplayLanguage::English)
                                              : PasscardCatalogueRows(DisplayLanguage::English));
    TreeHostWindow host(identity ? IdentityTreeFlavour() : PasscardTreeFlavour(), root,
                        CardTreePorts{NativeFileSystem(), prompts, signals, launcher}, catalogue);
    if (!host.create()) return 1;
    SetWindowTextW(host.window(), identity ? L"Identity library" : L"Passcard library");
    MSG message;
    while (IsWindow(host.window()) && GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

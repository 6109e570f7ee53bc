// Brenholt, the tray program: builds the real adapters, runs the start-up
// steps, creates the hidden window and runs its message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "foundation/message_catalogue.h"
#include "platform/win32/win32_launcher.h"
#include "platform/win32/win32_prompts.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_windows.h"
#include "tray/tray_icon.h"
#include "tray/tray_service.h"
#include "tray/win32/tray_window.h"
#include "tray/win32/update_thread.h"
#include "tray/win32/win32_notify_icon.h"
#include "tray/win32/win32_shared_sections.h"
#include "tray/win32/win32_shell_copy.h"
#include "tray/win32/win32_small_adapters.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace tarnwick;
    Win32Registry registry;
    Win32Windows windows;
    Win32Launcher launcher;
    Win32Prompts prompts;
    Win32SharedSections sections;
    Win32HotKeys hotKeys;
    Win32WindowDisplay display;
    Win32ShellCopy shellCopy;
    Win32InternetSettings internet;
    Win32Processes processes;
    TrayService service(TrayPorts{NativeFileSystem(), NativeCodePage(), registry, windows, launcher, prompts, sections,
                                  hotKeys, display, shellCopy, internet, processes, MessageCatalogue::Instance()});

    service.start();
    if (service.anotherTrayRuns()) return 0;  // one tray program per desktop

    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    service.prepareWindow();
    Win32NotifyIcon notifyIcon(Win32NotifyIcon::LoadTrayIcon(instance));
    TrayIcon icon(notifyIcon);
    TrayWindow window(service, icon, instance, [&service] { StartUpdateCheck(service.user().dataRoot); });
    if (!window.create()) return 0;
    ShowWindow(window.handle(), showCommand);

    MSG message = {};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    CoUninitialize();
    return static_cast<int>(message.wParam);
}

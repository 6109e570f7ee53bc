// Mirelune, the Identity Editor: builds the real adapters, runs the start-up
// (the current user, the hand-over to a running editor), creates the main
// window and runs its message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "editor_common/editor_startup.h"
#include "editor_common/editor_traits.h"
#include "foundation/user_profile.h"
#include "foundation/window_signals.h"
#include "identity_editor/win32/mirelune_window.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_launcher.h"
#include "platform/win32/win32_prompts.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_windows.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int showCommand) {
    using namespace tarnwick;
    // The launching program passes a library path as the whole command line.
    const std::u16string arguments = FromWide(commandLine != nullptr ? commandLine : L"");
    Win32Registry registry;
    Win32Windows windows;
    Win32Launcher launcher;
    Win32Prompts prompts;
    WindowSignals signals(windows, launcher);
    UserProfile profile(registry, prompts);

    EditorStartUp startUp(IdentityEditorTraits(), profile, windows);
    if (startUp.begin(arguments) != StartUpOutcome::OpenWindow) return 0;

    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof(controls),
                                     ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    int result = 0;
    {
        MireluneWindow window(MirelunePorts{profile, prompts, signals, launcher});
        if (window.create(startUp.firstSelection(arguments), showCommand)) {
            MSG message = {};
            while (GetMessageW(&message, nullptr, 0, 0) > 0) {
                if (window.translateAccelerator(message)) continue;
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            result = static_cast<int>(message.wParam);
        }
    }
    CoUninitialize();
    return result;
}

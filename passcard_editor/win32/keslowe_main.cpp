// Keslowe, the Passcard Editor: builds the real adapters, hands over to a
// running editor or refuses to start without a current user, then builds
// the editor's objects and its window and runs the message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "cardtree/card_tree.h"
#include "cardtree/editor_clipboard.h"
#include "cardtree/tree_flavour.h"
#include "editor_common/editor_launches.h"
#include "editor_common/editor_startup.h"
#include "editor_common/editor_traits.h"
#include "foundation/message_catalogue.h"
#include "foundation/user_profile.h"
#include "foundation/window_signals.h"
#include "passcard_editor/passcard_editor_session.h"
#include "cards/passcard_record.h"
#include "passcard_editor/win32/keslowe_window.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_launcher.h"
#include "platform/win32/win32_prompts.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_windows.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int showCommand) {
    using namespace tarnwick;
    // The whole command line after the program's name is the path to show.
    const std::u16string commandLine = FromWide(arguments != nullptr ? arguments : L"");
    Win32Registry registry;
    Win32Windows windows;
    Win32Launcher launcher;
    Win32Prompts prompts;
    UserProfile profile(registry, prompts);
    EditorStartUp startUp(PasscardEditorTraits(), profile, windows);
    if (startUp.begin(commandLine) != StartUpOutcome::OpenWindow) return 0;

    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    WindowSignals signals(windows, launcher);
    PasscardRecord record(profile, prompts);
    PasscardEditorSession session(
        profile.userFolder(), record, profile.options(),
        PasscardSessionPorts{prompts, signals, NativeFileSystem(), MessageCatalogue::Instance()});
    EditorClipboard clipboard;
    CardTree tree(PasscardTreeFlavour(), profile.userFolder(), clipboard,
                  CardTreePorts{NativeFileSystem(), prompts, signals, launcher});
    EditorLaunches launches(PasscardEditorTraits(), profile, signals, launcher);
    int exitCode = 0;
    {
        KesloweWindow window(KesloweParts{session, tree, launches, profile.options(), windows.majorVersion()});
        if (window.create(startUp.firstSelection(commandLine).path, showCommand)) exitCode = window.run();
    }
    CoUninitialize();
    return exitCode;
}

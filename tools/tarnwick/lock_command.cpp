// lock: what the tray program's Lock does, from the command line. The tray
// window, when one runs, is asked with copy-data 70 (it then tells the
// editors); the current user's "[KEY]" becomes "0" in any case.
#include <string>

#include "foundation/toolbar_contract.h"
#include "foundation/user_profile.h"
#include "tools/tarnwick/cli_registry.h"
#include "tools/tarnwick/commands.h"
#include "tools/tarnwick/json_out.h"
#include "tray/current_user.h"

#ifdef _WIN32
#include "platform/win32/win32_windows.h"
#endif

namespace tarnwick::cli {
namespace {

// True when a tray window answered code 70.
bool askTheTray() {
#ifdef _WIN32
    Win32Windows windows;
    const std::vector<WindowRef> trays = windows.findTopLevel(window_class::kTray);
    if (trays.empty()) return false;
    return windows.sendCopyData(trays.front(), tray_code::kLock, std::nullopt) == tray_code::kLock;
#else
    return false;  // no window system here
#endif
}

}  // namespace

int RunLock(ArgList& args) {
    args.expectEnd();
    const bool trayLocked = askTheTray();
    const CurrentUser user = ReadCurrentUser(CliRegistry());
    if (!user.exists()) {
        PrintError("tarnwick lock: there is no current user (\"RootUser\" is not set)");
        return 1;
    }
    ForgetRememberedPassword(user.folder);
    PrintLine("{\"userFolder\":" + JsonString(user.folder) + ",\"tray\":" + (trayLocked ? "true" : "false") + "}");
    return 0;
}

}  // namespace tarnwick::cli

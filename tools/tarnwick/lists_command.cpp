// lists: the card lists the tray program publishes for a user folder, computed
// by the same code: {"passcards":[...],"identities":[...],"matchKeys":[...]}.
#include "tools/tarnwick/cli_paths.h"
#include "tools/tarnwick/commands.h"
#include "tools/tarnwick/json_out.h"
#include "tray/card_lists.h"

namespace tarnwick::cli {

int RunLists(ArgList& args) {
    const std::u16string userFolder = ToCorePath(args.takePositional("USERFOLDER"));
    args.expectEnd();
    CardListBuilder builder(NativeFileSystem(), NativeCodePage());
    const CardLists lists = builder.buildAll(userFolder);
    PrintLine("{\"passcards\":" + JsonStringArray(lists.passcards) + ",\"identities\":" +
              JsonStringArray(lists.identities) + ",\"matchKeys\":" + JsonStringArray(lists.matchKeys) + "}");
    return 0;
}

}  // namespace tarnwick::cli

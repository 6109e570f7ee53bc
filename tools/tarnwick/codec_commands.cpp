// seal, unseal, check-text, lines: the codec and the text reader from the command line.
#include <string>

#include "foundation/primary_password.h"
#include "foundation/sealed_text.h"
#include "foundation/secure_zero.h"
#include "foundation/text_file.h"
#include "platform/code_page.h"
#include "platform/utf8.h"
#include "tools/tarnwick/cli_paths.h"
#include "tools/tarnwick/commands.h"
#include "tools/tarnwick/json_out.h"

namespace tarnwick::cli {
namespace {

int parseKeyMode(const std::u16string& word) {
    if (word == u"0") return KeyModeUser;
    if (word == u"1") return KeyModeCommon;
    if (word == u"2") return KeyModeOption;
    throw UsageError("MODE must be 0, 1 or 2, not " + Utf16ToUtf8(word));
}

// Mode 0 seals with the primary password: it comes from --password here.
void takePasswordFor(int mode, ArgList& args) {
    std::optional<std::u16string> password = args.takeOption(u"password");
    if (mode == KeyModeUser && !password) throw UsageError("mode 0 needs --password PW");
    if (password) {
        std::string narrow = NativeCodePage().toNarrow(*password, CodePage::Which::Thread);
        SetCurrentPrimaryPassword(narrow);
        SecureZero(narrow.data(), narrow.size());
    }
}

}  // namespace

int RunSeal(ArgList& args) {
    const int mode = parseKeyMode(args.takePositional("MODE"));
    const std::u16string text = args.takePositional("TEXT");
    takePasswordFor(mode, args);
    args.expectEnd();
    PrintLine(Utf16ToUtf8(SealText(text, u"Blowfish", mode)));
    return 0;
}

int RunUnseal(ArgList& args) {
    const int mode = parseKeyMode(args.takePositional("MODE"));
    const std::u16string sealed = args.takePositional("SEALED");
    takePasswordFor(mode, args);
    args.expectEnd();
    PrintLine(Utf16ToUtf8(UnsealText(sealed, u"Blowfish", mode)));
    return 0;
}

int RunCheckText(ArgList& args) {
    const std::u16string text = args.takePositional("TEXT");
    args.expectEnd();
    PrintLine(Utf16ToUtf8(MakeCheckText(text)));
    return 0;
}

int RunLines(ArgList& args) {
    const std::u16string path = ToCorePath(args.takePositional("FILE"));
    args.expectEnd();
    PrintLine(JsonStringArray(ReadTextLines(path)));
    return 0;
}

}  // namespace tarnwick::cli

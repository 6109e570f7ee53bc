// tarnwick: the companion command line of Tarnwick. It stands in for the
// installer and the browser toolbar, and shows what the formats hold.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "foundation/text_file.h"
#include "platform/utf8.h"
#include "tools/tarnwick/cli_args.h"
#include "tools/tarnwick/commands.h"

namespace tarnwick::cli {
namespace {

const Command kCommands[] = {
    {"seal", "seal MODE TEXT [--password PW]", RunSeal},
    {"unseal", "unseal MODE SEALED [--password PW]", RunUnseal},
    {"check-text", "check-text TEXT", RunCheckText},
    {"lines", "lines FILE", RunLines},
    {"catalogue", "catalogue identity|passcard|tray", RunCatalogue},
    {"lists", "lists USERFOLDER", RunLists},
    {"new-user", "new-user DATAROOT NAME PASSWORD [--option KEY=VALUE]... [--register [--program-folder DIR]]",
     RunNewUser},
    {"option", "option get USERFOLDER KEY | option set USERFOLDER KEY VALUE", RunOption},
    {"new-passcard",
     "new-passcard FILE --url URL [--field NAME:TYPE:VALUE]... [--match-key TEXT] [--default] "
     "[--protected --password PW]",
     RunNewPasscard},
    {"new-identity", "new-identity FILE [--set TAG=VALUE]... [--custom NAME=VALUE]... [--protected --password PW]",
     RunNewIdentity},
    {"show", "show FILE [--password PW]", RunShow},
    {"set-default", "set-default FILE on|off", RunSetDefault},
    {"protect", "protect FILE on|off --password PW", RunProtect},
    {"check", "check FOLDER", RunCheck},
    {"find", "find USER_FOLDER TEXT [--secrets] [--password-file FILE]", RunFind},
    {"health", "health USER_FOLDER [--password-file FILE] [--breached FILE] [--json]", RunHealth},
    {"lock", "lock", RunLock},
    {"generate", "generate [--length N] [--classes lower,upper,digits,symbols] [--no-lookalikes] [--words N]",
     RunGenerate},
    {"export", "export USER_FOLDER FILE.json [--password-file FILE]", RunExport},
    {"import", "import USER_FOLDER FILE [--password-file FILE] [--format tarnwick|browser-csv|manager-csv|cloud-json]",
     RunImport},
};

void printUsage() {
    std::string text = "usage: tarnwick COMMAND ...; commands:";
    for (const Command& command : kCommands) text += std::string(" ") + command.usage + ";";
    text.pop_back();
    PrintError(text);
}

int run(std::vector<std::u16string> words) {
    if (words.empty()) {
        printUsage();
        return 2;
    }
    const std::string name = Utf16ToUtf8(words.front());
    words.erase(words.begin());
    for (const Command& command : kCommands) {
        if (name != command.name) continue;
        ArgList args(std::move(words));
        try {
            return command.run(args);
        } catch (const UsageError& e) {
            PrintError(std::string("tarnwick ") + command.name + ": " + e.what() + " (usage: tarnwick " +
                       command.usage + ")");
            return 2;
        } catch (const CTextFileException& e) {
            PrintError(std::string("tarnwick ") + command.name + ": " + e.what());
            return 1;
        } catch (const std::exception& e) {
            PrintError(std::string("tarnwick ") + command.name + ": " + e.what());
            return 1;
        }
    }
    PrintError("tarnwick: unknown command " + name);
    printUsage();
    return 2;
}

}  // namespace

void PrintLine(const std::string& utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void PrintErrorNoBreak(const std::string& utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    std::fflush(stderr);
}

void PrintError(const std::string& utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

}  // namespace tarnwick::cli

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    // UTF-8 bytes and bare LFs go out as they are.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::u16string> words;
    for (int i = 1; i < argc; ++i) words.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
    return tarnwick::cli::run(std::move(words));
}
#else
int main(int argc, char** argv) {
    std::vector<std::u16string> words;
    for (int i = 1; i < argc; ++i) words.push_back(tarnwick::Utf8ToUtf16(argv[i]));
    return tarnwick::cli::run(std::move(words));
}
#endif

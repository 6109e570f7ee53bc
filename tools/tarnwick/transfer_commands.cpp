// export and import: a user's cards to and from a JSON file, and imports from
// the files other password managers and browsers write. The work is the
// transfer library's; here are the password, the progress bar and the report.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>

#ifdef _WIN32
#include <conio.h>
#include <io.h>
#else
#include <termios.h>
#include <unistd.h>
#endif

#include "foundation/option_store.h"
#include "foundation/sealed_text.h"
#include "foundation/secret_text.h"
#include "foundation/text_file.h"
#include "foundation/user_profile.h"
#include "platform/utf8.h"
#include "tools/tarnwick/cli_cards.h"
#include "tools/tarnwick/cli_paths.h"
#include "tools/tarnwick/commands.h"
#include "transfer/card_import.h"
#include "transfer/export_file.h"
#include "transfer/file_bytes.h"
#include "transfer/import_formats.h"

namespace tarnwick::cli {
namespace {

// An import file larger than this is refused before it is parsed.
constexpr std::size_t kMaxImportBytes = std::size_t{256} * 1024 * 1024;

bool isTerminal(std::FILE* stream) {
#ifdef _WIN32
    return _isatty(_fileno(stream)) != 0;
#else
    return ::isatty(::fileno(stream)) != 0;
#endif
}

// One line typed on the terminal without echo.
std::u16string readHiddenLine() {
    PrintErrorNoBreak("primary password: ");
#ifdef _WIN32
    std::u16string typed;
    for (wint_t c = _getwch(); c != L'\r' && c != L'\n' && c != WEOF; c = _getwch()) {
        if (c == L'\b') {
            if (!typed.empty()) typed.pop_back();
        } else {
            typed += static_cast<char16_t>(c);
        }
    }
#else
    termios saved{};
    const bool hidden = ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (hidden) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    std::string line;
    std::getline(std::cin, line);
    if (hidden) ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::u16string typed = Utf8ToUtf16(line);
    WipeText(line);
#endif
    PrintError("");
    return typed;
}

// The password from "--password-file FILE" (its first line), else typed on
// the terminal when stdin is one and `ask`, else none. A password that is not
// the user's is a usage error.
std::optional<std::u16string> primaryPassword(const std::optional<std::u16string>& file,
                                              const std::u16string& userFolder, bool ask) {
    std::optional<std::u16string> password;
    if (file) {
        password = ReadPasswordFile(ToCorePath(*file));
    } else if (ask && isTerminal(stdin)) {
        password = readHiddenLine();
    }
    if (password) {
        try {
            ExpectUsersPassword(*password, userFolder);
        } catch (...) {
            WipeText(*password);
            throw;
        }
    }
    return password;
}

std::u16string userFolderOf(ArgList& args) {
    const std::u16string folder = ToCorePath(args.takePositional("USER_FOLDER"));
    if (!IsUserFolder(folder)) throw UsageError("not a user folder (no option file): " + Utf16ToUtf8(folder));
    return folder;
}

void printList(const char* heading, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) PrintLine(std::string(heading) + ": " + line);
}

// A bar on stderr when a person watches it.
class ProgressBar {
public:
    ProgressBar() : shown_(isTerminal(stderr)) {}
    ~ProgressBar() {
        if (shown_ && drawn_) PrintError("");
    }
    void operator()(std::size_t done, std::size_t total) {
        if (!shown_ || total < 20) return;
        const std::size_t width = 40;
        const std::size_t filled = done * width / total;
        if (drawn_ && filled == lastFilled_ && done != total) return;
        lastFilled_ = filled;
        drawn_ = true;
        const std::string bar = "\r[" + std::string(filled, '#') + std::string(width - filled, '.') + "] " +
                                std::to_string(done) + "/" + std::to_string(total);
        PrintErrorNoBreak(bar);
    }

private:
    bool shown_;
    bool drawn_ = false;
    std::size_t lastFilled_ = 0;
};

}  // namespace

int RunExport(ArgList& args) {
    const std::u16string userFolder = userFolderOf(args);
    const std::u16string given = args.takePositional("FILE.json");
    const std::u16string target = ToCorePath(given);
    const std::optional<std::u16string> passwordFile = args.takeOption(u"password-file");
    args.expectEnd();
    std::optional<std::u16string> password = primaryPassword(passwordFile, userFolder, true);
    const bool withPassword = password.has_value();
    CliPasswordGate gate(std::move(password));
    const transfer::UserCards cards = transfer::ReadUserCards(userFolder, NativeFileSystem(), gate, withPassword);
    std::string json = transfer::ExportJson(cards);
    transfer::WriteFileBytes(target, json);
    WipeText(json);
    PrintLine("exported " + std::to_string(cards.cards.size()) + " cards to " + Utf16ToUtf8(given));
    for (const transfer::LeftOutCard& card : cards.leftOut) {
        const std::string why =
            card.reason == "protected" ? "protected, and no primary password was given" : card.reason;
        PrintLine("left out: " + transfer::CardLabel(card.folder, card.name) + " (" + why + ")");
    }
    return cards.leftOut.empty() ? 0 : 1;
}

int RunImport(ArgList& args) {
    const std::u16string userFolder = userFolderOf(args);
    const std::u16string source = ToCorePath(args.takePositional("FILE"));
    std::optional<transfer::ImportFormat> format;
    if (const std::optional<std::u16string> named = args.takeOption(u"format")) {
        format = transfer::FormatNamed(*named);
        if (!format) throw UsageError("--format is tarnwick, browser-csv, manager-csv or cloud-json");
    }
    const std::optional<std::u16string> passwordFile = args.takeOption(u"password-file");
    args.expectEnd();

    std::string bytes = transfer::ReadFileBytes(source, kMaxImportBytes);
    if (!format) format = transfer::DetectFormat(bytes);
    if (!format) {
        PrintError("tarnwick import: the file's format is not recognised; name it with --format");
        return 1;
    }
    const transfer::ParsedCards parsed = transfer::ReadImportFile(bytes, *format);
    WipeText(bytes);
    // Only protected cards need the password: other files import without a prompt.
    const bool needed = std::any_of(parsed.cards.begin(), parsed.cards.end(),
                                    [](const transfer::TransferCard& card) { return card.isProtected; });
    std::optional<std::u16string> password = primaryPassword(passwordFile, userFolder, needed);

    const bool withPassword = password.has_value();
    CliPasswordGate gate(std::move(password));
    transfer::CardImporter importer(userFolder, NativeFileSystem(), gate, withPassword);
    transfer::ImportReport report;
    {
        ProgressBar bar;
        report = importer.run(parsed.cards, [&](std::size_t done, std::size_t total) { bar(done, total); });
    }
    report.skipped.insert(report.skipped.begin(), parsed.skipped.begin(), parsed.skipped.end());
    PrintLine("made " + std::to_string(report.made.size()) + ", renamed " + std::to_string(report.renamed.size()) +
              ", already there " + std::to_string(report.present.size()) + ", skipped " +
              std::to_string(report.skipped.size()));
    printList("renamed", report.renamed);
    printList("already there", report.present);
    printList("skipped", report.skipped);
    return report.skipped.empty() ? 0 : 1;
}

}  // namespace tarnwick::cli

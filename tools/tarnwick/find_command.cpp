// find: the cards of a user's library that hold a text, each printed as its
// path below the user folder and the places that hold it; never a value.
#include <string>
#include <vector>

#include "foundation/primary_password.h"
#include "foundation/secret_text.h"
#include "platform/code_page.h"
#include "platform/utf8.h"
#include "search/card_search.h"
#include "tools/tarnwick/cli_cards.h"
#include "tools/tarnwick/cli_paths.h"
#include "tools/tarnwick/commands.h"

namespace tarnwick::cli {
namespace {

void holdPassword(std::u16string password) {
    std::string narrow = NativeCodePage().toNarrow(password, CodePage::Which::Thread);
    SetCurrentPrimaryPassword(narrow);
    WipeText(narrow);
    WipeText(password);
}

std::string describe(const std::vector<SearchHit>& hits) {
    std::string text;
    for (const SearchHit& hit : hits) {
        if (!text.empty()) text += ", ";
        text += Utf16ToUtf8(DescribeHit(hit));
    }
    return text;
}

}  // namespace

int RunFind(ArgList& args) {
    const bool secrets = args.takeFlag(u"secrets");
    const std::optional<std::u16string> passwordFile = args.takeOption(u"password-file");
    const std::u16string userFolder = ToCorePath(args.takePositional("USER_FOLDER"));
    const std::u16string text = args.takePositional("TEXT");
    args.expectEnd();
    if (text.empty()) throw UsageError("the text to find is empty");
    FolderEntry folder;
    if (NativeFileSystem().queryEntry(userFolder, folder) != kErrorSuccess || !folder.isFolder) {
        throw UsageError("no such folder: " + Utf16ToUtf8(userFolder));
    }
    // Secret values are searched only for whoever proves to be the user.
    if (secrets && !passwordFile) throw UsageError("--secrets needs --password-file");
    if (passwordFile) {
        std::u16string password = ReadPasswordFile(ToCorePath(*passwordFile));
        try {
            ExpectUsersPassword(password, userFolder);
        } catch (...) {
            WipeText(password);
            throw;
        }
        holdPassword(std::move(password));
    }

    const SearchText wanted(text);
    CardSearch search(NativeFileSystem(), userFolder, {.secrets = secrets, .openProtected = passwordFile.has_value()});
    const std::vector<CardMatch> matches = search.searchLibrary(wanted);
    ClearCurrentPrimaryPassword();
    for (const CardMatch& match : matches) {
        const std::u16string relative = match.path.substr(userFolder.size() + (userFolder.back() == u'\\' ? 0 : 1));
        PrintLine(Utf16ToUtf8(ToDisplayPath(relative)) + ": " + describe(match.hits));
    }
    if (search.skippedProtected() > 0) {
        PrintError("tarnwick find: " + std::to_string(search.skippedProtected()) +
                   " protected card(s) not searched (no primary password, or another user's)");
    }
    if (search.unreadable() > 0) {
        PrintError("tarnwick find: " + std::to_string(search.unreadable()) + " card(s) damaged or unreadable");
    }
    return matches.empty() ? 1 : 0;
}

}  // namespace tarnwick::cli

// check: walks a card library and names every card file that fails its check.
#include <string>
#include <vector>

#include "cards/identity_record.h"
#include "cards/passcard_record.h"
#include "foundation/text_file.h"
#include "platform/utf8.h"
#include "tools/tarnwick/cli_cards.h"
#include "tools/tarnwick/cli_paths.h"
#include "tools/tarnwick/commands.h"

namespace tarnwick::cli {
namespace {

struct CardChecker {
    CliPasswordGate gate{std::nullopt};
    CliPrompts prompts;
    IdentityRecord identity{gate, prompts, NativeFileSystem(), IdentityMessages()};
    PasscardRecord passcard{gate, prompts, NativeFileSystem(), PasscardMessages()};

    bool intact(const std::u16string& path, CardFileKind kind) const {
        bool isProtected = false;
        return kind == CardFileKind::Identity ? identity.readProtection(path, isProtected)
                                              : passcard.readProtection(path, isProtected);
    }
};

std::optional<CardFileKind> cardKindOf(const std::u16string& name) {
    try {
        return KindOfCard(name);
    } catch (const UsageError&) {
        return std::nullopt;
    }
}

// Depth first, in the order the file system lists; returns the number of failures.
int walk(const std::u16string& folder, const std::u16string& relative, CardChecker& checker) {
    std::vector<FolderEntry> entries;
    const std::uint32_t error = NativeFileSystem().listFolder(folder, entries);
    if (error != kErrorSuccess) {
        PrintError("tarnwick check: cannot list " + Utf16ToUtf8(folder) + " (error " + std::to_string(error) + ")");
        return 1;
    }
    int failures = 0;
    for (const FolderEntry& entry : entries) {
        const std::u16string path = folder + u"\\" + entry.name;
        const std::u16string shown = relative.empty() ? entry.name : relative + u"\\" + entry.name;
        if (entry.isFolder) {
            failures += walk(path, shown, checker);
            continue;
        }
        const std::optional<CardFileKind> kind = cardKindOf(entry.name);
        if (!kind) continue;
        try {
            if (checker.intact(path, *kind)) continue;
        } catch (const CTextFileException& failure) {
            // Unreadable is not damaged: said on stderr, and it fails the check.
            PrintError("tarnwick check: cannot read " + Utf16ToUtf8(ToDisplayPath(shown)) + " (error " +
                       std::to_string(failure.errorCode()) + ")");
            ++failures;
            continue;
        }
        PrintLine(Utf16ToUtf8(ToDisplayPath(shown)));
        ++failures;
    }
    return failures;
}

}  // namespace

int RunCheck(ArgList& args) {
    std::u16string folder = ToCorePath(args.takePositional("FOLDER"));
    args.expectEnd();
    while (folder.size() > 3 && folder.back() == u'\\') folder.pop_back();
    CardChecker checker;
    return walk(folder, u"", checker) == 0 ? 0 : 1;
}

}  // namespace tarnwick::cli

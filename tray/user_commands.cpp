#include "tray/user_commands.h"

#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/message_box.h"
#include "foundation/option_store.h"
#include "foundation/toolbar_contract.h"
#include "foundation/user_profile.h"

namespace tarnwick {
namespace {

namespace key = catalogue_key;

constexpr std::u16string_view kSearchPatternTail = u"\\*.*";

bool fitsBuffer(std::u16string_view path) { return path.size() <= kMaxPathChars; }

char16_t upper(char16_t c) { return c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c; }

// Windows compares path names without regard to case.
bool samePath(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

std::u16string join(std::u16string_view folder, std::u16string_view name) {
    std::u16string path(folder);
    path += u'\\';
    path += name;
    return path;
}

}  // namespace

UserCommands::UserCommands(UserCommandPorts ports) : ports_(ports) {}

bool UserCommands::exists(const std::u16string& path) {
    FolderEntry entry;
    return ports_.files.queryEntry(path, entry) == kErrorSuccess;
}

bool UserCommands::IsUserFolder(std::u16string_view folder) {
    // The option file's path must fit the buffers the folder is used in.
    if (folder.empty() || !fitsBuffer(join(folder, kOptionFileName))) return false;
    return tarnwick::IsUserFolder(folder, ports_.files);
}

WindowRef UserCommands::FindOptionsDialog() {
    const std::u16string& title = ports_.catalogue.Lookup(key::kOptionsTitle);
    for (const WindowRef dialog : ports_.windows.findTopLevel(window_class::kDialog)) {
        if (ports_.windows.windowText(dialog) == title) return dialog;
    }
    return kNoWindow;
}

void UserCommands::showResult(std::u16string_view textKey) {
    ShowMessage(ports_.prompts, FindOptionsDialog(), kTrayResultBox, textKey, ports_.catalogue);
}

void UserCommands::showWarning(std::u16string_view textKey) {
    ShowMessage(ports_.prompts, FindOptionsDialog(), kWarningBox, textKey, ports_.catalogue);
}

void UserCommands::copyWithResult(const std::u16string& from, const std::u16string& to,
                                  std::u16string_view successKey, std::u16string_view failureKey) {
    const ShellCopyResult result =
        ports_.shellCopy.copyFolder(ports_.prompts.activeWindow(), from, to);
    if (result.status != 0) {
        showResult(failureKey);
    } else if (!result.aborted) {
        showResult(successKey);
    }
}

void UserCommands::BackupCurrentUser(const CurrentUser& user, std::u16string_view destination) {
    const std::u16string target = join(destination, user.name);
    // Without a user, or with a path the shell's buffers cannot hold, nothing is copied.
    if (!user.exists() || !fitsBuffer(user.folder) || !fitsBuffer(target)) {
        showResult(key::kBackupFailure);
        return;
    }
    if (exists(target)) {
        showWarning(key::kSameNameFolder);
        return;
    }
    copyWithResult(user.folder, target, key::kBackupSuccess, key::kBackupFailure);
}

void UserCommands::ImportUser(const CurrentUser& user, std::u16string_view source) {
    const std::u16string optionFile = join(source, kOptionFileName);
    const std::u16string target = join(user.dataRoot, LastComponentOf(source));
    if (!fitsBuffer(optionFile) || !fitsBuffer(target)) {
        showResult(key::kImportFailure);
        return;
    }
    if (!exists(optionFile)) {
        showWarning(key::kNoUserData);
        return;
    }
    // Without a user there is no data root to import into.
    if (!user.exists()) {
        showResult(key::kImportFailure);
        return;
    }
    if (exists(target)) {
        showWarning(key::kSameNameFolder);
        return;
    }
    copyWithResult(std::u16string(source), target, key::kImportSuccess,
                   key::kImportFailure);
}

bool UserCommands::SwitchUser(std::u16string_view folder) {
    // Any process on the desktop can send this: only a user folder is taken.
    if (!IsUserFolder(folder)) return false;
    ports_.signals.CloseEditorsAndBrowsers();
    return SetCurrentUser(ports_.registry, folder);
}

bool UserCommands::RemoveUser(const CurrentUser& user, std::u16string_view folder) {
    // Any process on the desktop can send this: only a user folder directly
    // inside the current data root is deleted.
    const std::u16string name = LastComponentOf(folder);
    if (!user.exists() || name.empty() || name == u"." || name == u".." ||
        !samePath(ParentOf(folder), user.dataRoot) || !IsUserFolder(folder)) {
        return false;
    }
    const std::u16string path(folder);
    ports_.signals.CloseEditorsAndBrowsers();
    // The removed user's own keys go with the folder.
    DeleteKeyTree(ports_.registry, join(registry::kTarnwickKey, name));
    ports_.signals.CloseEditorsAndBrowsers();
    DeleteFolderTree(path);
    SetCurrentUser(ports_.registry, firstUserFolderIn(ParentOf(path)));
    return true;
}

std::u16string UserCommands::firstUserFolderIn(const std::u16string& parent) {
    std::vector<FolderEntry> entries;
    if (!fitsBuffer(parent + std::u16string(kSearchPatternTail)) ||
        ports_.files.listFolder(parent, entries) != kErrorSuccess) {
        return {};
    }
    for (const FolderEntry& entry : entries) {
        if (!entry.isFolder) continue;
        const std::u16string candidate = join(parent, entry.name);
        if (IsUserFolder(candidate)) return candidate;
    }
    return {};
}

bool UserCommands::DeleteFolderTree(const std::u16string& folder) {
    if (fitsBuffer(folder + std::u16string(kSearchPatternTail))) {
        std::vector<FolderEntry> entries;
        ports_.files.listFolder(folder, entries);
        for (const FolderEntry& entry : entries) {
            const std::u16string child = join(folder, entry.name);
            if (!fitsBuffer(child)) continue;  // a cut path would name another entry
            if (entry.isFolder) {
                DeleteFolderTree(child);
            } else {
                ports_.files.deleteFile(child);
            }
        }
    }
    if (ports_.files.removeFolder(folder) == kErrorSuccess) return true;
    ShowMessage(ports_.prompts, ports_.prompts.activeWindow(), kErrorBox,
                key::kDeleteFolderFailure, ports_.catalogue);
    return false;
}

}  // namespace tarnwick

#include "tray/user_commands.h"

#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/message_box.h"
#include "foundation/option_store.h"
#include "foundation/toolbar_contract.h"
#include "foundation/user_profile.h"
#include "foundation/windows_path.h"

namespace tarnwick {
namespace {

namespace key = catalogue_key;

constexpr std::u16string_view kSearchPatternTail = u"\\*.*";

// The user's data root resolved; nothing without a user or when it cannot be
// resolved. "C:\alice" has the data root "C:": the root of drive C, not the
// drive's current folder.
std::optional<std::u16string> dataRootOf(const CurrentUser& user) {
    return user.exists() ? ResolveWindowsPath(JoinPath(user.dataRoot, {})) : std::nullopt;
}

}  // namespace

UserCommands::UserCommands(UserCommandPorts ports) : ports_(ports) {}

bool UserCommands::exists(const std::u16string& path) {
    FolderEntry entry;
    return ports_.files.queryEntry(path, entry) == kErrorSuccess;
}

bool UserCommands::IsUserFolder(std::u16string_view folder) {
    // The option file's path must fit the buffers the folder is used in.
    if (folder.empty() || !FitsPathBuffer(JoinPath(folder, kOptionFileName))) return false;
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

void UserCommands::copyWithResult(const std::u16string& from, const std::u16string& to, std::u16string_view successKey,
                                  std::u16string_view failureKey) {
    const ShellCopyResult result = ports_.shellCopy.copyFolder(ports_.prompts.activeWindow(), from, to);
    if (result.status != 0) {
        showResult(failureKey);
    } else if (!result.aborted) {
        showResult(successKey);
    }
}

// Every folder named in these commands comes from another process: it is
// resolved as the file system will read it, checked, and only the resolved
// path is acted on.

void UserCommands::BackupCurrentUser(const CurrentUser& user, std::u16string_view destination) {
    const auto source = user.exists() ? ResolveWindowsPath(user.folder) : std::nullopt;
    const auto into = ResolveWindowsPath(destination);
    // Without a user, with a destination that cannot be resolved or lies in the
    // user folder itself (a copy into itself), or with a path the shell's
    // buffers cannot hold, nothing is copied.
    if (!source || !into || IsSameOrInside(*into, *source)) {
        showResult(key::kBackupFailure);
        return;
    }
    const std::u16string target = JoinPath(*into, LastComponent(*source));
    if (!FitsPathBuffer(*source) || !FitsPathBuffer(target)) {
        showResult(key::kBackupFailure);
        return;
    }
    if (exists(target)) {
        showWarning(key::kSameNameFolder);
        return;
    }
    copyWithResult(*source, target, key::kBackupSuccess, key::kBackupFailure);
}

void UserCommands::ImportUser(const CurrentUser& user, std::u16string_view source) {
    const auto from = ResolveWindowsPath(source);
    const std::u16string_view name = from ? LastComponent(*from) : std::u16string_view();
    const std::u16string optionFile = from ? JoinPath(*from, kOptionFileName) : std::u16string();
    if (name.empty() || !FitsPathBuffer(optionFile)) {
        showResult(key::kImportFailure);
        return;
    }
    if (!exists(optionFile)) {
        showWarning(key::kNoUserData);
        return;
    }
    // Without a user there is no data root to import into; a folder holding the
    // data root would be copied into itself.
    const auto dataRoot = dataRootOf(user);
    const std::u16string target = dataRoot ? JoinPath(*dataRoot, name) : std::u16string();
    if (!dataRoot || !FitsPathBuffer(target) || IsSameOrInside(*dataRoot, *from)) {
        showResult(key::kImportFailure);
        return;
    }
    if (exists(target)) {
        showWarning(key::kSameNameFolder);
        return;
    }
    copyWithResult(*from, target, key::kImportSuccess, key::kImportFailure);
}

std::optional<std::u16string> UserCommands::userFolderInDataRoot(const CurrentUser& user, std::u16string_view folder) {
    const auto dataRoot = dataRootOf(user);
    auto path = dataRoot ? ResolveInside(folder, *dataRoot, PathPlace::DirectlyBelow) : std::nullopt;
    if (!path || !IsUserFolder(*path)) return std::nullopt;
    return path;
}

bool UserCommands::SwitchUser(const CurrentUser& user, std::u16string_view folder) {
    // Any process on the desktop can send this: only a user folder of the data
    // root is taken (any user folder while there is no data root to keep to).
    auto path = dataRootOf(user) ? userFolderInDataRoot(user, folder) : ResolveWindowsPath(folder);
    if (!path || !IsUserFolder(*path)) return false;
    ports_.signals.CloseEditorsAndBrowsers();
    return SetCurrentUser(ports_.registry, *path);
}

bool UserCommands::RemoveUser(const CurrentUser& user, std::u16string_view folder) {
    // Any process on the desktop can send this: only a user folder directly
    // inside the current data root is deleted.
    const auto path = user.exists() ? userFolderInDataRoot(user, folder) : std::nullopt;
    if (!path) return false;
    const std::u16string dataRoot = *dataRootOf(user);
    ports_.signals.CloseEditorsAndBrowsers();
    // The removed user's own keys go with the folder.
    DeleteKeyTree(ports_.registry, JoinPath(registry::kTarnwickKey, LastComponent(*path)));
    ports_.signals.CloseEditorsAndBrowsers();
    DeleteFolderTree(*path);
    SetCurrentUser(ports_.registry, firstUserFolderIn(dataRoot));
    return true;
}

std::u16string UserCommands::firstUserFolderIn(const std::u16string& parent) {
    std::vector<FolderEntry> entries;
    if (!FitsPathBuffer(parent + std::u16string(kSearchPatternTail)) ||
        ports_.files.listFolder(parent, entries) != kErrorSuccess) {
        return {};
    }
    for (const FolderEntry& entry : entries) {
        if (!entry.isFolder || !IsPlainName(entry.name)) continue;
        const std::u16string candidate = JoinPath(parent, entry.name);
        if (IsUserFolder(candidate)) return candidate;
    }
    return {};
}

bool UserCommands::DeleteFolderTree(const std::u16string& folder) {
    if (FitsPathBuffer(folder + std::u16string(kSearchPatternTail))) {
        std::vector<FolderEntry> entries;
        ports_.files.listFolder(folder, entries);
        for (const FolderEntry& entry : entries) {
            // A name the file system would read as another entry is left alone,
            // as is a path a buffer would cut.
            if (!IsPlainName(entry.name)) continue;
            const std::u16string child = JoinPath(folder, entry.name);
            if (!FitsPathBuffer(child)) continue;
            if (entry.isFolder) {
                DeleteFolderTree(child);
            } else {
                ports_.files.deleteFile(child);
            }
        }
    }
    if (ports_.files.removeFolder(folder) == kErrorSuccess) return true;
    ShowMessage(ports_.prompts, ports_.prompts.activeWindow(), kErrorBox, key::kDeleteFolderFailure, ports_.catalogue);
    return false;
}

}  // namespace tarnwick

// The toolbar's user commands: back up the current user, import a user
// folder, switch to a user, remove a user. Results are told in message boxes
// owned by the toolbar's options dialog.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "foundation/message_catalogue.h"
#include "foundation/window_signals.h"
#include "platform/file_system.h"
#include "platform/prompts.h"
#include "platform/registry.h"
#include "platform/shell_copy.h"
#include "platform/window_system.h"
#include "tray/current_user.h"

namespace tarnwick {

struct UserCommandPorts {
    FileSystem& files;
    Registry& registry;
    Prompts& prompts;
    Windows& windows;
    WindowSignals& signals;
    ShellCopy& shellCopy;
    const MessageCatalogue& catalogue;
};

class UserCommands {
public:
    explicit UserCommands(UserCommandPorts ports);

    // Every folder received is resolved as the file system reads it before it
    // is checked, and the resolved path is the one acted on.

    // Code 6: copies the user folder to destination\user name.
    void BackupCurrentUser(const CurrentUser& user, std::u16string_view destination);
    // Code 16: copies a user folder to data root\its name; "RootUser" stays.
    void ImportUser(const CurrentUser& user, std::u16string_view source);
    // Codes 1 and 2: closes the editors and browsers and makes the folder the
    // current user. Only a folder holding "option.vro", directly inside the
    // data root when there is one, is accepted; true when "RootUser" was written.
    bool SwitchUser(const CurrentUser& user, std::u16string_view folder);
    // Code 0: removes a user folder directly inside the current data root and
    // makes the first remaining user current (none: the empty text). True
    // when it acted.
    bool RemoveUser(const CurrentUser& user, std::u16string_view folder);

    // Deletes the folder and everything in it; a folder that stays shows
    // "Delete Folder failure". A path whose search pattern would not fit its
    // buffer is not entered.
    bool DeleteFolderTree(const std::u16string& folder);

    // The toolbar's options dialog ("Tarnwick"), owner of the result boxes.
    WindowRef FindOptionsDialog();
    // A folder holding "option.vro".
    bool IsUserFolder(std::u16string_view folder);

private:
    bool exists(const std::u16string& path);
    void showResult(std::u16string_view textKey);
    void showWarning(std::u16string_view textKey);
    // A shell copy of `from` to `to`, told as the two result keys say.
    void copyWithResult(const std::u16string& from, const std::u16string& to, std::u16string_view successKey,
                        std::u16string_view failureKey);
    std::u16string firstUserFolderIn(const std::u16string& parent);
    // The folder resolved, when it is a user folder directly inside the data root.
    std::optional<std::u16string> userFolderInDataRoot(const CurrentUser& user, std::u16string_view folder);

    UserCommandPorts ports_;
};

}  // namespace tarnwick

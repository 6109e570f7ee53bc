// Where a program finds its user: the current user's folder from the registry
// value "RootUser" (the data root and user name are its two halves), the
// program folder from "FilePath", and the user's primary password, recalled
// from the option file or asked for in the primary-password dialog.
#pragma once

#include <string>
#include <string_view>

#include "foundation/message_catalogue.h"
#include "foundation/option_store.h"
#include "foundation/password_gate.h"
#include "foundation/windows_path.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/prompts.h"
#include "platform/registry.h"

namespace tarnwick {

// Registry values are read into the path buffers of 260 characters with the terminator.
inline constexpr std::size_t kRegistryPathBufferChars = kPathBufferChars;

// A user folder split at its last backslash: the data root before it, the
// user name after it (no backslash: no data root, the whole text is the name).
struct UserFolderParts {
    std::u16string dataRoot;
    std::u16string userName;
};
UserFolderParts SplitUserFolder(std::u16string_view userFolder);

// A folder is a user folder when it holds an option file.
bool IsUserFolder(std::u16string_view folder, FileSystem& files = NativeFileSystem());

// Forgets the password remembered in that user's option file ("[KEY]" becomes
// "0"); a password not remembered leaves the file untouched. Raises
// CTextFileException when the file cannot be written.
void ForgetRememberedPassword(std::u16string_view userFolder, FileSystem& files = NativeFileSystem(),
                              const CodePage& codePage = NativeCodePage());

class UserProfile : public PasswordGate {
public:
    UserProfile(Registry& registry, Prompts& prompts, FileSystem& files = NativeFileSystem(),
                const MessageCatalogue& catalogue = MessageCatalogue::Instance(),
                const CodePage& codePage = NativeCodePage());

    // `LoadCurrentUser`: reads "RootUser"; when it is empty or missing shows
    // the no-user error (owner the active window) and fails.
    bool LoadCurrentUser();
    // The current-user path as loaded (the user folder), and its halves.
    const std::u16string& userFolder() const { return userFolder_; }
    std::u16string dataRoot() const { return SplitUserFolder(userFolder_).dataRoot; }
    std::u16string userName() const { return SplitUserFolder(userFolder_).userName; }
    // The user's option file, errors reported as the editors report them.
    OptionStore options() const { return OptionStore(userFolder_, &prompts_, files_, catalogue_, codePage_); }

    // `GetProgramFolder`: "FilePath", or empty after the no-program-path error.
    std::u16string GetProgramFolder();

    // `RecallPrimaryPassword`: the remembered "[KEY]", if it matches "[CHECKKEY]".
    bool RecallPrimaryPassword();
    // `RememberPrimaryPassword` and `ForgetPrimaryPassword` write "[KEY]";
    // they raise CTextFileException when the option file cannot be written.
    void RememberPrimaryPassword(std::u16string_view password);
    void ForgetPrimaryPassword();
    // `EnsurePrimaryPassword`: already known, recalled, or typed into the
    // dialog (owned by the active window, else by `parent`).
    bool EnsurePrimaryPassword(WindowRef parent) override;

    // The dialog's test of a typed password: 8 characters whose check text is "[CHECKKEY]".
    bool IsPrimaryPassword(std::u16string_view password);
    // Takes a password found right: into CurrentPrimaryPassword(), then remembered.
    void AdoptPrimaryPassword(std::u16string_view password);

    Prompts& prompts() { return prompts_; }
    const MessageCatalogue& catalogue() const { return catalogue_; }

private:
    Registry& registry_;
    Prompts& prompts_;
    FileSystem& files_;
    const MessageCatalogue& catalogue_;
    const CodePage& codePage_;
    std::u16string userFolder_;
};

}  // namespace tarnwick

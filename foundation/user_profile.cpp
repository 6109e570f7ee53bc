#include "foundation/user_profile.h"

#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/message_box.h"
#include "foundation/primary_password.h"
#include "foundation/primary_password_dialog.h"
#include "foundation/sealed_text.h"
#include "foundation/secret_text.h"
#include "foundation/toolbar_contract.h"

namespace tarnwick {

UserFolderParts SplitUserFolder(std::u16string_view userFolder) {
    return {std::u16string(ParentPath(userFolder)), std::u16string(LastComponent(userFolder))};
}

bool IsUserFolder(std::u16string_view folder, FileSystem& files) {
    FolderEntry entry;
    return files.queryEntry(OptionFilePath(folder), entry) == kErrorSuccess && !entry.isFolder;
}

UserProfile::UserProfile(Registry& registry, Prompts& prompts, FileSystem& files, const MessageCatalogue& catalogue,
                         const CodePage& codePage)
    : registry_(registry),
      prompts_(prompts),
      files_(files),
      catalogue_(catalogue),
      codePage_(codePage) {}

bool UserProfile::LoadCurrentUser() {
    userFolder_ =
        registry_.readString(registry::kTarnwickKey, registry::kRootUserValue, kRegistryPathBufferChars).value_or(u"");
    if (!userFolder_.empty()) return true;
    ShowMessage(prompts_, prompts_.activeWindow(), kErrorBox, catalogue_key::kNoUser, catalogue_);
    return false;
}

std::u16string UserProfile::GetProgramFolder() {
    std::u16string folder =
        registry_.readString(registry::kTarnwickKey, registry::kFilePathValue, kRegistryPathBufferChars).value_or(u"");
    if (folder.empty())
        ShowMessage(prompts_, prompts_.activeWindow(), kErrorBox, catalogue_key::kNoProgramPath, catalogue_);
    return folder;
}

void ForgetRememberedPassword(std::u16string_view userFolder, FileSystem& files, const CodePage& codePage) {
    const SecretText remembered(ReadOptionLine(userFolder, option_key::kKey, files, codePage).value);
    if (remembered.empty() || remembered == u"0") return;
    WriteOptionLine(userFolder, option_key::kKey, u"0", files, codePage);
}

bool UserProfile::RecallPrimaryPassword() {
    const SecretText remembered(ReadOptionLine(userFolder_, option_key::kKey, files_, codePage_).value);
    if (remembered.empty() || remembered == u"0") return false;
    const SecretText password(UnsealText(remembered.view(), kAlgorithmBlowfish, KeyModeOption, codePage_));
    if (MakeCheckText(password.view(), codePage_) != options().ReadOption(option_key::kCheckKey)) return false;
    const SecretBytes narrow(codePage_.toNarrow(password.view(), CodePage::Which::Thread));
    SetCurrentPrimaryPassword(narrow.view());
    return true;
}

void UserProfile::RememberPrimaryPassword(std::u16string_view password) {
    options().WriteOption(option_key::kKey, SealText(password, kAlgorithmBlowfish, KeyModeOption, codePage_));
}

void UserProfile::ForgetPrimaryPassword() { options().WriteOption(option_key::kKey, u"0"); }

bool UserProfile::EnsurePrimaryPassword(WindowRef parent) {
    if (HasCurrentPrimaryPassword()) return true;
    if (RecallPrimaryPassword()) return true;
    const WindowRef active = prompts_.activeWindow();
    PrimaryPasswordDialog dialog(*this);
    return dialog.run(active != kNoWindow ? active : parent);
}

bool UserProfile::IsPrimaryPassword(std::u16string_view password) {
    if (password.size() != kPrimaryPasswordLength) return false;
    return MakeCheckText(password, codePage_) == options().ReadOption(option_key::kCheckKey);
}

void UserProfile::AdoptPrimaryPassword(std::u16string_view password) {
    const SecretBytes narrow(codePage_.toNarrow(password, CodePage::Which::Thread));
    SetCurrentPrimaryPassword(narrow.view());
    RememberPrimaryPassword(password);
}

}  // namespace tarnwick

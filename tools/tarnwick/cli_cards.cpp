#include "tools/tarnwick/cli_cards.h"

#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/message_box.h"
#include "foundation/primary_password.h"
#include "foundation/option_store.h"
#include "foundation/sealed_text.h"
#include "foundation/secret_text.h"
#include "foundation/secure_zero.h"
#include "platform/file_system.h"
#include "cards/identity_tags.h"
#include "cards/passcard_record.h"
#include "platform/code_page.h"
#include "platform/utf8.h"
#include "tools/tarnwick/commands.h"

namespace tarnwick::cli {
namespace {

inline constexpr std::size_t kPrimaryPasswordLength = 8;
// Enough for any first line that holds a primary password.
inline constexpr std::size_t kPasswordFileHead = 1024;

bool endsWithNoCase(const std::u16string& text, std::u16string_view suffix) {
    if (text.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char16_t c = text[text.size() - suffix.size() + i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != suffix[i]) return false;
    }
    return true;
}

}  // namespace

CardFileKind KindOfCard(const std::u16string& path) {
    if (endsWithNoCase(path, kIdentityCardExtension)) return CardFileKind::Identity;
    if (endsWithNoCase(path, kPasscardExtension)) return CardFileKind::Passcard;
    throw UsageError("a card file ends in .vrt (identity card) or .vrc (passcard): " + Utf16ToUtf8(path));
}

std::u16string CardNameOf(const std::u16string& path) {
    const std::size_t slash = path.find_last_of(u"\\/");
    std::u16string name = slash == std::u16string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of(u'.');
    if (dot != std::u16string::npos) name.resize(dot);
    return name;
}

std::optional<std::u16string> TakePassword(ArgList& args) {
    std::optional<std::u16string> password = args.takeOption(u"password");
    if (password && password->size() != kPrimaryPasswordLength) {
        throw UsageError("a primary password is exactly 8 characters");
    }
    return password;
}

bool TakeOnOff(ArgList& args) {
    const std::u16string word = args.takePositional("on|off");
    if (word == u"on") return true;
    if (word == u"off") return false;
    throw UsageError("expected on or off, not " + Utf16ToUtf8(word));
}

bool CliPasswordGate::EnsurePrimaryPassword(WindowRef) {
    if (!password_) {
        refused_ = true;
        return false;
    }
    std::string narrow = NativeCodePage().toNarrow(*password_, CodePage::Which::Thread);
    SetCurrentPrimaryPassword(narrow);
    SecureZero(narrow.data(), narrow.size());
    return true;
}

int CliPrompts::messageBox(WindowRef, const std::u16string& text, const std::u16string& caption, unsigned) {
    PrintError(Utf16ToUtf8(caption) + ": " + Utf16ToUtf8(text));
    return kIdOk;
}

std::u16string ReadPasswordFile(const std::u16string& path) {
    std::uint32_t error = kErrorSuccess;
    std::unique_ptr<OpenFile> file = NativeFileSystem().openForReading(path, error);
    if (!file) throw UsageError("cannot open the password file (error " + std::to_string(error) + ")");
    std::string head(kPasswordFileHead, '\0');
    std::size_t got = 0;
    error = file->read(head.data(), head.size(), got);
    if (error != kErrorSuccess) {
        WipeText(head);
        throw UsageError("cannot read the password file (error " + std::to_string(error) + ")");
    }
    const std::size_t begin = got >= 3 && head.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    std::size_t end = begin;
    while (end < got && head[end] != '\n' && head[end] != '\r') ++end;
    std::u16string password = Utf8ToUtf16(std::string_view(head.data() + begin, end - begin));
    WipeText(head);
    if (password.size() != kPrimaryPasswordLength) {
        WipeText(password);
        throw UsageError("the password file's first line is not a primary password of 8 characters");
    }
    return password;
}

void ExpectUsersPassword(const std::u16string& password, const std::u16string& userFolder) {
    if (MakeCheckText(password) != OptionStore(userFolder, nullptr).ReadOptionQuietly(option_key::kCheckKey)) {
        throw UsageError("that is not the user's primary password");
    }
}

}  // namespace tarnwick::cli

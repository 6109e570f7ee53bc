// The user's option file, "option.vro" in the user folder: pairs of a key line
// ("[SHOWTYPE]") and a value line. Every call opens, reads or writes, and
// closes the file; nothing is kept between calls.
#pragma once

#include <string>
#include <string_view>

#include "foundation/message_catalogue.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/prompts.h"

namespace tarnwick {

inline constexpr std::u16string_view kOptionFileName = u"option.vro";

// Option keys.
namespace option_key {
inline constexpr std::u16string_view kKey = u"[KEY]";
inline constexpr std::u16string_view kCheckKey = u"[CHECKKEY]";
inline constexpr std::u16string_view kIdentityEditorOnTop = u"[IDENTITYEDITORONTOP]";
inline constexpr std::u16string_view kIdentityProtect = u"[IDENTITYPROTECT]";
inline constexpr std::u16string_view kShowPassword = u"[SHOWPASSWORD]";
inline constexpr std::u16string_view kPasswordEditorOnTop = u"[PASSWORDEDITORONTOP]";
inline constexpr std::u16string_view kShowType = u"[SHOWTYPE]";
inline constexpr std::u16string_view kBossKeyEnable = u"[BOSSKEYENABLE]";
inline constexpr std::u16string_view kBossKey = u"[BOSSKEY]";
inline constexpr std::u16string_view kStartupUpdate = u"[STARTUPUPDATE]";
inline constexpr std::u16string_view kLockOnSessionLock = u"[LOCKONSESSIONLOCK]";
inline constexpr std::u16string_view kLockIdleMinutes = u"[LOCKIDLEMINUTES]";
}  // namespace option_key

// "<userFolder>\option.vro".
std::u16string OptionFilePath(std::u16string_view userFolder);

// The outcome of one read: the value, and whether the last line read was
// empty (no line at all counts as empty), which the editors report as a
// damaged configuration.
struct OptionRead {
    std::u16string value;
    bool lastLineEmpty = true;
};

// The value line after the first line equal to `key`; empty when the key is
// absent or the file cannot be read.
OptionRead ReadOptionLine(std::u16string_view userFolder, std::u16string_view key,
                          FileSystem& files = NativeFileSystem(), const CodePage& codePage = NativeCodePage());

// Replaces the value line after the first line equal to `key`, keeping every
// other line as it was. An absent key gets its key and value lines appended;
// a key on the last line gets its value line appended. Written as UTF-16 LE
// through the writer's safe replace; raises CTextFileException, the file left
// as it was, also when an existing file cannot be opened or read.
void WriteOptionLine(std::u16string_view userFolder, std::u16string_view key, std::u16string_view value,
                     FileSystem& files = NativeFileSystem(), const CodePage& codePage = NativeCodePage());

// Value forms.
// Base-10 conversion as strtol: leading white space and a sign, up to the first
// non-digit; no digits give 0.
int OptionInteger(std::u16string_view value);
// Off only for exactly "0".
bool OptionFlag(std::u16string_view value);
// "%d".
std::u16string OptionIntegerText(int value);

// One user's option file as a program reads and writes it. The editors' general
// reader shows the damaged-configuration error (caption "Tarnwick Error", owner
// the active window) after a read whose last line read is empty; the tray
// program builds its store without prompts and never shows it.
class OptionStore {
public:
    OptionStore(std::u16string userFolder, Prompts* reportTo, FileSystem& files = NativeFileSystem(),
                const MessageCatalogue& catalogue = MessageCatalogue::Instance(),
                const CodePage& codePage = NativeCodePage());

    const std::u16string& userFolder() const { return userFolder_; }

    // `ReadOption`: the value, the error shown as above.
    std::u16string ReadOption(std::u16string_view key) const;
    // The same read without any error (the Passcard Editor's display options).
    std::u16string ReadOptionQuietly(std::u16string_view key) const;
    // `WriteOption`: raises CTextFileException when the file cannot be written.
    void WriteOption(std::u16string_view key, std::u16string_view value) const;
    void WriteInteger(std::u16string_view key, int value) const { WriteOption(key, OptionIntegerText(value)); }

    // Identity Editor.
    int IdentityEditorOnTop() const { return OptionInteger(ReadOption(option_key::kIdentityEditorOnTop)); }
    void SetIdentityEditorOnTop(int value) const { WriteInteger(option_key::kIdentityEditorOnTop, value); }
    bool IdentityProtect() const { return OptionFlag(ReadOption(option_key::kIdentityProtect)); }
    // Passcard Editor: its display options never report an error.
    int ShowPassword() const { return OptionInteger(ReadOptionQuietly(option_key::kShowPassword)); }
    void SetShowPassword(int value) const { WriteInteger(option_key::kShowPassword, value); }
    int PasswordEditorOnTop() const { return OptionInteger(ReadOptionQuietly(option_key::kPasswordEditorOnTop)); }
    void SetPasswordEditorOnTop(int value) const { WriteInteger(option_key::kPasswordEditorOnTop, value); }
    int ShowType() const { return OptionInteger(ReadOptionQuietly(option_key::kShowType)); }
    void SetShowType(int value) const { WriteInteger(option_key::kShowType, value); }
    // Tray program.
    bool BossKeyEnable() const { return OptionFlag(ReadOption(option_key::kBossKeyEnable)); }
    std::u16string BossKey() const { return ReadOption(option_key::kBossKey); }
    bool StartupUpdate() const { return OptionFlag(ReadOption(option_key::kStartupUpdate)); }

private:
    std::u16string userFolder_;
    Prompts* reportTo_;
    FileSystem& files_;
    const MessageCatalogue& catalogue_;
    const CodePage& codePage_;
};

}  // namespace tarnwick

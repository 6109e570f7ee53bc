// new-user, option get, option set: the installer's part that no program of
// the system does (a user folder with its option file, the registry values),
// and the option file from the command line.
#include <string>
#include <utility>
#include <vector>

#include "cardtree/name_rule.h"
#include "foundation/option_store.h"
#include "foundation/primary_password_dialog.h"
#include "foundation/sealable_text.h"
#include "foundation/sealed_text.h"
#include "foundation/text_file.h"
#include "foundation/toolbar_contract.h"
#include "foundation/user_profile.h"
#include "platform/utf8.h"
#include "tools/tarnwick/cli_paths.h"
#include "tools/tarnwick/cli_registry.h"
#include "tools/tarnwick/commands.h"
#include "tools/tarnwick/json_out.h"

namespace tarnwick::cli {
namespace {

// "BOSSKEY" and "[BOSSKEY]" both name the key "[BOSSKEY]".
std::u16string optionKeyOf(const std::u16string& word) {
    if (word.size() >= 2 && word.front() == u'[' && word.back() == u']') return word;
    return u"[" + word + u"]";
}

std::u16string folderOf(const std::u16string& argument) {
    std::u16string path = ToCorePath(argument);
    while (path.size() > 3 && path.back() == u'\\') path.pop_back();
    return path;
}

// The keys a new user's option file starts with, in file order. A new user
// sees passwords as stars (an absent "[SHOWPASSWORD]" still means shown).
std::vector<std::pair<std::u16string, std::u16string>> initialOptions(const std::u16string& password) {
    return {
        {std::u16string(option_key::kCheckKey), MakeCheckText(password)},
        {std::u16string(option_key::kKey), u"0"},
        {std::u16string(option_key::kIdentityProtect), u"1"},
        {std::u16string(option_key::kIdentityEditorOnTop), u"0"},
        {std::u16string(option_key::kShowPassword), u"1"},
        {std::u16string(option_key::kPasswordEditorOnTop), u"0"},
        {std::u16string(option_key::kShowType), u"0"},
        {std::u16string(option_key::kBossKeyEnable), u"1"},
        {std::u16string(option_key::kBossKey), u""},
        {std::u16string(option_key::kStartupUpdate), u"1"},
    };
}

void applyOverride(std::vector<std::pair<std::u16string, std::u16string>>& options, const std::u16string& setting) {
    const std::size_t equals = setting.find(u'=');
    if (equals == std::u16string::npos || equals == 0) {
        throw UsageError("--option takes KEY=VALUE, not " + Utf16ToUtf8(setting));
    }
    const std::u16string key = optionKeyOf(setting.substr(0, equals));
    if (key == option_key::kCheckKey) throw UsageError("[CHECKKEY] comes from the password");
    for (auto& [existing, value] : options) {
        if (existing == key) {
            value = setting.substr(equals + 1);
            return;
        }
    }
    options.emplace_back(key, setting.substr(equals + 1));
}

void ensureFolder(const std::u16string& path, bool mustBeNew) {
    const std::uint32_t error = NativeFileSystem().createFolder(path);
    if (error == kErrorSuccess) return;
    FolderEntry entry;
    const bool exists = NativeFileSystem().queryEntry(path, entry) == kErrorSuccess;
    if (exists && mustBeNew) throw std::runtime_error(Utf16ToUtf8(path) + " exists already");
    if (exists && entry.isFolder) return;
    throw std::runtime_error("cannot create " + Utf16ToUtf8(path) + " (error " + std::to_string(error) + ")");
}

// The programs read "RootUser" and "FilePath" into buffers of 260 characters
// with the terminator: a longer folder would come back cut.
bool fitsRegistryBuffer(const std::u16string& folder, const char* value) {
    if (folder.size() < kRegistryPathBufferChars) return true;
    PrintError(std::string("tarnwick new-user: ") + value + " would be cut: " + Utf16ToUtf8(folder) + " has " +
               std::to_string(folder.size()) + " characters, the programs read at most " +
               std::to_string(kRegistryPathBufferChars - 1));
    return false;
}

}  // namespace

int RunNewUser(ArgList& args) {
    const std::u16string dataRoot = folderOf(args.takePositional("DATAROOT"));
    const std::u16string typedName = args.takePositional("NAME");
    const std::u16string password = args.takePositional("PASSWORD");
    const std::vector<std::u16string> settings = args.takeRepeated(u"option");
    const bool doRegister = args.takeFlag(u"register");
    const std::optional<std::u16string> programFolder = args.takeOption(u"program-folder");
    args.expectEnd();
    if (programFolder && !doRegister) throw UsageError("--program-folder needs --register");
    // The library's own rule for folder names: nothing Windows would store
    // under another name or take for a device.
    const std::optional<std::u16string> ruled = ApplyNameRule(typedName);
    if (!ruled) throw UsageError("NAME must be a plain folder name that Windows keeps as it is");
    const std::u16string& name = *ruled;
    if (password.size() != kPrimaryPasswordLength) {
        PrintError("tarnwick new-user: the primary password must be exactly 8 characters");
        return 1;
    }
    // Its check text is made from its narrow form: text the code page cannot
    // hold would make the check text of another password.
    if (const std::u16string lost = UnsealableCharacters(password); !lost.empty()) {
        PrintError("tarnwick new-user: the primary password holds characters that cannot be kept on this system: " +
                   Utf16ToUtf8(lost));
        return 1;
    }
    auto options = initialOptions(password);
    for (const std::u16string& setting : settings) applyOverride(options, setting);

    const std::u16string userFolder = dataRoot + u"\\" + name;
    const std::u16string programFolderPath = !doRegister     ? std::u16string()
                                             : programFolder ? folderOf(*programFolder)
                                                             : RunningProgramFolder();
    if (doRegister &&
        (!fitsRegistryBuffer(userFolder, "RootUser") || !fitsRegistryBuffer(programFolderPath, "FilePath"))) {
        return 1;
    }
    ensureFolder(dataRoot, false);
    ensureFolder(userFolder, true);
    std::vector<std::u16string> lines;
    for (const auto& [key, value] : options) {
        lines.push_back(key);
        lines.push_back(value);
    }
    WriteTextLines(OptionFilePath(userFolder), lines);

    if (doRegister) {
        Registry& registry = CliRegistry();
        if (!registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, userFolder) ||
            !registry.writeString(registry::kTarnwickKey, registry::kFilePathValue, programFolderPath)) {
            PrintError("tarnwick new-user: the registry could not be written");
            return 1;
        }
    }
    PrintLine("{\"userFolder\":" + JsonString(userFolder) + ",\"registered\":" + (doRegister ? "true" : "false") + "}");
    return 0;
}

int RunOption(ArgList& args) {
    const std::u16string action = args.takePositional("get|set");
    const std::u16string userFolder = folderOf(args.takePositional("USERFOLDER"));
    const std::u16string key = optionKeyOf(args.takePositional("KEY"));
    if (action == u"get") {
        args.expectEnd();
        PrintLine(Utf16ToUtf8(ReadOptionLine(userFolder, key).value));
        return 0;
    }
    if (action == u"set") {
        const std::u16string value = args.takePositional("VALUE");
        args.expectEnd();
        WriteOptionLine(userFolder, key, value);
        return 0;
    }
    throw UsageError("the action must be get or set");
}

}  // namespace tarnwick::cli

// The option file on any bytes: every reader of a key, the typed value forms,
// and a write, which changes the one value line and keeps every other line.
#include <cstdint>
#include <cstdlib>

#include "foundation/option_store.h"
#include "foundation/toolbar_contract.h"
#include "foundation/text_file.h"
#include "foundation/user_profile.h"
#include "fuzz_input.h"
#include "platform/host/code_page_1252.h"
#include "platform/host/host_registry.h"

using namespace tarnwick;

namespace {

const std::u16string kUser = u"C:\\data\\Alice";
constexpr std::u16string_view kKeys[] = {option_key::kKey,
                                         option_key::kCheckKey,
                                         option_key::kIdentityEditorOnTop,
                                         option_key::kIdentityProtect,
                                         option_key::kShowPassword,
                                         option_key::kPasswordEditorOnTop,
                                         option_key::kShowType,
                                         option_key::kBossKeyEnable,
                                         option_key::kBossKey,
                                         option_key::kStartupUpdate};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const CodePage1252 codePage;
    fuzz::FuzzInput input(data, size);
    const std::uint8_t choice = input.byte();
    testing::MemoryFileSystem files;
    files.addFile(OptionFilePath(kUser), input.restBytes());
    fuzz::SilentPrompts prompts;
    const OptionStore store(kUser, &prompts, files);

    for (const std::u16string_view key : kKeys) {
        const std::u16string value = store.ReadOption(key);
        OptionInteger(value);
        OptionFlag(value);
    }
    store.IdentityEditorOnTop();
    store.ShowPassword();
    store.BossKey();
    ClearCurrentPrimaryPassword();
    HostRegistry keys;
    keys.writeString(registry::kTarnwickKey, registry::kRootUserValue, kUser);
    UserProfile profile(keys, prompts, files);
    if (profile.LoadCurrentUser()) profile.RecallPrimaryPassword();

    const std::vector<std::u16string> before = ReadTextLines(OptionFilePath(kUser), files, codePage);
    const std::u16string_view key = kKeys[choice % std::size(kKeys)];
    const std::u16string value = OptionIntegerText(choice - 128);
    WriteOptionLine(kUser, key, value, files, codePage);
    const std::vector<std::u16string> after = ReadTextLines(OptionFilePath(kUser), files, codePage);
    if (ReadOptionLine(kUser, key, files, codePage).value != value) std::abort();
    // Only the key's value line changed, or a pair was added at the end.
    std::size_t changed = 0;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) changed += before[i] != after[i];
    if (changed > 1 || after.size() < before.size() || after.size() > before.size() + 2) std::abort();
    return 0;
}

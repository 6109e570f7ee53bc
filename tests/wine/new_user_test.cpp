// The companion CLI sets up a user under Wine as an installer would: the user
// folder with its option file, "RootUser" and "FilePath" in the registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "foundation/option_store.h"
#include "foundation/sealed_text.h"
#include "foundation/text_file.h"
#include "foundation/toolbar_contract.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_registry.h"
#include "support/temp_folder.h"
#include "support/windows_cli.h"

namespace tarnwick {
namespace {

int RunCli(const std::u16string& arguments) {
    const testing::CliResult result = testing::RunWindowsCli(std::wstring(arguments.begin(), arguments.end()));
    EXPECT_EQ(result.error, "");
    return static_cast<int>(result.exitCode);
}

// Keeps the prefix's own "RootUser" and "FilePath" across the test.
class SavedRegistryValues {
public:
    SavedRegistryValues()
        : rootUser_(registry_.readString(registry::kTarnwickKey, registry::kRootUserValue, 260)),
          filePath_(registry_.readString(registry::kTarnwickKey, registry::kFilePathValue, 260)) {}
    ~SavedRegistryValues() {
        registry_.writeString(registry::kTarnwickKey, registry::kRootUserValue, rootUser_.value_or(u""));
        registry_.writeString(registry::kTarnwickKey, registry::kFilePathValue, filePath_.value_or(u""));
    }

private:
    Win32Registry registry_;
    std::optional<std::u16string> rootUser_;
    std::optional<std::u16string> filePath_;
};

TEST(NewUserWine, RegisterWritesTheRegistryAndAValidOptionFile) {
    SavedRegistryValues saved;
    testing::TempFolder folder;
    const std::u16string dataRoot = folder.file(u"Data");
    ASSERT_EQ(RunCli(u"new-user \"" + dataRoot + u"\" alice Secret#1 --register --program-folder C:\\Tarnwick"), 0);

    Win32Registry registry;
    EXPECT_EQ(registry.readString(registry::kTarnwickKey, registry::kRootUserValue, 260), dataRoot + u"\\alice");
    EXPECT_EQ(registry.readString(registry::kTarnwickKey, registry::kFilePathValue, 260), u"C:\\Tarnwick");
    const std::u16string userFolder = dataRoot + u"\\alice";
    EXPECT_EQ(ReadOptionLine(userFolder, option_key::kCheckKey).value, MakeCheckText(u"Secret#1"));
    EXPECT_EQ(ReadOptionLine(userFolder, option_key::kKey).value, u"0");
    EXPECT_EQ(ReadOptionLine(userFolder, option_key::kIdentityProtect).value, u"1");
    EXPECT_EQ(ReadOptionLine(userFolder, option_key::kStartupUpdate).value, u"1");
    EXPECT_EQ(ReadTextLines(OptionFilePath(userFolder)).size(), 20u);

    // A second user of the same name, or a password of 7 characters, is refused.
    EXPECT_EQ(RunCli(u"new-user \"" + dataRoot + u"\" alice Secret#1"), 1);
    EXPECT_EQ(RunCli(u"new-user \"" + dataRoot + u"\" bob Secret#"), 1);
    EXPECT_EQ(RunCli(u"new-user"), 2);
}

}  // namespace
}  // namespace tarnwick

// The registry adapter against the real HKEY_CURRENT_USER (of the test's own
// Wine prefix), under a key of its own that the test removes.
#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace tarnwick {
namespace {

class Win32RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string pid = std::to_string(GetCurrentProcessId());
        root = u"Software\\TarnwickTest" + std::u16string(pid.begin(), pid.end());
    }
    void TearDown() override { DeleteKeyTree(registry, root); }

    Win32Registry registry;
    std::u16string root;
};

TEST_F(Win32RegistryTest, StringsAreCutToTheirBufferAndTypesAreKept) {
    EXPECT_TRUE(registry.writeString(root, u"RootUser", u"C:\\Data\\\u00e9l\u00e8ve"));
    EXPECT_EQ(registry.readString(root, u"RootUser", 260), u"C:\\Data\\\u00e9l\u00e8ve");
    EXPECT_EQ(registry.readString(root, u"rootuser", 5), u"C:\\D");
    EXPECT_TRUE(registry.writeString(root, u"Long", std::u16string(400, u'x')));
    EXPECT_EQ(registry.readString(root, u"Long", 260), std::u16string(259, u'x'));
    EXPECT_EQ(registry.readString(root, u"Missing", 260), std::nullopt);

    EXPECT_TRUE(registry.writeDword(root, u"Popups", 2));
    EXPECT_EQ(registry.readDword(root, u"Popups"), 2u);
    EXPECT_EQ(registry.readString(root, u"Popups", 260), std::nullopt);
    EXPECT_EQ(registry.readDword(root, u"RootUser"), std::nullopt);
}

TEST_F(Win32RegistryTest, KeyTreesAreListedAndDeletedDeepestFirst) {
    EXPECT_TRUE(registry.createKey(root + u"\\alice\\ToolBar\\Keslowe"));
    EXPECT_TRUE(registry.writeString(root + u"\\alice\\ToolBar\\Mirelune", u"v", u"1"));
    EXPECT_EQ(registry.subkeys(root + u"\\alice\\ToolBar"), (std::vector<std::u16string>{u"Keslowe", u"Mirelune"}));
    EXPECT_FALSE(registry.deleteKey(root + u"\\alice"));
    EXPECT_TRUE(DeleteKeyTree(registry, root + u"\\alice"));
    EXPECT_TRUE(registry.subkeys(root).empty());
    EXPECT_TRUE(registry.subkeys(root + u"\\never").empty());
    HKEY probe = nullptr;
    const std::u16string never = root + u"\\never";
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t*>(never.c_str()), 0, KEY_READ, &probe),
              ERROR_SUCCESS)
        << "listing must not create the key";
}

}  // namespace
}  // namespace tarnwick

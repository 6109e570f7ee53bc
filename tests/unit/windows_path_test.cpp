// Windows paths: building, comparing, the buffer limit, and resolution as the
// file system reads a path, with the places a resolved path may lie in.
#include "foundation/windows_path.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/utf8.h"

namespace tarnwick {
namespace {

TEST(WindowsPath, JoinsAndSplitsWithBackslashes) {
    EXPECT_EQ(u"C:\\u\\Bank", JoinPath(u"C:\\u", u"Bank"));
    EXPECT_EQ(u"C:\\Bank", JoinPath(u"C:\\", u"Bank"));
    EXPECT_EQ(u"C:\\u\\", JoinPath(u"C:\\u", u""));
    EXPECT_EQ(u"C:\\u", ParentPath(u"C:\\u\\Bank"));
    EXPECT_EQ(u"Bank", LastComponent(u"C:\\u\\Bank"));
}

TEST(WindowsPath, InsideMeansBelowTheFolderNotSharingItsText) {
    EXPECT_TRUE(IsSameOrInside(u"C:\\u\\Bank", u"C:\\u\\Bank"));
    EXPECT_TRUE(IsSameOrInside(u"C:\\u\\Bank\\Old", u"C:\\u\\Bank"));
    EXPECT_TRUE(IsSameOrInside(u"c:\\U\\bANK\\old", u"C:\\u\\Bank"));
    EXPECT_TRUE(IsSameOrInside(u"C:\\u\\\u00C9t\u00E9\\x", u"C:\\u\\\u00E9T\u00C9"));
    EXPECT_FALSE(IsSameOrInside(u"C:\\u\\Banking", u"C:\\u\\Bank"));
    EXPECT_FALSE(IsSameOrInside(u"C:\\u\\My Bank", u"C:\\u\\Bank"));
    EXPECT_FALSE(IsSameOrInside(u"C:\\u", u"C:\\u\\Bank"));
    EXPECT_TRUE(IsSameOrInside(u"C:\\u", u"C:\\"));
}

TEST(WindowsPath, BufferHoldsTwoHundredFiftyNineCharacters) {
    EXPECT_TRUE(FitsPathBuffer(std::u16string(259, u'a')));
    EXPECT_FALSE(FitsPathBuffer(std::u16string(260, u'a')));
}

struct Resolution {
    std::u16string path;
    std::optional<std::u16string> resolved;  // nothing: refused
};

void expectResolutions(const std::vector<Resolution>& table) {
    for (const Resolution& row : table) {
        const auto resolved = ResolveWindowsPath(row.path);
        EXPECT_EQ(resolved, row.resolved) << Utf16ToUtf8(row.path);
        // What is resolved resolves to itself: acting on it cannot move it again.
        if (resolved) {
            EXPECT_EQ(ResolveWindowsPath(*resolved), resolved) << Utf16ToUtf8(row.path);
        }
    }
}

TEST(WindowsPath, BothSeparatorsRunsOfThemAndDotSegmentsResolve) {
    expectResolutions({
        {u"C:\\data\\alice", u"C:\\data\\alice"},
        {u"C:/data/alice", u"C:\\data\\alice"},
        {u"C:\\data/alice\\", u"C:\\data\\alice"},
        {u"C:\\\\data//\\alice", u"C:\\data\\alice"},
        {u"C:\\data\\.\\alice\\.", u"C:\\data\\alice"},
        {u"C:\\data\\alice/../bob", u"C:\\data\\bob"},
        {u"C:\\data\\alice/../../victim", u"C:\\victim"},
        {u"C:\\data\\a\\b\\..\\..\\c", u"C:\\data\\c"},
        {u"c:\\Data\\\u00C9l\u00E8ve", u"c:\\Data\\\u00C9l\u00E8ve"},
        {u"C:\\", u"C:\\"},
        {u"C:/", u"C:\\"},
        {u"C:\\...x\\..y", u"C:\\...x\\..y"},
    });
}

TEST(WindowsPath, DotDotNeverClimbsAboveTheRoot) {
    expectResolutions({
        {u"C:\\..", u"C:\\"},
        {u"C:\\..\\..\\windows", u"C:\\windows"},
        {u"C:\\data\\..\\..\\..\\x", u"C:\\x"},
        {u"\\\\server\\share\\..\\..\\x", u"\\\\server\\share\\x"},
        {u"//server/share/a/../../../b", u"\\\\server\\share\\b"},
    });
}

TEST(WindowsPath, TrailingDotsAndSpacesLeaveEveryComponent) {
    expectResolutions({
        {u"C:\\data\\alice.", u"C:\\data\\alice"},
        {u"C:\\data\\alice . .", u"C:\\data\\alice"},
        {u"C:\\data. \\alice", u"C:\\data\\alice"},
        {u"C:\\data\\a b.c", u"C:\\data\\a b.c"},
        {u"C:\\data\\ lead", u"C:\\data\\ lead"},
        // Nothing is left of these: they name no entry.
        {u"C:\\data\\...", std::nullopt},
        {u"C:\\data\\. .\\x", std::nullopt},
        {u"C:\\data\\.. \\x", std::nullopt},
        {u"C:\\data\\ ", std::nullopt},
    });
}

TEST(WindowsPath, PathsThatDependOnTheProcessOrNameDevicesAreRefused) {
    expectResolutions({
        {u"", std::nullopt},
        {u"data\\alice", std::nullopt},
        {u"..\\alice", std::nullopt},
        {u"\\data\\alice", std::nullopt},
        {u"/data/alice", std::nullopt},
        {u"C:", std::nullopt},
        {u"C:data", std::nullopt},
        {u"1:\\data", std::nullopt},
        {u"\\\\?\\C:\\data", std::nullopt},
        {u"\\\\.\\C:\\data", std::nullopt},
        {u"//?/C:/data", std::nullopt},
        {u"//./pipe/x", std::nullopt},
        {u"\\??\\C:\\data", std::nullopt},
        {u"\\\\?\\UNC\\server\\share", std::nullopt},
        {u"\\\\server", std::nullopt},
        {u"\\\\server\\", std::nullopt},
        {u"\\\\\\server\\share", std::nullopt},
        {u"\\\\server\\\\share", std::nullopt},
        {u"\\\\server\\share", u"\\\\server\\share"},
        {u"\\\\server\\share\\", u"\\\\server\\share"},
    });
}

TEST(WindowsPath, DeviceNamesWildcardsStreamsAndControlCharactersAreRefused) {
    expectResolutions({
        {u"C:\\data\\CON", std::nullopt},
        {u"C:\\data\\nul.txt", std::nullopt},
        {u"C:\\data\\Aux .x\\y", std::nullopt},
        {u"C:\\data\\COM1", std::nullopt},
        {u"C:\\data\\lpt9.vrc", std::nullopt},
        {u"C:\\data\\COM\u00B9", std::nullopt},
        {u"C:\\data\\CONOUT$", std::nullopt},
        {u"C:\\data\\CONSOLE", u"C:\\data\\CONSOLE"},
        {u"C:\\data\\COM10", u"C:\\data\\COM10"},
        {u"C:\\data\\x.CON", u"C:\\data\\x.CON"},
        {u"C:\\data\\*", std::nullopt},
        {u"C:\\data\\a?", std::nullopt},
        {u"C:\\data\\alice:stream", std::nullopt},
        {u"C:\\data\\a\"b", std::nullopt},
        {u"C:\\data\\a<b>", std::nullopt},
        {u"C:\\data\\a|b", std::nullopt},
        {u"C:\\data\\a\tb", std::nullopt},
        {std::u16string(u"C:\\data\\a\0b", 11), std::nullopt},
        {u"C:\\" + std::u16string(256, u'x'), std::nullopt},
        {u"C:\\" + std::u16string(255, u'x'), u"C:\\" + std::u16string(255, u'x')},
    });
}

TEST(WindowsPath, PlacesAreCheckedOnTheResolvedPaths) {
    const std::u16string root = u"C:\\data";
    EXPECT_EQ(ResolveInside(u"C:\\data\\alice", root, PathPlace::DirectlyBelow), u"C:\\data\\alice");
    EXPECT_EQ(ResolveInside(u"c:/DATA/x/../alice.", root, PathPlace::DirectlyBelow), u"c:\\DATA\\alice");
    EXPECT_EQ(ResolveInside(u"C:\\data\\alice/../../victim", root, PathPlace::DirectlyBelow), std::nullopt);
    EXPECT_EQ(ResolveInside(u"C:\\data\\alice\\Shop", root, PathPlace::DirectlyBelow), std::nullopt);
    EXPECT_EQ(ResolveInside(u"C:\\data\\alice\\Shop", root, PathPlace::Below), u"C:\\data\\alice\\Shop");
    EXPECT_EQ(ResolveInside(u"C:\\data\\", root, PathPlace::Below), std::nullopt);
    EXPECT_EQ(ResolveInside(u"C:\\data\\.", root, PathPlace::SameOrBelow), u"C:\\data");
    EXPECT_EQ(ResolveInside(u"C:\\database", root, PathPlace::SameOrBelow), std::nullopt);
    EXPECT_EQ(ResolveInside(u"C:\\data\\..", root, PathPlace::SameOrBelow), std::nullopt);
    EXPECT_EQ(ResolveInside(u"C:\\data\\nul", root, PathPlace::Below), std::nullopt);
    // The folder is resolved too; one that does not resolve holds nothing.
    EXPECT_EQ(ResolveInside(u"C:\\data\\alice", u"C:/data/", PathPlace::DirectlyBelow), u"C:\\data\\alice");
    EXPECT_EQ(ResolveInside(u"C:\\data\\alice", u"data", PathPlace::Below), std::nullopt);
    EXPECT_EQ(ResolveInside(u"C:\\alice", u"C:\\", PathPlace::DirectlyBelow), u"C:\\alice");
    EXPECT_EQ(ResolveInside(u"C:\\", u"C:\\", PathPlace::Below), std::nullopt);
}

TEST(WindowsPath, PlainNamesAreThoseReadAsWritten) {
    for (const std::u16string_view name : {u"alice", u"a b.vrc", u"...x", u"\u00E9l\u00E8ve"}) {
        EXPECT_TRUE(IsPlainName(name)) << Utf16ToUtf8(std::u16string(name));
    }
    for (const std::u16string_view name : {u"", u".", u"..", u"a.", u"a ", u"a\\b", u"a/b", u"CON", u"x:y", u"*"}) {
        EXPECT_FALSE(IsPlainName(name)) << Utf16ToUtf8(std::u16string(name));
    }
}

}  // namespace
}  // namespace tarnwick

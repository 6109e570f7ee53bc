// The Win32 file-system adapter against the real calls.
#include <gtest/gtest.h>

#include "platform/win32/win32_file_system.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

TEST(Win32FileSystem, ErrorCodesAndReplace) {
    testing::TempFolder folder;
    Win32FileSystem fs;
    std::uint32_t error = 0;
    EXPECT_EQ(nullptr, fs.openForReading(folder.file(u"missing"), error));
    EXPECT_EQ(kErrorFileNotFound, error);
    EXPECT_EQ(nullptr, fs.createForWriting(folder.file(u"missing\\x"), error));
    EXPECT_EQ(kErrorPathNotFound, error);

    testing::WriteBytes(folder.file(u"a"), "new");
    testing::WriteBytes(folder.file(u"b"), "old");
    EXPECT_EQ(kErrorSuccess, fs.replaceFile(folder.file(u"a"), folder.file(u"b")));
    EXPECT_EQ("new", testing::ReadBytes(folder.file(u"b")));
    EXPECT_FALSE(testing::FileExists(folder.file(u"a")));
    EXPECT_EQ(kErrorSuccess, fs.deleteFile(folder.file(u"b")));
    EXPECT_EQ(kErrorFileNotFound, fs.deleteFile(folder.file(u"b")));
}

}  // namespace
}  // namespace tarnwick

#include "platform/host/host_file_system.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace tarnwick {
namespace {

TEST(HostFileSystem, MapsTheZDriveOntoTheRoot) {
    EXPECT_EQ("/tmp/lib/a.vrc", WindowsPathToHost(u"Z:\\tmp\\lib\\a.vrc"));
    EXPECT_EQ("/tmp/lib/a.vrc", WindowsPathToHost(u"z:/tmp/lib/a.vrc"));
    EXPECT_EQ("/tmp/Gr\xC3\xBC\xC3\x9F" "e", WindowsPathToHost(u"Z:\\tmp\\Grüße"));
    EXPECT_EQ("", WindowsPathToHost(u"C:\\Users\\a"));
    EXPECT_EQ("", WindowsPathToHost(u"\\\\server\\share\\a"));
    EXPECT_EQ("", WindowsPathToHost(u"Z:"));
    EXPECT_EQ(u"Z:\\tmp\\lib\\a.vrc", HostPathToWindows("/tmp/lib/a.vrc"));
    EXPECT_EQ(u"Z:\\tmp", HostPathToWindows("/tmp/"));
    EXPECT_EQ(u"Z:\\", HostPathToWindows("/"));
}

TEST(HostFileSystem, ReportsWindowsErrorCodes) {
    testing::TempFolder folder;
    HostFileSystem fs;
    std::uint32_t error = 0;
    EXPECT_EQ(nullptr, fs.openForReading(folder.file(u"missing"), error));
    EXPECT_EQ(kErrorFileNotFound, error);
    EXPECT_EQ(nullptr, fs.openForReading(folder.file(u"missing\\x"), error));
    EXPECT_EQ(kErrorPathNotFound, error);
    EXPECT_EQ(nullptr, fs.openForReading(folder.path(), error));
    EXPECT_EQ(kErrorAccessDenied, error);
    EXPECT_EQ(nullptr, fs.createForWriting(u"C:\\x", error));
    EXPECT_EQ(kErrorPathNotFound, error);
    EXPECT_EQ(kErrorFileNotFound, fs.deleteFile(folder.file(u"missing")));
}

}  // namespace
}  // namespace tarnwick

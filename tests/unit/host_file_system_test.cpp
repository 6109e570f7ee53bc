#include "platform/host/host_file_system.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(HostPathMapping, ZDriveIsTheHostRoot) {
    EXPECT_EQ("/tmp/lib/a.vrc", WindowsPathToHost(u"Z:\\tmp\\lib\\a.vrc"));
    EXPECT_EQ("/tmp/lib/a.vrc", WindowsPathToHost(u"z:/tmp/lib\\a.vrc"));
    EXPECT_EQ("/", WindowsPathToHost(u"Z:\\"));
    EXPECT_EQ("/tmp/caf\xC3\xA9/\xE2\x82\xAC.vrc", WindowsPathToHost(u"Z:\\tmp\\caf\u00E9\\\u20AC.vrc"));
}

TEST(HostPathMapping, OtherDrivesAndUncPathsHaveNoHostPath) {
    EXPECT_EQ("", WindowsPathToHost(u"C:\\data\\a.vrc"));
    EXPECT_EQ("", WindowsPathToHost(u"\\\\server\\share\\a.vrc"));
    EXPECT_EQ("", WindowsPathToHost(u"Z:"));
    EXPECT_EQ("", WindowsPathToHost(u"Z:tmp"));
    EXPECT_EQ("", WindowsPathToHost(u"a.vrc"));
}

TEST(HostPathMapping, HostPathsBecomeZPaths) {
    EXPECT_EQ(u"Z:\\tmp\\lib\\a.vrc", HostPathToWindows("/tmp/lib/a.vrc"));
    EXPECT_EQ(u"Z:\\", HostPathToWindows("/"));
    EXPECT_EQ(u"Z:\\tmp", HostPathToWindows("/tmp/"));
    EXPECT_EQ(u"Z:\\tmp\\x\\z", HostPathToWindows("/tmp//x/./y/../z/"));
    EXPECT_EQ(u"Z:\\", HostPathToWindows("/.."));
    EXPECT_EQ(u"Z:\\tmp\\caf\u00E9", HostPathToWindows("/tmp/caf\xC3\xA9"));
    const std::string cwd = std::filesystem::current_path().string();
    EXPECT_EQ(HostPathToWindows(cwd + "/sub/a.vrc"), HostPathToWindows("sub/a.vrc"));
    EXPECT_EQ(HostPathToWindows(cwd), HostPathToWindows("."));
    EXPECT_EQ("/tmp/lib/a.vrc", WindowsPathToHost(HostPathToWindows("/tmp/lib/a.vrc")));
}

class HostFileSystemTest : public ::testing::Test {
protected:
    std::uint32_t openError(const std::u16string& path) {
        std::uint32_t error = kErrorSuccess;
        EXPECT_EQ(nullptr, files.openForReading(path, error));
        return error;
    }
    std::uint32_t createError(const std::u16string& path) {
        std::uint32_t error = kErrorSuccess;
        EXPECT_EQ(nullptr, files.createForWriting(path, error));
        return error;
    }

    TempFolder folder;
    HostFileSystem files;
};

TEST_F(HostFileSystemTest, WritesTruncatesAndReads) {
    const std::u16string path = folder.file(u"a.bin");
    WriteBytes(path, "old content, longer");
    std::uint32_t error = kErrorInvalidHandle;
    auto out = files.createForWriting(path, error);
    ASSERT_NE(nullptr, out);
    EXPECT_EQ(kErrorSuccess, error);
    EXPECT_EQ(kErrorSuccess, out->write("new", 3));
    EXPECT_EQ(kErrorSuccess, out->flush());
    out.reset();
    EXPECT_EQ("new", ReadBytes(path));

    auto in = files.openForReading(path, error);
    ASSERT_NE(nullptr, in);
    char buffer[8] = {};
    std::size_t got = 99;
    EXPECT_EQ(kErrorSuccess, in->read(buffer, sizeof buffer, got));
    EXPECT_EQ("new", std::string(buffer, got));
    EXPECT_EQ(kErrorSuccess, in->read(buffer, sizeof buffer, got));
    EXPECT_EQ(0u, got);
}

TEST_F(HostFileSystemTest, OpenErrorsAreThoseOfWindows) {
    WriteBytes(folder.file(u"plain"), "x");
    testing::CreateFolder(folder.file(u"sub"));
    EXPECT_EQ(kErrorFileNotFound, openError(folder.file(u"missing.vrc")));
    EXPECT_EQ(kErrorPathNotFound, openError(folder.file(u"gone\\missing.vrc")));
    EXPECT_EQ(kErrorPathNotFound, openError(folder.file(u"plain\\missing.vrc")));
    EXPECT_EQ(kErrorPathNotFound, openError(u"C:\\windows\\win.ini"));
    EXPECT_EQ(kErrorAccessDenied, openError(folder.file(u"sub")));
    EXPECT_EQ(kErrorFilenameExcedRange, openError(folder.file(std::u16string(300, u'n'))));
}

TEST_F(HostFileSystemTest, CreateErrorsAreThoseOfWindows) {
    testing::CreateFolder(folder.file(u"sub"));
    EXPECT_EQ(kErrorAccessDenied, createError(folder.file(u"sub")));
    EXPECT_EQ(kErrorPathNotFound, createError(folder.file(u"gone\\a.vrc")));
    EXPECT_EQ(kErrorPathNotFound, createError(u"\\\\server\\share\\a.vrc"));

    WriteBytes(folder.file(u"taken"), "x");
    std::uint32_t error = kErrorSuccess;
    EXPECT_EQ(nullptr, files.createNew(folder.file(u"taken"), error));
    EXPECT_EQ(kErrorFileExists, error);
    EXPECT_EQ("x", ReadBytes(folder.file(u"taken")));
}

TEST_F(HostFileSystemTest, FullDiskIsDiskFull) {
    std::uint32_t error = kErrorSuccess;
    auto full = files.createForWriting(u"Z:\\dev\\full", error);
    ASSERT_NE(nullptr, full);
    EXPECT_EQ(kErrorDiskFull, full->write("x", 1));
}

TEST_F(HostFileSystemTest, ReplaceAndDelete) {
    const std::u16string source = folder.file(u"new.tmp");
    const std::u16string target = folder.file(u"card.vrc");
    WriteBytes(source, "new");
    WriteBytes(target, "old");
    EXPECT_EQ(kErrorSuccess, files.replaceFile(source, target));
    EXPECT_EQ("new", ReadBytes(target));
    EXPECT_EQ("card.vrc", testing::ListFolder(folder.path()));

    EXPECT_EQ(kErrorFileNotFound, files.replaceFile(source, target));
    EXPECT_EQ(kErrorSuccess, files.deleteFile(target));
    EXPECT_EQ(kErrorFileNotFound, files.deleteFile(target));
    EXPECT_EQ(kErrorPathNotFound, files.deleteFile(folder.file(u"gone\\card.vrc")));
}

TEST_F(HostFileSystemTest, FoldersAndReadOnlyFilesAreNotReplacedOrDeleted) {
    const std::u16string source = folder.file(u"new.tmp");
    WriteBytes(source, "new");
    testing::CreateFolder(folder.file(u"sub"));
    EXPECT_EQ(kErrorAccessDenied, files.replaceFile(source, folder.file(u"sub")));

    const std::u16string locked = folder.file(u"locked.vrc");
    WriteBytes(locked, "old");
    testing::MakeReadOnly(locked);
    EXPECT_EQ(kErrorAccessDenied, files.replaceFile(source, locked));
    EXPECT_EQ(kErrorAccessDenied, files.deleteFile(locked));
    EXPECT_EQ("old", ReadBytes(locked));
    EXPECT_EQ(kErrorAccessDenied, createError(locked));
}

}  // namespace
}  // namespace tarnwick

namespace tarnwick {
namespace {

TEST(HostFolderListing, NamesComeAsNtfsListsThemIgnoringCase) {
    testing::TempFolder folder;
    for (const char16_t* name : {u"b.vrt", u"A.vrt", u"_x", u"a2", u"C"}) {
        testing::WriteBytes(folder.file(name), "x");
    }
    testing::CreateFolder(folder.file(u"Bz"));
    HostFileSystem files;
    std::vector<FolderEntry> entries;
    ASSERT_EQ(kErrorSuccess, files.listFolder(folder.path(), entries));
    std::vector<std::u16string> names;
    for (const FolderEntry& entry : entries) names.push_back(entry.name);
    // '_' sorts after the letters once they are upper case.
    EXPECT_EQ((std::vector<std::u16string>{u"A.vrt", u"a2", u"b.vrt", u"Bz", u"C", u"_x"}), names);
}

std::vector<std::u16string> ListedNames(const std::u16string& folder, std::vector<FolderEntry>* entries = nullptr) {
    HostFileSystem files;
    std::vector<FolderEntry> listed;
    EXPECT_EQ(kErrorSuccess, files.listFolder(folder, listed));
    std::vector<std::u16string> names;
    for (const FolderEntry& entry : listed) names.push_back(entry.name);
    if (entries) *entries = listed;
    return names;
}

// A Linux name holding "\" would become several components once joined to its
// folder's Windows path ("a\..\..\x" leaves the folder): such names are not
// listed. Nor are names that do not come back to the same bytes.
TEST(HostFolderListing, NamesThatWouldMapElsewhereAreLeftOut) {
    testing::TempFolder folder;
    const std::string host = WindowsPathToHost(folder.path());
    testing::CreateFolder(folder.file(u"a"));
    for (const std::string name : {"a\\..\\..\\x.vrc", "b\\c.vrt", "\\", "bad\xFF.vrc", "plain.vrc"}) {
        std::FILE* file = std::fopen((host + "/" + name).c_str(), "w");
        ASSERT_NE(nullptr, file) << name;
        std::fclose(file);
    }
    EXPECT_EQ((std::vector<std::u16string>{u"a", u"plain.vrc"}), ListedNames(folder.path()));
}

// Symbolic links to folders are not followed: a link to the folder itself
// would make every walk endless, and one to a folder elsewhere would take
// deletes and lists out of the library. They are left out of listings; links
// to files are listed as the files they name.
TEST(HostFolderListing, LinkedFoldersAreLeftOut) {
    testing::TempFolder folder;
    testing::TempFolder elsewhere;
    const std::string host = WindowsPathToHost(folder.path());
    testing::CreateFolder(folder.file(u"real"));
    testing::WriteBytes(folder.file(u"card.vrc"), "x");
    testing::WriteBytes(elsewhere.file(u"outside.vrc"), "x");
    ASSERT_EQ(0, ::symlink(host.c_str(), (host + "/loop").c_str()));
    ASSERT_EQ(0, ::symlink(WindowsPathToHost(elsewhere.path()).c_str(), (host + "/away").c_str()));
    ASSERT_EQ(0, ::symlink((host + "/card.vrc").c_str(), (host + "/linked.vrc").c_str()));
    std::vector<FolderEntry> entries;
    EXPECT_EQ((std::vector<std::u16string>{u"card.vrc", u"linked.vrc", u"real"}), ListedNames(folder.path(), &entries));
    EXPECT_FALSE(entries[1].isFolder);
    EXPECT_TRUE(entries[2].isFolder);
}

}  // namespace
}  // namespace tarnwick

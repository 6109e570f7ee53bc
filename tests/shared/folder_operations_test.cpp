// The file-system port's folder operations on real folders, through the
// platform's own adapter: built into the host unit tests and into the Windows
// tests, so the host adapter is held to the codes the Win32 calls give.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::CreateFolder;
using testing::FileExists;
using testing::ListFolder;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

class FolderOperations : public ::testing::Test {
protected:
    std::u16string at(std::u16string_view name) const { return folder.file(name); }

    TempFolder folder;
    FileSystem& files = NativeFileSystem();
};

const FolderEntry* named(const std::vector<FolderEntry>& entries, std::u16string_view name) {
    const auto found =
        std::find_if(entries.begin(), entries.end(), [&](const FolderEntry& entry) { return entry.name == name; });
    return found == entries.end() ? nullptr : &*found;
}

TEST_F(FolderOperations, ListingGivesEveryEntryWithItsKind) {
    CreateFolder(at(u"Shop"));
    WriteBytes(at(u"Home.vrt"), "x");
    WriteBytes(at(u".hidden.vrt"), "x");
    WriteBytes(at(u"\u65E5\u672C.vrc"), "x");
    std::vector<FolderEntry> entries{{u"stale", false, false}};
    ASSERT_EQ(kErrorSuccess, files.listFolder(folder.path(), entries));
    ASSERT_EQ(4u, entries.size());
    ASSERT_NE(nullptr, named(entries, u"Shop"));
    EXPECT_TRUE(named(entries, u"Shop")->isFolder);
    ASSERT_NE(nullptr, named(entries, u"Home.vrt"));
    EXPECT_FALSE(named(entries, u"Home.vrt")->isFolder);
    EXPECT_FALSE(named(entries, u"Home.vrt")->isHidden);
    ASSERT_NE(nullptr, named(entries, u".hidden.vrt"));
    EXPECT_TRUE(named(entries, u".hidden.vrt")->isHidden);
    EXPECT_NE(nullptr, named(entries, u"\u65E5\u672C.vrc"));

    ASSERT_EQ(kErrorSuccess, files.listFolder(at(u"Shop"), entries));
    EXPECT_TRUE(entries.empty());
}

TEST_F(FolderOperations, ListingAMissingFolderOrAFile) {
    std::vector<FolderEntry> entries;
    EXPECT_EQ(kErrorPathNotFound, files.listFolder(at(u"missing"), entries));
    EXPECT_EQ(kErrorPathNotFound, files.listFolder(at(u"missing\\deeper"), entries));
    WriteBytes(at(u"plain"), "x");
    const std::uint32_t onFile = files.listFolder(at(u"plain"), entries);
    EXPECT_EQ(kErrorInvalidName, onFile);  // as Wine reports it
    EXPECT_TRUE(entries.empty());
}

TEST_F(FolderOperations, QueryTellsFilesFromFoldersAndMissingEntries) {
    CreateFolder(at(u"Shop"));
    WriteBytes(at(u"Home.vrt"), "x");
    FolderEntry entry;
    ASSERT_EQ(kErrorSuccess, files.queryEntry(at(u"Shop"), entry));
    EXPECT_EQ(u"Shop", entry.name);
    EXPECT_TRUE(entry.isFolder);
    ASSERT_EQ(kErrorSuccess, files.queryEntry(at(u"Home.vrt"), entry));
    EXPECT_EQ(u"Home.vrt", entry.name);
    EXPECT_FALSE(entry.isFolder);
    EXPECT_EQ(kErrorFileNotFound, files.queryEntry(at(u"missing"), entry));
    EXPECT_EQ(kErrorPathNotFound, files.queryEntry(at(u"missing\\deeper"), entry));
}

TEST_F(FolderOperations, CreateAndRemoveFolders) {
    EXPECT_EQ(kErrorSuccess, files.createFolder(at(u"Shop")));
    EXPECT_EQ(kErrorAlreadyExists, files.createFolder(at(u"Shop")));
    WriteBytes(at(u"plain"), "x");
    EXPECT_EQ(kErrorAlreadyExists, files.createFolder(at(u"plain")));
    EXPECT_EQ(kErrorPathNotFound, files.createFolder(at(u"missing\\Shop")));

    WriteBytes(at(u"Shop\\Home.vrt"), "x");
    EXPECT_EQ(kErrorDirNotEmpty, files.removeFolder(at(u"Shop")));
    EXPECT_TRUE(FileExists(at(u"Shop\\Home.vrt")));
    EXPECT_EQ(kErrorSuccess, files.deleteFile(at(u"Shop\\Home.vrt")));
    EXPECT_EQ(kErrorSuccess, files.removeFolder(at(u"Shop")));
    EXPECT_EQ(kErrorFileNotFound, files.removeFolder(at(u"Shop")));
    EXPECT_EQ(kErrorDirectory, files.removeFolder(at(u"plain")));
    EXPECT_EQ("plain", ListFolder(folder.path()));
}

TEST_F(FolderOperations, MoveFilesAndFoldersNeverOntoAnything) {
    CreateFolder(at(u"Shop"));
    WriteBytes(at(u"Shop\\Store.vrt"), "store");
    CreateFolder(at(u"Bank"));
    EXPECT_EQ(kErrorSuccess, files.moveEntry(at(u"Shop"), at(u"Bank\\Market")));
    EXPECT_EQ("store", ReadBytes(at(u"Bank\\Market\\Store.vrt")));
    EXPECT_EQ(kErrorSuccess, files.moveEntry(at(u"Bank\\Market\\Store.vrt"), at(u"Bank\\Store.vrt")));
    EXPECT_EQ("store", ReadBytes(at(u"Bank\\Store.vrt")));

    WriteBytes(at(u"Bank\\Other.vrt"), "other");
    EXPECT_EQ(kErrorAlreadyExists, files.moveEntry(at(u"Bank\\Store.vrt"), at(u"Bank\\Other.vrt")));
    EXPECT_EQ(kErrorAlreadyExists, files.moveEntry(at(u"Bank\\Store.vrt"), at(u"Bank\\Market")));
    EXPECT_EQ("other", ReadBytes(at(u"Bank\\Other.vrt")));
    EXPECT_EQ(kErrorFileNotFound, files.moveEntry(at(u"Bank\\Gone.vrt"), at(u"Bank\\New.vrt")));
    EXPECT_EQ(kErrorPathNotFound, files.moveEntry(at(u"Bank\\Other.vrt"), at(u"missing\\New.vrt")));
    EXPECT_EQ("Market Other.vrt Store.vrt", ListFolder(at(u"Bank")));
}

TEST_F(FolderOperations, FolderCannotMoveBelowItself) {
    CreateFolder(at(u"Shop"));
    CreateFolder(at(u"Shop\\Books"));
    EXPECT_NE(kErrorSuccess, files.moveEntry(at(u"Shop"), at(u"Shop\\Books\\Shop")));
    EXPECT_EQ("Books", ListFolder(at(u"Shop")));
}

TEST_F(FolderOperations, CopyFileFailingIfTheTargetExists) {
    WriteBytes(at(u"a.vrt"), "source bytes");
    WriteBytes(at(u"b.vrt"), "kept");
    EXPECT_EQ(kErrorSuccess, files.copyFile(at(u"a.vrt"), at(u"c.vrt"), true));
    EXPECT_EQ("source bytes", ReadBytes(at(u"c.vrt")));
    EXPECT_EQ(kErrorFileExists, files.copyFile(at(u"a.vrt"), at(u"b.vrt"), true));
    EXPECT_EQ("kept", ReadBytes(at(u"b.vrt")));
    EXPECT_EQ(kErrorSuccess, files.copyFile(at(u"a.vrt"), at(u"b.vrt"), false));
    EXPECT_EQ("source bytes", ReadBytes(at(u"b.vrt")));
    EXPECT_EQ(kErrorFileNotFound, files.copyFile(at(u"gone.vrt"), at(u"d.vrt"), true));
    EXPECT_EQ(kErrorPathNotFound, files.copyFile(at(u"a.vrt"), at(u"missing\\d.vrt"), true));
    EXPECT_EQ("a.vrt b.vrt c.vrt", ListFolder(folder.path()));
}

TEST_F(FolderOperations, CopyFileOntoItselfKeepsIt) {
    WriteBytes(at(u"a.vrt"), "source bytes");
    EXPECT_NE(kErrorSuccess, files.copyFile(at(u"a.vrt"), at(u"a.vrt"), false));
    EXPECT_EQ("source bytes", ReadBytes(at(u"a.vrt")));
}

}  // namespace
}  // namespace tarnwick

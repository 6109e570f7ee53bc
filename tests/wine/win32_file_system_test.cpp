// The Win32 file-system adapter against the real calls, and the text writer's
// replace through it: the error codes the host adapter imitates come from here.
#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "foundation/text_file.h"
#include "support/faulty_file_system.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::ListFolder;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
using Lines = std::vector<std::u16string>;

class Win32FileSystemTest : public ::testing::Test {
protected:
    std::uint32_t openError(const std::u16string& path) {
        std::uint32_t error = kErrorSuccess;
        EXPECT_EQ(nullptr, files.openForReading(path, error));
        return error;
    }

    TempFolder folder;
    Win32FileSystem files;
};

TEST_F(Win32FileSystemTest, OpenAndCreateErrorCodes) {
    WriteBytes(folder.file(u"plain"), "x");
    testing::CreateFolder(folder.file(u"sub"));
    EXPECT_EQ(kErrorFileNotFound, openError(folder.file(u"missing")));
    EXPECT_EQ(kErrorPathNotFound, openError(folder.file(u"gone\\missing")));
    EXPECT_EQ(kErrorPathNotFound, openError(folder.file(u"plain\\missing")));
    EXPECT_EQ(kErrorAccessDenied, openError(folder.file(u"sub")));

    std::uint32_t error = kErrorSuccess;
    EXPECT_EQ(nullptr, files.createForWriting(folder.file(u"gone\\x"), error));
    EXPECT_EQ(kErrorPathNotFound, error);
    EXPECT_EQ(nullptr, files.createForWriting(folder.file(u"sub"), error));
    EXPECT_EQ(kErrorAccessDenied, error);
    EXPECT_EQ(nullptr, files.createNew(folder.file(u"plain"), error));
    EXPECT_EQ(kErrorFileExists, error);
    EXPECT_EQ("x", ReadBytes(folder.file(u"plain")));
}

TEST_F(Win32FileSystemTest, HoldsEntryLooksAtMatchingNamesUntilTheFirstWanted) {
    const auto isFile = [](const FolderEntry& entry) { return !entry.isFolder && !entry.isHidden; };
    const auto isFolder = [](const FolderEntry& entry) { return entry.isFolder; };
    testing::CreateFolder(folder.file(u"cards"));
    WriteBytes(folder.file(u"cards\\notes.txt"), "x");
    EXPECT_FALSE(files.holdsEntry(folder.file(u"cards"), u".vrc", isFile));
    EXPECT_FALSE(files.holdsEntry(folder.file(u"cards"), u"", isFolder));  // "." and ".." are no folders
    WriteBytes(folder.file(u"cards\\Shop.VRC"), "x");
    EXPECT_TRUE(files.holdsEntry(folder.file(u"cards"), u".vrc", isFile));
    SetFileAttributesW(reinterpret_cast<const wchar_t*>(folder.file(u"cards\\Shop.VRC").c_str()),
                       FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(files.holdsEntry(folder.file(u"cards"), u".vrc", isFile));
    testing::CreateFolder(folder.file(u"cards\\inner"));
    EXPECT_TRUE(files.holdsEntry(folder.file(u"cards"), u"", isFolder));
    EXPECT_FALSE(files.holdsEntry(folder.file(u"missing"), u"", isFolder));
}

// Each entry as the find-file functions give it, and their error for what is no folder.
TEST_F(Win32FileSystemTest, ListFolderGivesEveryEntryWithItsSizeAndWriteTime) {
    testing::CreateFolder(folder.file(u"cards"));
    testing::CreateFolder(folder.file(u"cards\\inner"));
    WriteBytes(folder.file(u"cards\\Shop.vrc"), "12345");
    WriteBytes(folder.file(u"cards\\secret.vrc"), "x");
    SetFileAttributesW(reinterpret_cast<const wchar_t*>(folder.file(u"cards\\secret.vrc").c_str()),
                       FILE_ATTRIBUTE_HIDDEN);
    std::vector<FolderEntry> entries;
    ASSERT_EQ(kErrorSuccess, files.listFolder(folder.file(u"cards"), entries));
    ASSERT_EQ(3u, entries.size());
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    EXPECT_EQ(u"Shop.vrc", entries[0].name);
    EXPECT_EQ(5u, entries[0].size);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(reinterpret_cast<const wchar_t*>(folder.file(u"cards\\Shop.vrc").c_str()),
                         GetFileExInfoStandard, &data);
    EXPECT_EQ((std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime,
              entries[0].writeTime);
    EXPECT_TRUE(entries[1].isFolder);
    EXPECT_EQ(u"inner", entries[1].name);
    EXPECT_TRUE(entries[2].isHidden);

    EXPECT_EQ(kErrorSuccess, files.listFolder(folder.file(u"cards\\inner"), entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(kErrorPathNotFound, files.listFolder(folder.file(u"missing"), entries));
    EXPECT_NE(kErrorSuccess, files.listFolder(folder.file(u"cards\\Shop.vrc"), entries));
}

TEST_F(Win32FileSystemTest, WriteReadReplaceDelete) {
    std::uint32_t error = kErrorInvalidHandle;
    auto out = files.createNew(folder.file(u"a"), error);
    ASSERT_NE(nullptr, out);
    EXPECT_EQ(kErrorSuccess, out->write("new", 3));
    EXPECT_EQ(kErrorSuccess, out->flush());
    out.reset();
    auto in = files.openForReading(folder.file(u"a"), error);
    ASSERT_NE(nullptr, in);
    char buffer[8] = {};
    std::size_t got = 0;
    EXPECT_EQ(kErrorSuccess, in->read(buffer, sizeof buffer, got));
    EXPECT_EQ("new", std::string(buffer, got));
    EXPECT_EQ(kErrorSuccess, in->read(buffer, sizeof buffer, got));
    EXPECT_EQ(0u, got);
    in.reset();

    WriteBytes(folder.file(u"b"), "old");
    EXPECT_EQ(kErrorSuccess, files.replaceFile(folder.file(u"a"), folder.file(u"b")));
    EXPECT_EQ("new", ReadBytes(folder.file(u"b")));
    EXPECT_EQ("b", ListFolder(folder.path()));
    EXPECT_EQ(kErrorFileNotFound, files.replaceFile(folder.file(u"a"), folder.file(u"b")));
    EXPECT_EQ(kErrorSuccess, files.deleteFile(folder.file(u"b")));
    EXPECT_EQ(kErrorFileNotFound, files.deleteFile(folder.file(u"b")));
    EXPECT_EQ(kErrorPathNotFound, files.deleteFile(folder.file(u"gone\\b")));
}

TEST_F(Win32FileSystemTest, TextWriterReplacesAnExistingCard) {
    const std::u16string card = folder.file(u"card.vrc");
    WriteBytes(card, "an older, longer card file");
    WriteTextLines(card, {u"A", u"\u20AC"}, kEncodingUtf16LittleEndian, files);
    EXPECT_EQ(std::string("\xFF\xFE"
                          "A\0\r\0\n\0\xAC\x20",
                          10),
              ReadBytes(card));
    EXPECT_EQ((Lines{u"A", u"\u20AC"}), ReadTextLines(card, files));
    EXPECT_EQ("card.vrc", ListFolder(folder.path()));
}

TEST_F(Win32FileSystemTest, TextWriterKeepsTheCardWhenTheDiskFills) {
    const std::u16string card = folder.file(u"card.vrc");
    WriteTextLines(card, {u"old"}, kEncodingUtf16LittleEndian, files);
    const std::string before = ReadBytes(card);
    testing::FaultyFileSystem faulty(files);
    faulty.writeBudget = 1024;
    try {
        WriteTextLines(card, Lines(100, u"a new line"), kEncodingUtf16LittleEndian, faulty);
        FAIL() << "no exception";
    } catch (const CTextFileException& e) {
        EXPECT_EQ(kErrorDiskFull, e.errorCode());
    }
    EXPECT_EQ(before, ReadBytes(card));
    EXPECT_EQ("card.vrc", ListFolder(folder.path()));
}

TEST_F(Win32FileSystemTest, TextWriterCannotReplaceACardBeingRead) {
    const std::u16string card = folder.file(u"card.vrc");
    WriteTextLines(card, {u"old"}, kEncodingUtf16LittleEndian, files);
    const std::string before = ReadBytes(card);
    CTextFileReader reader(files);
    ASSERT_TRUE(reader.open(card));
    EXPECT_THROW(WriteTextLines(card, {u"new"}, kEncodingUtf16LittleEndian, files), CTextFileException);
    reader.close();
    EXPECT_EQ(before, ReadBytes(card));
    EXPECT_EQ("card.vrc", ListFolder(folder.path()));
}

}  // namespace
}  // namespace tarnwick

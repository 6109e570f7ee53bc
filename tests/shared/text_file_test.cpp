// The text reader and writer on real files, through the platform's own file
// system: built into the host unit tests and into the Windows tests under Wine.
#include "foundation/text_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/faulty_file_system.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::FaultyFileSystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
using Lines = std::vector<std::u16string>;

TEST(TextFile, WriterBytesAreMarkLinesAndBreaksOnly) {
    TempFolder folder;
    const std::u16string path = folder.file(u"option.vro");
    WriteTextLines(path, {u"[KEY]", u"0", u"\u20AC"});
    const std::string expected(
        "\xFF\xFE[\0K\0E\0Y\0]\0\r\0\n\0"
        "0\0\r\0\n\0\xAC\x20",
        24);
    EXPECT_EQ(expected, ReadBytes(path));
    EXPECT_EQ((Lines{u"[KEY]", u"0", u"\u20AC"}), ReadTextLines(path));
    // Only the target is left in the folder: no temporary file.
    EXPECT_EQ("option.vro", testing::ListFolder(folder.path()));
}

TEST(TextFile, EveryEncodingRoundTrips) {
    TempFolder folder;
    const Lines lines = {u"plain", u"", u"Gr\u00FC\u00DFe \u20AC", u"last"};
    const Lines wideLines = {u"\u4E2D\u6587", u"\u0800\u07FF\u007F"};
    for (int encoding : {kEncodingAnsi, kEncodingUtf16BigEndian, kEncodingUtf16LittleEndian, kEncodingUtf8}) {
        const std::u16string path = folder.file(u"f" + std::u16string(1, static_cast<char16_t>(u'0' + encoding)));
        WriteTextLines(path, lines, encoding);
        EXPECT_EQ(lines, ReadTextLines(path)) << "encoding " << encoding;
        if (encoding != kEncodingAnsi) {
            WriteTextLines(path, wideLines, encoding);
            EXPECT_EQ(wideLines, ReadTextLines(path)) << "encoding " << encoding;
        }
    }
}

TEST(TextFile, MarksSelectTheEncoding) {
    TempFolder folder;
    const std::u16string path = folder.file(u"x.txt");
    WriteBytes(path, std::string("\xFE\xFF\0A\0\r\0\n\0B", 10));
    EXPECT_EQ((Lines{u"A", u"B"}), ReadTextLines(path));
    WriteBytes(path,
               "\xEF\xBB\xBF"
               "\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ((Lines{u"\u00E9\u20AC"}), ReadTextLines(path));
    // "EF BB" without BF is no mark: the bytes are ANSI text.
    WriteBytes(path, "\xEF\xBBx");
    EXPECT_EQ((Lines{u"\u00EF\u00BBx"}), ReadTextLines(path));
    WriteBytes(path, "Z");
    EXPECT_EQ((Lines{u"Z"}), ReadTextLines(path));
    WriteBytes(path, "");
    EXPECT_EQ(Lines{}, ReadTextLines(path));
    WriteBytes(path, "\xFF\xFE");
    EXPECT_EQ(Lines{}, ReadTextLines(path));
}

TEST(TextFile, LineBreaksOfEveryKind) {
    TempFolder folder;
    const std::u16string path = folder.file(u"x.txt");
    WriteBytes(path, "a\r\nb\rc\nd\n\re\r\r\nf");
    EXPECT_EQ((Lines{u"a", u"b", u"c", u"d", u"", u"e", u"", u"f"}), ReadTextLines(path));
    // A final break yields one more, empty line.
    WriteBytes(path, "a\r\n");
    EXPECT_EQ((Lines{u"a", u""}), ReadTextLines(path));
    WriteBytes(path, "\n");
    EXPECT_EQ((Lines{u"", u""}), ReadTextLines(path));
}

TEST(TextFile, ReadLineLeavesTheOutputAloneAtTheEnd) {
    TempFolder folder;
    const std::u16string path = folder.file(u"x.txt");
    WriteBytes(path, "only");
    CTextFileReader reader;
    ASSERT_TRUE(reader.open(path));
    std::u16string line;
    EXPECT_TRUE(reader.readLine(line));
    EXPECT_EQ(u"only", line);
    EXPECT_FALSE(reader.readLine(line));
    EXPECT_EQ(u"only", line);
}

TEST(TextFile, MissingFilesReadAsEmpty) {
    TempFolder folder;
    EXPECT_EQ(Lines{}, ReadTextLines(folder.file(u"missing.vro")));
    EXPECT_EQ(Lines{}, ReadTextLines(folder.file(u"no folder\\missing.vro")));
    CTextFileReader reader;
    EXPECT_FALSE(reader.open(folder.file(u"missing.vro")));
    std::u16string line = u"kept";
    EXPECT_FALSE(reader.readLine(line));
    EXPECT_EQ(u"kept", line);
}

TEST(TextFile, LongLinesAndChunkBoundaries) {
    TempFolder folder;
    const std::u16string path = folder.file(u"long.txt");
    // Lines longer than a chunk, and a CR LF pair and UTF-16 units that straddle
    // the 1,024-byte chunks at every offset around the boundary.
    for (std::size_t first = 505; first < 515; ++first) {
        const Lines lines = {std::u16string(first, u'\u4E2D'), std::u16string(3000, u'b'), u"", u"tail"};
        WriteTextLines(path, lines);
        EXPECT_EQ(lines, ReadTextLines(path)) << first;
    }
    for (std::size_t first = 1018; first < 1028; ++first) {
        WriteBytes(path, "\xEF\xBB\xBF" + std::string(first, 'a') + "\r\n\xE2\x82\xAC" + "\r\n");
        EXPECT_EQ((Lines{std::u16string(first, u'a'), u"\u20AC", u""}), ReadTextLines(path)) << first;
    }
}

TEST(TextFile, BrokenUtf8BecomesReplacementCharacters) {
    TempFolder folder;
    const std::u16string path = folder.file(u"x.txt");
    // A stray continuation byte, a 4-byte lead, a sequence cut short by another
    // character, and one cut short by the end of the file.
    WriteBytes(path,
               "\xEF\xBB\xBF"
               "a\x80"
               "b\xF0"
               "c\xE2\x82"
               "d\r\n\xC3");
    EXPECT_EQ((Lines{u"a\uFFFDb\uFFFDc\uFFFDd", u"\uFFFD"}), ReadTextLines(path));
}

TEST(TextFile, FailedWriteLeavesThePreviousFileIntact) {
    TempFolder folder;
    const std::u16string path = folder.file(u"card.vrc");
    WriteTextLines(path, {u"old line 1", u"old line 2"});
    const std::string before = ReadBytes(path);

    FaultyFileSystem faulty(NativeFileSystem());
    faulty.writeBudget = 1500;  // fails in the second chunk
    faulty.failWriteWith = kErrorDiskFull;
    try {
        WriteTextLines(path, Lines(200, u"new line of some length"), kEncodingUtf16LittleEndian, faulty);
        FAIL() << "the failed write was reported as success";
    } catch (const CTextFileException& e) {
        EXPECT_EQ(kErrorDiskFull, e.errorCode());
    }
    EXPECT_EQ(before, ReadBytes(path));
    EXPECT_EQ("card.vrc", testing::ListFolder(folder.path()));
}

TEST(TextFile, FailedFlushOrReplaceLeavesThePreviousFileIntact) {
    TempFolder folder;
    const std::u16string path = folder.file(u"card.vrt");
    WriteTextLines(path, {u"old"});
    const std::string before = ReadBytes(path);
    for (int step = 0; step < 3; ++step) {
        FaultyFileSystem faulty(NativeFileSystem());
        if (step == 0) faulty.failFlushWith = kErrorWriteFault;
        if (step == 1) faulty.failReplaceWith = kErrorAccessDenied;
        if (step == 2) faulty.failCreateWith = kErrorAccessDenied;
        EXPECT_THROW(WriteTextLines(path, {u"new"}, kEncodingUtf16LittleEndian, faulty), CTextFileException);
        EXPECT_EQ(before, ReadBytes(path)) << step;
        EXPECT_EQ("card.vrt", testing::ListFolder(folder.path())) << step;
    }
}

TEST(TextFile, WriterDroppedWithoutCloseChangesNothing) {
    TempFolder folder;
    const std::u16string path = folder.file(u"card.vrc");
    WriteTextLines(path, {u"old"});
    const std::string before = ReadBytes(path);
    {
        CTextFileWriter writer;
        writer.open(path, kEncodingUtf16LittleEndian);
        writer.writeText(u"half of a card");
    }
    EXPECT_EQ(before, ReadBytes(path));
    EXPECT_EQ("card.vrc", testing::ListFolder(folder.path()));
}

TEST(TextFile, WriterReportsAMissingFolder) {
    TempFolder folder;
    try {
        WriteTextLines(folder.file(u"no such folder\\x.vro"), {u"x"});
        FAIL() << "writing into a missing folder succeeded";
    } catch (const CTextFileException& e) {
        EXPECT_EQ(kErrorPathNotFound, e.errorCode());
    }
}

}  // namespace
}  // namespace tarnwick

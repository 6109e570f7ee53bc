// The text reader and writer on the host: exact bytes of every encoding, the
// 1,024-byte buffering, damaged input, and failures injected into the port.
// (The cases shared with the Windows build are in tests/shared/text_file_test.cpp.)
#include "foundation/text_file.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/host/host_file_system.h"
#include "platform/utf8.h"
#include "support/faulty_file_system.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::FaultyFileSystem;
using testing::ListFolder;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
using Lines = std::vector<std::u16string>;

// Latin-1 both ways ('?' beyond it); records what it was asked.
class Latin1CodePage : public CodePage {
public:
    std::string toNarrow(std::u16string_view wide, Which which) const override {
        whichSeen.push_back(which);
        std::string out;
        for (char16_t c : wide) out.push_back(c < 0x100 ? static_cast<char>(c) : '?');
        return out;
    }
    std::u16string toWide(std::string_view narrow, Which which) const override {
        whichSeen.push_back(which);
        widened.emplace_back(narrow);
        std::u16string out;
        for (char c : narrow) out.push_back(static_cast<unsigned char>(c));
        return out;
    }
    mutable std::vector<Which> whichSeen;
    mutable std::vector<std::string> widened;
};

std::string Utf16LeBytes(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return out;
}

class TextFileTest : public ::testing::Test {
protected:
    Lines read(const std::u16string& path) { return ReadTextLines(path, files, codePage); }
    Lines readBytes(const std::string& bytes) {
        WriteBytes(folder.file(u"in.txt"), bytes);
        return read(folder.file(u"in.txt"));
    }
    void write(const std::u16string& path, const Lines& lines, int encoding) {
        WriteTextLines(path, lines, encoding, files, codePage);
    }
    int encodingFound(const std::u16string& path) {
        CTextFileReader reader(files, codePage);
        EXPECT_TRUE(reader.open(path));
        return reader.encoding();
    }

    TempFolder folder;
    HostFileSystem files;
    Latin1CodePage codePage;
    const std::u16string card = folder.file(u"card.vrc");
};

// ---- The bytes of each encoding -------------------------------------------------------

TEST_F(TextFileTest, EachEncodingWritesItsMarkAndUnitsAndReadsThemBack) {
    const Lines lines = {u"A\u00E9\u20AC\U0001F600", u"z"};
    write(card, lines, kEncodingUtf16BigEndian);
    EXPECT_EQ(std::string("\xFE\xFF\x00\x41\x00\xE9\x20\xAC\xD8\x3D\xDE\x00\x00\x0D\x00\x0A\x00z", 18),
              ReadBytes(card));
    EXPECT_EQ(kEncodingUtf16BigEndian, encodingFound(card));
    EXPECT_EQ(lines, read(card));
    // One to three bytes per UTF-16 unit by its value: each surrogate on its own.
    write(card, lines, kEncodingUtf8);
    EXPECT_EQ(
        "\xEF\xBB\xBF"
        "A\xC3\xA9\xE2\x82\xAC\xED\xA0\xBD\xED\xB8\x80\r\nz",
        ReadBytes(card));
    EXPECT_EQ(kEncodingUtf8, encodingFound(card));
    EXPECT_EQ(lines, read(card));
    write(card, lines, kEncodingAnsi);
    EXPECT_EQ("A\xE9???\r\nz", ReadBytes(card));  // the fake replaces each unit
    EXPECT_EQ(kEncodingAnsi, encodingFound(card));
    EXPECT_EQ((Lines{u"A\u00E9???", u"z"}), read(card));
    WriteBytes(card, "\xEF\xBB");
    EXPECT_EQ(kEncodingAnsi, encodingFound(card));
    for (CodePage::Which which : codePage.whichSeen) EXPECT_EQ(CodePage::Which::System, which);
}

TEST_F(TextFileTest, NoLinesLeaveTheMarkAloneAndUnknownEncodingsAreRefused) {
    write(card, {}, kEncodingUtf16LittleEndian);
    EXPECT_EQ("\xFF\xFE", ReadBytes(card));
    CTextFileWriter writer(files, codePage);
    EXPECT_THROW(writer.open(folder.file(u"other.vrc"), 4), std::invalid_argument);
    EXPECT_EQ("card.vrc", ListFolder(folder.path()));
}

// ---- Buffering ---------------------------------------------------------------------------

TEST_F(TextFileTest, ReadsAndWritesInChunksOf1024Bytes) {
    FaultyFileSystem counting(files);
    WriteTextLines(card, {std::u16string(1249, u'x')}, kEncodingUtf16LittleEndian, counting, codePage);
    EXPECT_EQ((std::vector<std::size_t>{1024, 1024, 452}), counting.writeSizes);
    ReadTextLines(card, counting, codePage);
    // Three reads with data and one that finds the end.
    EXPECT_EQ((std::vector<std::size_t>{1024, 1024, 1024, 1024}), counting.readSizes);
}

TEST_F(TextFileTest, AnsiLineIsWidenedWholeAcrossAChunkBoundary) {
    // A double-byte character straddles the first chunk boundary and CR LF the
    // second: the code page sees each line whole, once.
    const std::string first = std::string(1023, 'x') + "\x81\x40";
    const std::string second(1020, 'y');
    readBytes(first + "\r\n" + second + "\r\nz");
    EXPECT_EQ((std::vector<std::string>{first, second, "z"}), codePage.widened);
    for (CodePage::Which which : codePage.whichSeen) EXPECT_EQ(CodePage::Which::System, which);
}

TEST_F(TextFileTest, CrLfSplitAcrossAnsiChunksIsOneBreak) {
    EXPECT_EQ((Lines{std::u16string(1023, u'x'), u"y"}), readBytes(std::string(1023, 'x') + "\r\ny"));
}

TEST_F(TextFileTest, UnitsSplitAcrossShortReads) {
    FaultyFileSystem shortReads(files);
    shortReads.maxReadSize = 3;
    const Lines lines = {u"ab\u20AC", u"", u"c\U0001F600\r"};
    const Lines expected = {u"ab\u20AC", u"", u"c\U0001F600", u""};
    for (int encoding : {kEncodingUtf16BigEndian, kEncodingUtf16LittleEndian, kEncodingUtf8}) {
        SCOPED_TRACE(encoding);
        write(card, lines, encoding);
        EXPECT_EQ(expected, ReadTextLines(card, shortReads, codePage));
    }
}

TEST_F(TextFileTest, Utf16BreaksAroundAChunkBoundary) {
    // Lines taken from the buffer a chunk at a time: a break just before, on
    // and just after the 1,024-byte boundary, in both byte orders and with
    // each kind of break, gives the same lines.
    for (const bool bigEndian : {false, true}) {
        for (const std::u16string_view lineBreak : {u"\r\n", u"\n", u"\r"}) {
            for (std::size_t length = 508; length <= 513; ++length) {
                SCOPED_TRACE(::testing::Message() << bigEndian << " " << lineBreak.size() << " " << length);
                const std::u16string text =
                    std::u16string(length, u'x') + std::u16string(lineBreak) + u"y\u20ACz" + std::u16string(lineBreak);
                std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
                for (const char16_t unit : text) {
                    const char low = static_cast<char>(unit & 0xFF);
                    const char high = static_cast<char>(unit >> 8);
                    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
                }
                EXPECT_EQ((Lines{std::u16string(length, u'x'), u"y\u20ACz", u""}), readBytes(bytes));
            }
        }
    }
}

// ---- Damaged input ----------------------------------------------------------------------

TEST_F(TextFileTest, DamagedUtf8NeverSwallowsALineBreak) {
    const std::u16string r = u"\uFFFD";
    // A four-byte lead and each of its continuations.
    EXPECT_EQ((Lines{u"a" + r + r + r + r + u"c"}), readBytes("\xEF\xBB\xBF"
                                                              "a\xF0\x9F\x98\x80"
                                                              "c"));
    // A sequence cut short by a break: the break still ends the line.
    EXPECT_EQ((Lines{u"x" + r, u"y" + r, u"z"}), readBytes("\xEF\xBB\xBF"
                                                           "x\xC3\n"
                                                           "y\xE2\x82\r\nz"));
    // An overlong LF is not a break.
    EXPECT_EQ((Lines{u"p" + r + u"q"}), readBytes("\xEF\xBB\xBF"
                                                  "p\xC0\x8Aq"));
}

TEST_F(TextFileTest, OddByteAtTheEndOfUtf16IsAReplacementCharacter) {
    EXPECT_EQ((Lines{u"A\uFFFD"}), readBytes(std::string("\xFF\xFE"
                                                         "A\0"
                                                         "B",
                                                         5)));
    EXPECT_EQ((Lines{u"\uFFFD"}), readBytes("\xFE\xFF"
                                            "B"));
}

TEST_F(TextFileTest, FailingReadRaisesWithItsCode) {
    write(card, {std::u16string(2000, u'x'), u"after"}, kEncodingUtf16LittleEndian);
    FaultyFileSystem faulty(files);
    faulty.readBudget = 1500;
    CTextFileReader reader(faulty, codePage);
    ASSERT_TRUE(reader.open(card));
    std::u16string line = u"kept";
    try {
        reader.readLine(line);
        FAIL() << "no exception";
    } catch (const CTextFileException& e) {
        EXPECT_EQ(kErrorReadFault, e.errorCode());
        EXPECT_EQ(card, e.path());
    }
    EXPECT_FALSE(reader.readLine(line));
    EXPECT_EQ(u"kept", line);
}

// ---- The writer's temporary file --------------------------------------------------------

class TextFileReplaceTest : public TextFileTest {
protected:
    void SetUp() override { WriteBytes(card, kOld); }
    std::uint32_t failureCode() {
        try {
            WriteTextLines(card, {std::u16string(3000, u'n'), u"end"}, kEncodingUtf16LittleEndian, faulty, codePage);
        } catch (const CTextFileException& e) {
            return e.errorCode();
        }
        return kErrorSuccess;
    }

    const std::string kOld = "\xFF\xFE" + Utf16LeBytes(u"the good card\r\nline 2");
    FaultyFileSystem faulty{files};
};

TEST_F(TextFileReplaceTest, TemporaryIsAShortNameBesideTheTarget) {
    EXPECT_EQ(kErrorSuccess, failureCode());
    EXPECT_EQ(u"end", read(card).back());
    EXPECT_EQ("card.vrc", ListFolder(folder.path()));
    ASSERT_EQ(1u, faulty.created.size());
    const std::u16string temporary = faulty.created[0];
    const std::u16string prefix = folder.path() + u"\\~tw";
    ASSERT_EQ(prefix.size() + 12, temporary.size());
    EXPECT_EQ(prefix, temporary.substr(0, prefix.size()));
    EXPECT_EQ(std::u16string::npos, temporary.substr(prefix.size(), 8).find_first_not_of(u"0123456789abcdef"));
    EXPECT_EQ(u".tmp", temporary.substr(prefix.size() + 8));
}

TEST_F(TextFileReplaceTest, TakenTemporaryNamesAreSkipped) {
    faulty.failCreateWith = kErrorFileExists;
    faulty.failCreateTimes = 3;
    EXPECT_EQ(kErrorSuccess, failureCode());
    EXPECT_EQ(u"end", read(card).back());
    EXPECT_EQ("card.vrc", ListFolder(folder.path()));
}

TEST_F(TextFileReplaceTest, WriteFailureNeverReachesTheTarget) {
    faulty.writeBudget = 1500;
    EXPECT_EQ(kErrorDiskFull, failureCode());
    EXPECT_EQ(0, faulty.replaceCalls);
    EXPECT_EQ(kOld, ReadBytes(card));
    EXPECT_EQ("card.vrc", ListFolder(folder.path()));
}

TEST_F(TextFileReplaceTest, ReadOnlyTargetIsRefusedAndKept) {
    testing::MakeReadOnly(card);
    EXPECT_EQ(kErrorAccessDenied, failureCode());
    EXPECT_EQ(kOld, ReadBytes(card));
    EXPECT_EQ("card.vrc", ListFolder(folder.path()));
}

TEST_F(TextFileReplaceTest, WriterAbandonedByAnExceptionLeavesTheTarget) {
    try {
        CTextFileWriter writer(files, codePage);
        writer.open(card);
        writer.writeText(std::u16string(2000, u'n'));
        throw std::runtime_error("the caller failed");
    } catch (const std::runtime_error&) {}
    EXPECT_EQ(kOld, ReadBytes(card));
    EXPECT_EQ("card.vrc", ListFolder(folder.path()));
}

TEST_F(TextFileReplaceTest, ExceptionNamesTheFileAndTheCode) {
    const std::u16string path = folder.file(u"gone\\card.vrc");
    try {
        write(path, {u"x"}, kEncodingUtf16LittleEndian);
        FAIL() << "no exception";
    } catch (const CTextFileException& e) {
        EXPECT_EQ(kErrorPathNotFound, e.errorCode());
        EXPECT_EQ("cannot create " + Utf16ToUtf8(path) + ": error 3 (the folder was not found)", std::string(e.what()));
    }
}

}  // namespace
}  // namespace tarnwick

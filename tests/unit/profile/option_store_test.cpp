// The option file: exact bytes after a write, the first-match rule, the value
// forms, and which program reports a damaged configuration.
#include "foundation/option_store.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/message_box.h"
#include "foundation/text_file.h"
#include "support/faulty_file_system.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// UTF-16 LE bytes of an ASCII text.
std::string Utf16(std::string_view ascii) {
    std::string bytes;
    for (char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}
const std::string kMark = "\xFF\xFE";

class OptionStoreTest : public ::testing::Test {
protected:
    void writeOptions(std::string_view asciiWithCrLf) {
        WriteBytes(folder.file(kOptionFileName), kMark + Utf16(asciiWithCrLf));
    }
    std::string optionBytes() { return ReadBytes(folder.file(kOptionFileName)); }

    TempFolder folder;
};

TEST_F(OptionStoreTest, WriteReplacesOnlyTheValueLine) {
    // An ANSI file with mixed breaks and a trailing break is written back as
    // UTF-16 with CR LF between lines and none after the last.
    WriteBytes(folder.file(kOptionFileName), "[A]\r\n  x  \n[SHOWTYPE]\r1\r\n[B]\r\n");
    WriteOptionLine(folder.path(), u"[SHOWTYPE]", u"0");
    EXPECT_EQ(optionBytes(), kMark + Utf16("[A]\r\n  x  \r\n[SHOWTYPE]\r\n0\r\n[B]\r\n"));
}

TEST_F(OptionStoreTest, DuplicateKeysAndNearMatches) {
    writeOptions("[show]\r\nlow\r\n[SHOW] \r\nspace\r\n[SHOW]\r\nfirst\r\n[SHOW]\r\nsecond");
    EXPECT_EQ(ReadOptionLine(folder.path(), u"[SHOW]").value, u"first");
    WriteOptionLine(folder.path(), u"[SHOW]", u"new");
    EXPECT_EQ(optionBytes(), kMark + Utf16("[show]\r\nlow\r\n[SHOW] \r\nspace\r\n[SHOW]\r\nnew\r\n[SHOW]\r\nsecond"));
}

TEST_F(OptionStoreTest, AbsentKeyOrKeyOnTheLastLineIsAppended) {
    writeOptions("[A]\r\n1\r\n[LAST]");
    WriteOptionLine(folder.path(), u"[LAST]", u"v");
    EXPECT_EQ(optionBytes(), kMark + Utf16("[A]\r\n1\r\n[LAST]\r\nv"));
    WriteOptionLine(folder.path(), u"[NEW]", u"");
    EXPECT_EQ(optionBytes(), kMark + Utf16("[A]\r\n1\r\n[LAST]\r\nv\r\n[NEW]\r\n"));
    EXPECT_EQ(ReadOptionLine(folder.path(), u"[NEW]").value, u"");
}

TEST_F(OptionStoreTest, WriteCreatesAMissingFile) {
    WriteOptionLine(folder.path(), u"[KEY]", u"0");
    EXPECT_EQ(optionBytes(), kMark + Utf16("[KEY]\r\n0"));
}

TEST_F(OptionStoreTest, AFailedWriteLeavesTheFileAsItWas) {
    writeOptions("[KEY]\r\n0");
    testing::MakeReadOnly(folder.file(kOptionFileName));
    EXPECT_THROW(WriteOptionLine(folder.path(), u"[KEY]", u"1"), CTextFileException);
    EXPECT_EQ(optionBytes(), kMark + Utf16("[KEY]\r\n0"));
}

TEST_F(OptionStoreTest, AFileThatCannotBeReadIsNeitherEmptyNorReplaced) {
    // Only a file that does not exist counts as empty: one that another program
    // holds, or that may not be read, must keep "[CHECKKEY]" and every other key.
    writeOptions("[CHECKKEY]\r\n49\r\n[KEY]\r\n0\r\n[SHOWTYPE]\r\n1");
    for (std::uint32_t code : {kErrorSharingViolation, kErrorAccessDenied}) {
        testing::FaultyFileSystem files(NativeFileSystem());
        files.failOpenForReadingWith = code;
        try {
            WriteOptionLine(folder.path(), u"[KEY]", u"1", files);
            ADD_FAILURE() << "no failure for error " << code;
        } catch (const CTextFileException& e) {
            EXPECT_EQ(code, e.errorCode());
        }
        EXPECT_TRUE(files.created.empty());
        EXPECT_EQ(optionBytes(), kMark + Utf16("[CHECKKEY]\r\n49\r\n[KEY]\r\n0\r\n[SHOWTYPE]\r\n1"));
    }
    // A read that fails part-way is no end of the file either.
    testing::FaultyFileSystem files(NativeFileSystem());
    files.readBudget = 6;
    EXPECT_THROW(WriteOptionLine(folder.path(), u"[KEY]", u"1", files), CTextFileException);
    EXPECT_EQ(optionBytes(), kMark + Utf16("[CHECKKEY]\r\n49\r\n[KEY]\r\n0\r\n[SHOWTYPE]\r\n1"));
}

TEST_F(OptionStoreTest, OnlyAMissingFileIsWrittenAfresh) {
    testing::FaultyFileSystem files(NativeFileSystem());
    WriteOptionLine(folder.path(), u"[KEY]", u"0", files);
    EXPECT_EQ(optionBytes(), kMark + Utf16("[KEY]\r\n0"));
    // The store's writer raises the same failure its callers already report.
    writeOptions("[CHECKKEY]\r\n49");
    files.failOpenForReadingWith = kErrorSharingViolation;
    const OptionStore store(folder.path(), nullptr, files);
    EXPECT_THROW(store.SetShowType(1), CTextFileException);
    EXPECT_EQ(optionBytes(), kMark + Utf16("[CHECKKEY]\r\n49"));
}

TEST(OptionValues, IntegersAndFlags) {
    EXPECT_EQ(OptionInteger(u" 12ab"), 12);
    EXPECT_EQ(OptionInteger(u"ab"), 0);
    EXPECT_EQ(OptionInteger(u""), 0);
    EXPECT_EQ(OptionInteger(u"\t-7"), -7);
    EXPECT_EQ(OptionInteger(u"+3x"), 3);
    EXPECT_EQ(OptionInteger(u"99999999999"), 2147483647);
    EXPECT_EQ(OptionInteger(u"-99999999999"), -2147483647 - 1);
    EXPECT_TRUE(OptionFlag(u""));
    EXPECT_TRUE(OptionFlag(u"1"));
    EXPECT_TRUE(OptionFlag(u"off"));
    EXPECT_TRUE(OptionFlag(u"00"));
    EXPECT_FALSE(OptionFlag(u"0"));
    EXPECT_EQ(OptionIntegerText(-42), u"-42");
}

TEST_F(OptionStoreTest, TypedReadersAndWriters) {
    writeOptions("[IDENTITYPROTECT]\r\nyes\r\n[SHOWTYPE]\r\n 1x\r\n[SHOWPASSWORD]\r\n0\r\n[PASSWORDEDITORONTOP]\r\n1");
    test::ScriptedPrompts prompts;
    const OptionStore store(folder.path(), &prompts, NativeFileSystem(), IdentityMessages());
    EXPECT_TRUE(store.IdentityProtect());
    EXPECT_EQ(store.ShowType(), 1);
    EXPECT_EQ(store.ShowPassword(), 0);
    EXPECT_EQ(store.PasswordEditorOnTop(), 1);
    store.SetShowPassword(1);
    EXPECT_EQ(store.ShowPassword(), 1);
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(OptionStoreTest, MissingFileShowsTheEditorsErrorOncePerRead) {
    test::ScriptedPrompts prompts;
    prompts.setActiveWindow(0x77);
    prompts.queueAnswer(kIdOk);
    prompts.queueAnswer(kIdOk);
    const OptionStore identity(folder.path(), &prompts, NativeFileSystem(), IdentityMessages());
    EXPECT_EQ(identity.IdentityEditorOnTop(), 0);
    EXPECT_TRUE(identity.IdentityProtect());  // absent reads as on
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[0].owner, 0x77u);
    EXPECT_EQ(prompts.shown()[0].text, u"Can not find program path, please reinstall the Tarnwick");
    EXPECT_EQ(prompts.shown()[0].caption, u"Tarnwick Error");
    EXPECT_EQ(prompts.shown()[0].style, kMbOk | kMbIconError);

    // The Passcard Editor has no text for the key: an empty box.
    prompts.queueAnswer(kIdOk);
    const OptionStore passcard(folder.path(), &prompts, NativeFileSystem(), PasscardMessages());
    EXPECT_EQ(passcard.ReadOption(option_key::kKey), u"");
    ASSERT_EQ(prompts.shown().size(), 3u);
    EXPECT_EQ(prompts.shown()[2].text, u"");
    EXPECT_EQ(prompts.shown()[2].caption, u"Tarnwick Error");
    // Its display options and every read of the tray program stay silent.
    EXPECT_EQ(passcard.ShowType() + passcard.ShowPassword() + passcard.PasswordEditorOnTop(), 0);
    const OptionStore tray(folder.path(), nullptr, NativeFileSystem(), PasscardMessages());
    EXPECT_TRUE(tray.BossKeyEnable());
    EXPECT_TRUE(tray.StartupUpdate());
    EXPECT_EQ(tray.BossKey(), u"");
    EXPECT_EQ(prompts.shown().size(), 3u);
}

TEST_F(OptionStoreTest, AnEmptyLastLineReadIsReported) {
    // The key found with an empty value, and a key not found in a file whose
    // last line is empty, both count as damage; a found value does not.
    writeOptions("[BOSSKEY]\r\n\r\n[A]\r\nx\r\n");
    EXPECT_TRUE(ReadOptionLine(folder.path(), u"[BOSSKEY]").lastLineEmpty);
    EXPECT_TRUE(ReadOptionLine(folder.path(), u"[ABSENT]").lastLineEmpty);
    EXPECT_FALSE(ReadOptionLine(folder.path(), u"[A]").lastLineEmpty);
    writeOptions("[A]\r\nx");
    EXPECT_FALSE(ReadOptionLine(folder.path(), u"[ABSENT]").lastLineEmpty);
}

}  // namespace
}  // namespace tarnwick

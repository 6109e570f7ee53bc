// The update check: which update files ask, the exact question, what Yes
// opens, and where the file is downloaded to.
#include "tray/update_check.h"

#include <gtest/gtest.h>

#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/message_box.h"
#include "platform/host/host_file_system.h"
#include "support/recording_windows.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/tray_fakes.h"

namespace tarnwick {
namespace {

TEST(UpdateFileTest, OnlyATagLineAndAVersionOffer) {
    using Lines = std::vector<std::u16string>;
    EXPECT_EQ(OfferedVersion(Lines{u"[VERSION]", u"1.0.1", u"ignored"}), u"1.0.1");
    EXPECT_EQ(OfferedVersion(Lines{u"[VERSION] ", u"1.0.1"}), std::nullopt);
    EXPECT_EQ(OfferedVersion(Lines{u"[version]", u"1.0.1"}), std::nullopt);
    EXPECT_EQ(OfferedVersion(Lines{u"[VERSION]", u""}), std::nullopt);
    EXPECT_EQ(OfferedVersion(Lines{u"[VERSION]"}), std::nullopt);
    EXPECT_EQ(OfferedVersion(Lines{}), std::nullopt);
}

TEST(UpdateFileTest, QuestionTextAndAddresses) {
    EXPECT_EQ(UpdateQuestion(u"1.0.1"),
              u"Tarnwick : Version 1.0.1 is available. You are using version 1.0.0\nUpgrade now?");
    EXPECT_EQ(UpdateFileAddress(std::nullopt), u"http://www.tarnwick.com/Update.txt");
    EXPECT_EQ(UpdateFileAddress(u""), u"http://www.tarnwick.com/Update.txt");
    EXPECT_EQ(UpdateFileAddress(u"http://127.0.0.1:8000/Update.txt"), u"http://127.0.0.1:8000/Update.txt");
    EXPECT_EQ(DownloadPageAddress(u"http://www.tarnwick.com/Update.txt"), u"http://www.tarnwick.com/download.htm");
    EXPECT_EQ(DownloadPageAddress(u"http://127.0.0.1:8000/a/b/Update.txt"), u"http://127.0.0.1:8000/download.htm");
}

class UpdateCheckTest : public ::testing::Test {
protected:
    // Runs the check with the file's bytes as the download; the boxes shown.
    std::vector<test::ShownBox> check(std::optional<std::string> bytes, int answer = kIdNo) {
        downloader.bytes = std::move(bytes);
        prompts.queueAnswer(answer);
        check_.run(folder.path(), u"http://127.0.0.1:8000/Update.txt");
        return prompts.shown();
    }

    testing::TempFolder folder;
    HostFileSystem files;
    testing::PreparedDownloader downloader;
    test::ScriptedPrompts prompts;
    testing::RecordingWindows windows;
    testing::RecordingLauncher launcher;
    WindowSignals signals{windows, launcher};
    MessageCatalogue catalogue{TrayCatalogueRows(DisplayLanguage::English)};
    UpdateCheck check_{downloader, files, NativeCodePage(), prompts, signals, catalogue};
};

TEST_F(UpdateCheckTest, DownloadsIntoTheDataRootWithItsTimeLimit) {
    check(std::nullopt);
    ASSERT_EQ(downloader.files.size(), 1u);
    EXPECT_EQ(downloader.files[0], folder.path() + u"\\Update.log");
    EXPECT_EQ(downloader.addresses[0], u"http://127.0.0.1:8000/Update.txt");
    EXPECT_EQ(downloader.timeLimit, 120);
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(UpdateCheckTest, TheSameVersionOrABadFileAsksNothing) {
    EXPECT_TRUE(check("[VERSION]\r\n1.0.0\r\n").empty());
    EXPECT_TRUE(check("[VERSION] \r\n1.0.1").empty());
    EXPECT_TRUE(check("[VERSION]\r\n").empty());
    EXPECT_TRUE(check("").empty());
}

TEST_F(UpdateCheckTest, AnotherVersionAsksAndYesOpensTheDownloadPage) {
    const auto boxes = check("[VERSION]\n0.9\n", kIdYes);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, UpdateQuestion(u"0.9"));
    EXPECT_EQ(boxes[0].caption, u"Tarnwick Question");
    EXPECT_EQ(boxes[0].style, 0x24u);
    EXPECT_EQ(boxes[0].owner, kNoWindow);
    // No browser runs: it is started with the page.
    EXPECT_EQ(
        launcher.shellOpens(),
        (std::vector<testing::RecordingLauncher::ShellOpen>{{u"iexplore", u"http://127.0.0.1:8000/download.htm"}}));
}

TEST_F(UpdateCheckTest, UnicodeFilesAreReadLikeAnsiOnesAndNoOpensNothing) {
    // UTF-8 with its mark.
    EXPECT_EQ(check("\xEF\xBB\xBF[VERSION]\r\n1.0.1").size(), 1u);
    // UTF-16 LE with its mark.
    const std::string utf16(
        "\xFF\xFE[\0V\0E\0R\0S\0I\0O\0N\0]\0\r\0\n\0"
        "2\0",
        26);
    EXPECT_EQ(check(utf16).size(), 2u);
    EXPECT_TRUE(launcher.shellOpens().empty());
}

}  // namespace
}  // namespace tarnwick

// The About box texts, the save question and the close decision, the
// copy-data requests an editor window accepts, the words for a failed save,
// and the Always on Top setting.
#include <gtest/gtest.h>

#include "editor_common/about_box.h"
#include "editor_common/always_on_top.h"
#include "editor_common/editor_copy_data.h"
#include "editor_common/save_failure.h"
#include "editor_common/save_question.h"
#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/message_box.h"
#include "foundation/text_file.h"
#include "foundation/toolbar_contract.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

constexpr WindowRef kEditorWindow = 0x99;

TEST(AboutBox, TitleNameAndVersion) {
    const AboutBoxTexts passcard = AboutBox(PasscardEditorTraits());
    EXPECT_EQ(passcard.title, u"About");
    EXPECT_EQ(passcard.text, u"Passcard Editor\nVersion 1.0.0");
    const AboutBoxTexts identity = AboutBox(IdentityEditorTraits());
    EXPECT_EQ(identity.text, u"Identity Editor\nVersion 1.0.0\nIdentity cards for filling in web forms");
}

class SaveQuestionTest : public ::testing::Test {
protected:
    bool mayClose(const EditorTraits& traits, const MessageCatalogue& catalogue, bool changed, bool saveWorks) {
        return MayClose(
            traits, prompts, kEditorWindow, changed,
            [&] {
                ++saves;
                return saveWorks;
            },
            catalogue);
    }
    test::ScriptedPrompts prompts;
    int saves = 0;
};

TEST_F(SaveQuestionTest, EachEditorAsksInItsOwnWords) {
    prompts.queueAnswer(kIdNo);
    prompts.queueAnswer(kIdNo);
    EXPECT_EQ(AskToSave(IdentityEditorTraits(), prompts, kEditorWindow, IdentityMessages()), SaveAnswer::Discard);
    EXPECT_EQ(AskToSave(PasscardEditorTraits(), prompts, kEditorWindow, PasscardMessages()), SaveAnswer::Discard);
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[0].owner, kEditorWindow);
    EXPECT_EQ(prompts.shown()[0].caption, u"Tarnwick Warning");
    EXPECT_EQ(prompts.shown()[0].text, u"Identity was changed.\nDo you want to save the changes?");
    EXPECT_EQ(prompts.shown()[0].style, kMbYesNoCancel | kMbIconQuestion);
    EXPECT_EQ(prompts.shown()[1].caption, u"Tarnwick Question");
    EXPECT_EQ(prompts.shown()[1].text, u"Passcard was changed.\nDo you want to save the changes?");
    EXPECT_EQ(prompts.shown()[1].style, kMbYesNoCancel | kMbIconQuestion);
}

TEST_F(SaveQuestionTest, UnchangedClosesAtOnceWithoutAQuestion) {
    EXPECT_TRUE(mayClose(IdentityEditorTraits(), IdentityMessages(), false, true));
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(saves, 0);
}

TEST_F(SaveQuestionTest, YesSavesAndClosesNoClosesCancelStays) {
    prompts.queueAnswer(kIdYes);
    EXPECT_TRUE(mayClose(PasscardEditorTraits(), PasscardMessages(), true, true));
    EXPECT_EQ(saves, 1);
    prompts.queueAnswer(kIdNo);
    EXPECT_TRUE(mayClose(PasscardEditorTraits(), PasscardMessages(), true, true));
    prompts.queueAnswer(kIdCancel);
    EXPECT_FALSE(mayClose(PasscardEditorTraits(), PasscardMessages(), true, true));
    EXPECT_EQ(saves, 1);
}

TEST_F(SaveQuestionTest, AFailedSaveOrABoxThatCouldNotShowKeepsTheWindow) {
    prompts.queueAnswer(kIdYes);
    EXPECT_FALSE(mayClose(IdentityEditorTraits(), IdentityMessages(), true, false));
    EXPECT_EQ(saves, 1);
    prompts.queueAnswer(0);
    EXPECT_FALSE(mayClose(IdentityEditorTraits(), IdentityMessages(), true, true));
    EXPECT_EQ(saves, 1);
}

class RecordingRequests : public EditorRequests {
public:
    void reloadAndSelect(const std::u16string& path) override { reloads.push_back(path); }
    void closeWithoutAsking() override { ++closes; }
    void forgetPrimaryPassword() override { ++forgets; }
    std::vector<std::u16string> reloads;
    int closes = 0;
    int forgets = 0;
};

TEST(EditorCopyData, CodeZeroReloadsWithThePathCodeOneCloses) {
    RecordingRequests editor;
    const std::u16string path = u"C:\\data\\alice\\Shop";
    const auto bytes = static_cast<std::uint32_t>((path.size() + 1) * 2);
    EXPECT_EQ(HandleEditorCopyData(editor_code::kReload, bytes, path.c_str(), editor), 0);
    EXPECT_EQ(HandleEditorCopyData(editor_code::kClose, 0, nullptr, editor), 1);
    EXPECT_EQ(editor.reloads, std::vector<std::u16string>{path});
    EXPECT_EQ(editor.closes, 1);
    const std::u16string quoted = u"\"" + path + u"\"";
    HandleEditorCopyData(editor_code::kReload, static_cast<std::uint32_t>((quoted.size() + 1) * 2), quoted.c_str(),
                         editor);
    EXPECT_EQ(editor.reloads.back(), path);
}

TEST(EditorCopyData, AMissingOrMalformedPathSelectsTheCurrentItem) {
    RecordingRequests editor;
    const char16_t text[] = u"C:\\x";
    HandleEditorCopyData(editor_code::kReload, 0, nullptr, editor);
    HandleEditorCopyData(editor_code::kReload, 3, text, editor);  // odd size
    HandleEditorCopyData(editor_code::kReload, 2, u"", editor);   // the empty text
    HandleEditorCopyData(editor_code::kReload, 6, text, editor);  // no terminator sent
    EXPECT_EQ(editor.reloads, (std::vector<std::u16string>{u"", u"", u"", u"C:\\"}));
    EXPECT_EQ(editor.closes, 0);
}

TEST(EditorCopyData, CodeTwoForgetsThePasswordWhateverItCarries) {
    RecordingRequests editor;
    EXPECT_EQ(HandleEditorCopyData(editor_code::kForgetPassword, 0, nullptr, editor), 2);
    EXPECT_EQ(HandleEditorCopyData(editor_code::kForgetPassword, 3, u"x", editor), 2);  // odd size
    EXPECT_EQ(editor.forgets, 2);
    EXPECT_TRUE(editor.reloads.empty());
    EXPECT_EQ(editor.closes, 0);
}

TEST(EditorCopyData, OtherCodesAreIgnoredAndAnswered0) {
    RecordingRequests editor;
    for (const CopyDataCode code : {CopyDataCode{3}, CopyDataCode{10}, CopyDataCode{20}, CopyDataCode{28}}) {
        EXPECT_EQ(HandleEditorCopyData(code, 0, nullptr, editor), 0);
    }
    EXPECT_TRUE(editor.reloads.empty());
    EXPECT_EQ(editor.closes, 0);
    EXPECT_EQ(editor.forgets, 0);
}

}  // namespace
}  // namespace tarnwick

namespace tarnwick {
namespace {

TEST(SaveFailure, TheSystemsWordsForKnownCodesAndTheNumberForOthers) {
    EXPECT_EQ(SystemErrorText(112), u"There is not enough space on the disk.");
    EXPECT_EQ(SystemErrorText(32), u"The process cannot access the file because it is being used by another process.");
    EXPECT_EQ(SystemErrorText(5), u"Access is denied.");
    EXPECT_EQ(SystemErrorText(1234), u"Error 1234.");
    EXPECT_EQ(SystemErrorText(0xFFFFFFFF), u"Error 4294967295.");
}

}  // namespace
}  // namespace tarnwick

namespace tarnwick {
namespace {

TEST(AlwaysOnTop, ReadOnceWrittenAsZeroOrOneOnToggle) {
    testing::TempFolder folder;
    test::ScriptedPrompts prompts;
    WriteTextLines(OptionFilePath(folder.path()), {u"[IDENTITYEDITORONTOP]", u"1"});
    const OptionStore options(folder.path(), &prompts, NativeFileSystem(), IdentityMessages());
    AlwaysOnTopSetting identity(options, option_key::kIdentityEditorOnTop, AlwaysOnTopSetting::Read::Reporting);
    EXPECT_TRUE(identity.on());
    EXPECT_FALSE(identity.toggle());
    EXPECT_EQ(ReadOptionLine(folder.path(), option_key::kIdentityEditorOnTop).value, u"0");
    EXPECT_TRUE(identity.toggle());
    EXPECT_EQ(ReadOptionLine(folder.path(), option_key::kIdentityEditorOnTop).value, u"1");
    // Absent: off, and the Passcard Editor's reading reports nothing.
    const AlwaysOnTopSetting passcard(options, option_key::kPasswordEditorOnTop, AlwaysOnTopSetting::Read::Quietly);
    EXPECT_FALSE(passcard.on());
    EXPECT_TRUE(prompts.shown().empty());
}

}  // namespace
}  // namespace tarnwick

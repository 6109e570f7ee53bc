// Message box kinds through the Prompts port, the composed messages and the dialog font.
#include <gtest/gtest.h>

#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/message_box.h"
#include "support/scripted_prompts.h"

namespace tarnwick {
namespace {

const MessageCatalogue& ChinesePasscard() {
    static const MessageCatalogue catalogue(PasscardCatalogueRows(DisplayLanguage::Chinese));
    return catalogue;
}

TEST(MessageBoxKinds, CaptionsAndStyles) {
    struct Case {
        MessageBoxKind kind;
        std::u16string caption;
        unsigned style;
    };
    const Case cases[] = {
        {kErrorBox, u"Tarnwick Error", 0x10},
        {kErrorWarningIconBox, u"Tarnwick Error", 0x30},
        {kWarningBox, u"Tarnwick Warning", 0x30},
        {kWarningOkCancelBox, u"Tarnwick Warning", 0x31},
        {kWarningYesNoCancelBox, u"Tarnwick Warning", 0x23},
        {kQuestionBox, u"Tarnwick Question", 0x24},
        {kQuestionYesNoCancelBox, u"Tarnwick Question", 0x23},
        {kDamagedCardBox, u"Tarnwick", 0x24},
        {kTrayResultBox, u"Tarnwick", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CaptionOf(c.kind, PasscardMessages()), c.caption);
        EXPECT_EQ(c.kind.style, c.style);
    }
}

TEST(MessageBoxKinds, LiteralCaptionsAreNotLookedUp) {
    // The Chinese table shows caption keys as they are; "Tarnwick" is no key at all.
    EXPECT_EQ(CaptionOf(kErrorBox, ChinesePasscard()), u"Tarnwick 错误");
    EXPECT_EQ(CaptionOf(kDamagedCardBox, ChinesePasscard()), u"Tarnwick");
    EXPECT_EQ(ChinesePasscard().Lookup(u"Tarnwick"), u"");
}

TEST(ShowMessage, LooksUpTextAndCaptionAndReturnsTheAnswer) {
    test::ScriptedPrompts prompts;
    prompts.queueAnswer(kIdCancel);
    prompts.queueAnswer(kIdOk);
    EXPECT_EQ(
        ShowMessage(prompts, 0x1234, kWarningOkCancelBox, u"本目录下有其他文件,是否删除此目录?", PasscardMessages()),
        kIdCancel);
    EXPECT_EQ(ShowMessage(prompts, kNoWindow, kErrorBox, u"配置文件损坏, 请重新安装程序", PasscardMessages()), kIdOk);
    ASSERT_EQ(prompts.shown().size(), 2u);
    const test::ShownBox& first = prompts.shown()[0];
    EXPECT_EQ(first.owner, 0x1234u);
    EXPECT_EQ(first.text, u"Are you sure you want to delete this folder?");
    EXPECT_EQ(first.caption, u"Tarnwick Warning");
    EXPECT_EQ(first.style, 0x31u);
    // A key the program lacks still shows a box: empty text, real caption.
    const test::ShownBox& second = prompts.shown()[1];
    EXPECT_EQ(second.owner, kNoWindow);
    EXPECT_EQ(second.text, u"");
    EXPECT_EQ(second.caption, u"Tarnwick Error");
    EXPECT_EQ(second.style, 0x10u);
}

// The test programs are built with the Passcard Editor's catalogue.
TEST(ShowMessage, ProcessCatalogueByDefault) {
    test::ScriptedPrompts prompts;
    prompts.queueAnswer(kIdYes);
    const std::u16string question = DamagedCardQuestion(CardKind::Passcard, u"\\A");
    EXPECT_EQ(ShowMessageText(prompts, 7, kDamagedCardBox, question), kIdYes);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].owner, 7u);
    EXPECT_EQ(prompts.shown()[0].caption, u"Tarnwick");
    EXPECT_EQ(prompts.shown()[0].style, 0x24u);
    EXPECT_EQ(prompts.shown()[0].text,
              u"Can not read password card'\\A'File may be already damaged\n"
              u"Delete damaged password card?");
}

TEST(ComposedMessages, DeleteQuestions) {
    EXPECT_EQ(DeleteCardQuestion(CardKind::Identity, u"\\Home", IdentityMessages()),
              u"Do you want to delete Identity '\\Home'?");
    EXPECT_EQ(DeleteCardQuestion(CardKind::Passcard, u"\\Shop\\Store", PasscardMessages()),
              u"Do you want to delete Passcard '\\Shop\\Store'?");
    EXPECT_EQ(DeleteFieldQuestion(u"Email", PasscardMessages()), u"Do you want to delete field 'Email' ?");
}

TEST(ComposedMessages, DamagedCardQuestions) {
    // The identity pieces have no English form.
    EXPECT_EQ(DamagedCardQuestion(CardKind::Identity, u"\\Home", IdentityMessages()),
              u"不能读取身份卡片'\\Home'文件可能已损坏\n是否删除损坏的身份卡片?");
    EXPECT_EQ(DamagedCardQuestion(CardKind::Passcard, u"\\Shop\\Store", PasscardMessages()),
              u"Can not read password card'\\Shop\\Store'File may be already damaged\n"
              u"Delete damaged password card?");
}

TEST(ComposedMessages, CopyNames) {
    EXPECT_EQ(CopyNameSuffix(IdentityMessages()), u" - Copy");
    EXPECT_EQ(NumberedCopyName(u"A", 2, PasscardMessages()), u"A - Copy2");
    EXPECT_EQ(NumberedCopyName(u"Shop", 10, IdentityMessages()), u"Shop - Copy10");
}

TEST(DialogFont, HeightTwelveAndTheCataloguesFace) {
    const DialogFontDescription english = DialogFont(IdentityMessages());
    EXPECT_EQ(english.height, 12);
    EXPECT_EQ(english.faceName, u"MS Shell Dlg");
    EXPECT_EQ(DialogFont(ChinesePasscard()).faceName, u"新宋体");
}

}  // namespace
}  // namespace tarnwick

// Generate Password in the Passcard Editor's session: the selected field, else
// the first password field, takes a password of the user's policy as typed
// text does, Save writes it, and a card with neither is told so.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/message_box.h"
#include "foundation/primary_password.h"
#include "foundation/text_file.h"
#include "generator/password_policy.h"
#include "passcard_editor/passcard_editor_session.h"
#include "passcard_editor/password_fill.h"
#include "support/recording_windows.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_password_gate.h"

namespace tarnwick {
namespace {

using Lines = std::vector<std::u16string>;
constexpr WindowRef kEditor = 0x99;

std::unique_ptr<htmlform::Document> loadPasscardPage() {
    std::ifstream file(TARNWICK_SOURCE_DIR "/passcard_editor/resources/passcard_form.html", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return htmlform::Document::parse(std::u16string(bytes.begin(), bytes.end()));
}

class PasswordFillTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearCurrentPrimaryPassword();
        prompts.setActiveWindow(kEditor);
        WriteTextLines(OptionFilePath(root.path()), {u"[GENLENGTH]", u"12", u"[GENCLASSES]", u"digits"});
        create(u"Shop", {u"text", u"text", u"password"});
        create(u"Note", {u"text"});
    }
    void TearDown() override { ClearCurrentPrimaryPassword(); }

    std::u16string path(std::u16string_view name) { return root.path() + u"\\" + std::u16string(name) + u".vrc"; }
    void create(std::u16string_view name, Lines types) {
        PasscardRecord writer(gate, prompts, NativeFileSystem(), PasscardMessages());
        writer.url = u"https://shop.example/";
        writer.fieldTypes = types;
        writer.fieldNames = Lines(types.size(), u"f");
        writer.fieldValues = Lines(types.size(), u"old");
        writer.protectionMarker = kUnprotectMarker;
        ASSERT_EQ(writer.createCard(path(name)), CardWriteResult::Written);
    }
    void show(std::u16string_view name) {
        session.pageLoaded(view);
        ASSERT_EQ(session.selectionChanged({ItemKind::Card, root.path() + u"\\" + std::u16string(name)}, kEditor).kind,
                  SelectionOutcome::Kind::Shown);
    }
    std::vector<htmlform::Element*> inputs() { return page->getElementsByTagName(u"input"); }
    static bool allDigits(const std::u16string& text) {
        return std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
    }

    testing::TempFolder root;
    test::TestPasswordGate gate{"alice123"};
    test::ScriptedPrompts prompts;
    testing::RecordingWindows windows;
    testing::RecordingLauncher launcher;
    WindowSignals signals{windows, launcher};
    std::unique_ptr<htmlform::Document> page = loadPasscardPage();
    PasscardFormView view{*page};
    PasscardRecord record{gate, prompts, NativeFileSystem(), PasscardMessages()};
    PasscardEditorSession session{root.path(), record,
                                  OptionStore(root.path(), &prompts, NativeFileSystem(), PasscardMessages()),
                                  PasscardSessionPorts{prompts, signals, NativeFileSystem(), PasscardMessages()}};
};

TEST_F(PasswordFillTest, TheFirstPasswordFieldThenTheSelectedFieldAndSaveWritesIt) {
    show(u"Shop");
    session.generatePassword(kEditor);
    const std::u16string first = inputs()[2]->value();
    EXPECT_EQ(first.size(), 12u);
    EXPECT_TRUE(allDigits(first));
    EXPECT_EQ(inputs()[0]->value(), u"old");
    EXPECT_TRUE(session.modified());

    page->setActiveElement(inputs()[1]);
    session.generatePassword(kEditor);
    EXPECT_EQ(inputs()[1]->value().size(), 12u);
    EXPECT_EQ(inputs()[2]->value(), first);
    EXPECT_TRUE(prompts.shown().empty());

    ASSERT_TRUE(session.saveCommand(kEditor));
    PasscardRecord reader(gate, prompts, NativeFileSystem(), PasscardMessages());
    ASSERT_EQ(reader.load(path(u"Shop")), kCardLoaded);
    EXPECT_EQ(reader.fieldValues, (Lines{u"old", inputs()[1]->value(), first}));
}

TEST_F(PasswordFillTest, ACardWithoutPasswordFieldOrWithARefusedPolicyIsToldWhy) {
    show(u"Note");
    prompts.queueAnswer(kIdOk);
    session.generatePassword(kEditor);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text, kNoFieldForPassword);
    EXPECT_FALSE(session.modified());
    EXPECT_EQ(PasswordFillTarget(-1, {u"text", u"password", u"password"}), 1u);
    EXPECT_EQ(PasswordFillTarget(7, {u"text"}), std::nullopt);
}

}  // namespace
}  // namespace tarnwick

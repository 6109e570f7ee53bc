// The three programs' catalogues against their golden files, and the catalogue's lookup rules.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <thread>

#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/message_catalogue.h"
#include "platform/utf8.h"
#include "support/catalogue_fixture.h"

namespace tarnwick {
namespace {

// A program's table, row for row and in order, is its golden file: what
// `tarnwick catalogue PROGRAM` prints, kept under tests/unit/fixtures/.
void ExpectGoldenTable(std::span<const CatalogueRow> rows, std::string_view program) {
    const testing::CatalogueFixtureRows golden =
        testing::ParseCatalogueJson(testing::CatalogueFixtureBytes(TARNWICK_FIXTURES, program));
    ASSERT_EQ(rows.size(), golden.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(std::u16string(rows[i].key), golden[i].first) << "row " << i;
        EXPECT_EQ(std::u16string(rows[i].text), golden[i].second) << Utf16ToUtf8(golden[i].first);
    }
    EXPECT_EQ(MessageCatalogue(rows).size(), rows.size()) << "duplicate keys";
}

TEST(MessageCatalogueTables, IdentityEditorHoldsExactlyItsRows) {
    ExpectGoldenTable(IdentityCatalogueRows(DisplayLanguage::English), "identity");
}

TEST(MessageCatalogueTables, PasscardEditorHoldsExactlyItsRows) {
    ExpectGoldenTable(PasscardCatalogueRows(DisplayLanguage::English), "passcard");
}

TEST(MessageCatalogueTables, TrayProgramHoldsExactlyItsRows) {
    ExpectGoldenTable(TrayCatalogueRows(DisplayLanguage::English), "tray");
}

TEST(MessageCatalogueTables, ChineseTablesShowEachKeyButTheFontFace) {
    for (auto rowsOf : {PasscardCatalogueRows, TrayCatalogueRows}) {
        const auto english = rowsOf(DisplayLanguage::English);
        const MessageCatalogue chinese(rowsOf(DisplayLanguage::Chinese));
        EXPECT_EQ(chinese.size(), english.size());
        for (const CatalogueRow& row : english) {
            const std::u16string shown = row.key == u"对话框字体" ? u"新宋体" : std::u16string(row.key);
            EXPECT_EQ(chinese.Lookup(row.key), shown) << Utf16ToUtf8(row.key);
        }
    }
    EXPECT_EQ(IdentityCatalogueRows(DisplayLanguage::Chinese).size(), 0u);
}

TEST(MessageCatalogueLookup, SomeTextsStayChineseInEnglishPrograms) {
    const MessageCatalogue identity(IdentityCatalogueRows(DisplayLanguage::English));
    for (std::u16string_view key :
         {u"不能读取身份卡片", u"是否删除损坏的身份卡片?", u"目录下有同名文件", u"文件可能已损坏\n"})
        EXPECT_EQ(identity.Lookup(key), key);
    const MessageCatalogue tray(TrayCatalogueRows(DisplayLanguage::English));
    EXPECT_EQ(tray.Lookup(u"文件夹不包含有效用户数据"), u"文件夹不包含有效用户数据");
}

TEST(MessageCatalogueLookup, ProgramsDifferOnSharedKeys) {
    const MessageCatalogue identity(IdentityCatalogueRows(DisplayLanguage::English));
    const MessageCatalogue passcard(PasscardCatalogueRows(DisplayLanguage::English));
    EXPECT_EQ(identity.Lookup(u"重命名文件夹名称"), u"Rename Folder");
    EXPECT_EQ(passcard.Lookup(u"重命名文件夹名称"), u"Rename Folder Name");
    EXPECT_EQ(passcard.Lookup(u"文件可能已损坏\n"), u"File may be already damaged\n");
    // Only the Identity Editor knows the damaged-option-file text.
    EXPECT_EQ(identity.Lookup(u"配置文件损坏, 请重新安装程序"),
              u"Can not find program path, please reinstall the Tarnwick");
    EXPECT_EQ(passcard.Lookup(u"配置文件损坏, 请重新安装程序"), u"");
}

TEST(MessageCatalogueLookup, TrayLooksForAnOptionsDialogTitledTarnwick) {
    const MessageCatalogue tray(TrayCatalogueRows(DisplayLanguage::English));
    EXPECT_EQ(tray.Lookup(u"Tarnwick 选项"), u"Tarnwick");
}

TEST(MessageCatalogueLookup, AnythingButAnExactKeyIsEmpty) {
    const MessageCatalogue passcard(PasscardCatalogueRows(DisplayLanguage::English));
    EXPECT_EQ(passcard.Lookup(u"Tarnwick Error"), u"");  // a display text, not a key
    EXPECT_EQ(passcard.Lookup(u""), u"");
    EXPECT_EQ(passcard.Lookup(u"tarnwick 错误"), u"");
    EXPECT_EQ(passcard.Lookup(u"文件可能已损坏"), u"");  // without its line break
    EXPECT_EQ(passcard.Lookup(u"文件夹名称不能为空, 并且不能包含字符：\\ / : * ? \" < > |"), u"");
    EXPECT_EQ(passcard.Lookup(u"空"), u"");  // an identity form label
}

TEST(MessageCatalogueLookup, TextStaysInPlace) {
    const MessageCatalogue& catalogue = MessageCatalogue::Instance();
    const std::u16string* first = &catalogue.Lookup(u"Tarnwick 警告");
    EXPECT_EQ(&MessageCatalogue::Instance().Lookup(u"Tarnwick 警告"), first);
    EXPECT_EQ(&catalogue, &MessageCatalogue::Instance());
}

// Run in a fresh process so that the two threads really make the first lookup.
TEST(MessageCatalogueInstanceDeathTest, FirstLookupFromTwoThreadsBuildsOneCatalogue) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::atomic<bool> go{false};
            const std::u16string* seen[2] = {};
            auto lookup = [&](int i) {
                while (!go.load()) std::this_thread::yield();
                seen[i] = &MessageCatalogue::Instance().Lookup(u"Tarnwick 错误");
            };
            std::thread a(lookup, 0);
            std::thread b(lookup, 1);
            go = true;
            a.join();
            b.join();
            const bool same = seen[0] == seen[1] && *seen[0] == u"Tarnwick Error";
            std::exit(same ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tarnwick

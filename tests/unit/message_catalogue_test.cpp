// The three programs' catalogues, row for row, and the catalogue's lookup rules.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/message_catalogue.h"
#include "platform/utf8.h"

namespace tarnwick {
namespace {

using Table = std::map<std::u16string, std::u16string>;

// The rows several programs share, with each program's text; nullptr: the
// program has no such row.
struct SharedRow {
    const char16_t* key;
    const char16_t* identity;
    const char16_t* passcard;
    const char16_t* tray;
};

const SharedRow kShared[] = {
    {u"对话框字体", u"MS Shell Dlg", u"MS Shell Dlg", u"MS Shell Dlg"},
    {u"Tarnwick 警告", u"Tarnwick Warning", u"Tarnwick Warning", u"Tarnwick Warning"},
    {u"Tarnwick 错误", u"Tarnwick Error", u"Tarnwick Error", u"Tarnwick Error"},
    {u"Tarnwick 问题", u"Tarnwick Question", u"Tarnwick Question", u"Tarnwick Question"},
    {u"重命名文件夹名称", u"Rename Folder", u"Rename Folder Name", nullptr},
    {u"找不到用户文件, 请新建一个用户", u"Can not find user file, please create a user.",
     u"Can not find user file, please create a user.", nullptr},
    {u"当前用户的主密码错误", u"Current user's primary password error.",
     u"Current user's primary password error.", nullptr},
    {u"文件夹已存在", u"Folder already exists", u"Folder already exists", nullptr},
    {u"本目录下有其他文件,是否删除此目录?", u"Are you sure you want to delete this folder?",
     u"Are you sure you want to delete this folder?", nullptr},
    {u"不能删除主目录", u"Main Folder could not be deleted", u"Main Folder could not be deleted",
     nullptr},
    {u"重命名文件夹失败", u"Rename the folder failure", u"Rename the folder failure", nullptr},
    {u" - 复制", u" - Copy", u" - Copy", nullptr},
    {u"源文件夹不能和目标文件夹相同或目标文件夹不能在源文件夹内",
     u"Source and Destination folders are the same, or Destination folder is inside Source "
     u"folder",
     u"Source and Destination folders are the same, or Destination folder is inside Source "
     u"folder",
     nullptr},
    {u"剪切文件夹失败", u"Cut folder Failure", u"Cut folder Failure", nullptr},
    {u"'吗?", u"'?", u"'?", nullptr},
    {u"文件可能已损坏\n", u"文件可能已损坏\n", u"File may be already damaged\n", nullptr},
    {u"文件删除失败", u"Delete File failure", u"Delete File failure", nullptr},
    {u"删除目录失败", u"Delete Folder failure", u"Delete Folder failure",
     u"Delete Folder failure"},
    {u"找不到程序路径,请重新安装Tarnwick",
     u"Can not find program path, please reinstall the Tarnwick",
     u"Can not find program path, please reinstall the Tarnwick", nullptr},
    {u"新建文件夹名称", u"New Folder Name", u"New Folder Name", nullptr},
    {u"存在同名文件", u"The same name file already exists", u"The same name file already exists",
     nullptr},
    {u"存在同名文件夹", u"The same name folder already exists",
     u"The same name folder already exists", u"The same name folder already exists"},
    {u"不能修改主目录名", u"The name of the main folder can not change",
     u"The name of the main folder can not change", nullptr},
};

// A name-rule text: its beginning, then each forbidden character and a blank.
std::u16string NameRule(std::u16string_view beginning) {
    std::u16string text(beginning);
    for (char16_t c : std::u16string_view(u"\\/:*?\"<>|")) {
        text += c;
        text += u' ';
    }
    return text;
}

using Pairs = std::vector<std::pair<std::u16string, std::u16string>>;

const Pairs kIdentityOwn = {
    {NameRule(u"文件夹名称不能为空, 并且不能包含字符："),
     NameRule(u"Folder name cannot be empty and it cannot contain characters ")},
    {NameRule(u"身份卡片名称不能为空, 并且不能包含字符："),
     NameRule(u"Identity name cannot be empty and it cannot contain characters ")},
    {u"重命名身份卡片名称", u"Rename Identity"},
    {u"配置文件损坏, 请重新安装程序", u"Can not find program path, please reinstall the Tarnwick"},
    {u"这个身份卡片不是当前用户的身份卡片", u"This ID card does not belong to the current user."},
    {u"身份卡片已修改,是否保存身份卡片?", u"Identity was changed.\nDo you want to save the changes?"},
    {u"复制身份卡片失败", u"Copy Identity failure"},
    {u"剪切身份卡片失败", u"Cut Identity failure"},
    {u"您确定要删除身份卡片", u"Do you want to delete Identity"},
    {u"删除身份卡片失败", u"Delete Identity failure"},
    {u"重命名身份卡片失败", u"Rename Identity failure"},
    {u"未选定要删除的字段\n点击要删除的字段选择'编辑'->'删除自定义字段'",
     u"Field to delete is not selected.\nClick the field to be deleted and then select'Edit'->"
     u"'Delete Custom Field'"},
    {u"不能读取身份卡片", u"不能读取身份卡片"},
    {u"是否删除损坏的身份卡片?", u"是否删除损坏的身份卡片?"},
    {u"创建新身份卡片", u"Create New Identity"},
    {u"目录下有同名文件", u"目录下有同名文件"},
    {u"新建文件夹", u"New Folder"},
    // Form labels.
    {u"空", u"None"}, {u"男", u"Male"}, {u"女", u"Female"}, {u"个人", u"Person"},
    {u"电话", u"Phone"}, {u"家庭电话", u"Home Tel"}, {u"工作电话", u"Work Tel"},
    {u"手机", u"Cell Tel"}, {u"传真", u"Fax"}, {u"电子邮件", u"Email"}, {u"商业", u"Business"},
    {u"公司名", u"Company Name"}, {u"公司电话", u"Company Tel"}, {u"网站", u"Web Site"},
    {u"所在地", u"Address"}, {u"国家", u"Country"}, {u"省", u"Province"}, {u"城市", u"City"},
    {u"邮政编码", u"PostCode"}, {u"地址", u"Address"}, {u"安全信息", u"Authentication"},
    {u"用户名", u"User Name"}, {u"密码", u"Password"}, {u"密码提示问题", u"Password Question"},
    {u"密码提示问题答案", u"password Answer"}, {u"字段名", u"Field Name"},
    {u"字段值", u"Field Value"}, {u"摘要", u"Summary"}, {u"自定义", u"Custom"},
};

const Pairs kPasscardOwn = {
    {NameRule(u"文件夹名称不能为空, 并且不能包含字符："),
     NameRule(u"Folder name cannot be empty and it cannot contain characters ")},
    {NameRule(u"密码卡片名称不能为空, 并且不能包含字符："),
     NameRule(u"Passcard name cannot be empty and it cannot contain characters ")},
    {NameRule(u"字段名称不能为空, 并且不能包含字符："),
     NameRule(u"Field name cannot be empty and it cannot contain characters ")},
    {u"密码卡片已修改,是否保存密码卡片?", u"Passcard was changed.\nDo you want to save the changes?"},
    {u"复制密码卡片失败", u"Copy Passcard failure"},
    {u"剪切密码卡片失败", u"Cut Passcard failure"},
    {u"您确定要删除密码卡片", u"Do you want to delete Passcard"},
    {u"删除密码卡片失败", u"Delete Passcard failure"},
    {u"重命名密码卡片失败", u"Rename Passcard failure"},
    {u"这个密码卡片不是当前用户的密码卡片", u"This Passcard does not belong to the current user"},
    {u"未选定要重命名的字段\n点击要重命名的字段选择'编辑'->'重命名字段'",
     u"Field to Rename is not selected.\nClick the field to be renamed and then select'Edit'->"
     u"'Rename Field'"},
    {u"未选定要删除的字段\n点击要删除的字段选择'编辑'->'删除字段'",
     u"Field to delete is not selected.\nClick the field to be deleted and then select'Edit'->"
     u"'Delete Field'"},
    {u"用户名不能删除", u"User Name could not be deleted"},
    {u"密码不能删除", u"Password could not be deleted"},
    {u"你确定要删除字段", u"Do you want to delete field"},
    {u"吗?", u"?"},
    {u"不能读取密码卡片", u"Can not read password card"},
    {u"是否删除损坏的密码卡片?", u"Delete damaged password card?"},
    {u"新建字段名称", u"New Field Name"},
    {u"重命名字段名称", u"Rename Field Name"},
    {u"重命名密码卡片名称", u"Rename Passcard Name"},
};

const Pairs kTrayOwn = {
    {u"自动保存密码卡片 Tarnwick", u"Save Forms"},
    {u"新身份卡片", u"New Identity"},
    {u"备份当前用户数据成功", u"Backup success of the current user data"},
    {u"备份当前用户数据失败", u"Backup failure of the current user data"},
    {u"文件夹不包含有效用户数据", u"文件夹不包含有效用户数据"},
    {u"导入用户数据成功", u"Import User Data success"},
    {u"导入用户数据失败", u"Import User Data failure"},
    {u"Tarnwick 选项", u"Tarnwick"},
};

Table Expected(const char16_t* SharedRow::*program, const Pairs& own) {
    Table table;
    for (const SharedRow& row : kShared)
        if (row.*program) table.emplace(row.key, row.*program);
    for (const auto& [key, text] : own) EXPECT_TRUE(table.emplace(key, text).second);
    return table;
}

// Every expected row is there with its text, and nothing else is.
void ExpectTable(std::span<const CatalogueRow> rows, const Table& expected) {
    const MessageCatalogue catalogue(rows);
    EXPECT_EQ(rows.size(), expected.size());
    EXPECT_EQ(catalogue.size(), rows.size()) << "duplicate keys";
    for (const auto& [key, text] : expected)
        EXPECT_EQ(catalogue.Lookup(key), text) << Utf16ToUtf8(key);
}

TEST(MessageCatalogueTables, IdentityEditorHoldsExactlyItsRows) {
    ExpectTable(IdentityCatalogueRows(DisplayLanguage::English),
                Expected(&SharedRow::identity, kIdentityOwn));
}

TEST(MessageCatalogueTables, PasscardEditorHoldsExactlyItsRows) {
    ExpectTable(PasscardCatalogueRows(DisplayLanguage::English),
                Expected(&SharedRow::passcard, kPasscardOwn));
}

TEST(MessageCatalogueTables, TrayProgramHoldsExactlyItsRows) {
    ExpectTable(TrayCatalogueRows(DisplayLanguage::English), Expected(&SharedRow::tray, kTrayOwn));
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
    for (std::u16string_view key : {u"不能读取身份卡片", u"是否删除损坏的身份卡片?",
                                    u"目录下有同名文件", u"文件可能已损坏\n"})
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

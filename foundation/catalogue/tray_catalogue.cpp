// The tray program's catalogue: the English texts, and the Chinese table derived from them.
#include "foundation/catalogue/catalogue_tables.h"

namespace tarnwick {
namespace {

constexpr CatalogueRow kEnglish[] = {
    // Rows shared with the other programs.
    {u"对话框字体", u"MS Shell Dlg"},
    {u"Tarnwick 警告", u"Tarnwick Warning"},
    {u"Tarnwick 错误", u"Tarnwick Error"},
    {u"Tarnwick 问题", u"Tarnwick Question"},
    {u"删除目录失败", u"Delete Folder failure"},
    {u"存在同名文件夹", u"The same name folder already exists"},
    // Tray texts, and the titles of the windows it looks for.
    {u"自动保存密码卡片 Tarnwick", u"Save Forms"},
    {u"新身份卡片", u"New Identity"},
    {u"备份当前用户数据成功", u"Backup success of the current user data"},
    {u"备份当前用户数据失败", u"Backup failure of the current user data"},
    {u"文件夹不包含有效用户数据", u"文件夹不包含有效用户数据"},
    {u"导入用户数据成功", u"Import User Data success"},
    {u"导入用户数据失败", u"Import User Data failure"},
    {u"Tarnwick 选项", u"Tarnwick"},
};

constexpr auto kChinese = ChineseRowsOf(kEnglish);

}  // namespace

std::span<const CatalogueRow> TrayCatalogueRows(DisplayLanguage language) {
    if (language == DisplayLanguage::English) return kEnglish;
    return kChinese;
}

const MessageCatalogue& TrayMessages() {
    static const MessageCatalogue catalogue(TrayCatalogueRows(DisplayLanguage::English));
    return catalogue;
}

}  // namespace tarnwick

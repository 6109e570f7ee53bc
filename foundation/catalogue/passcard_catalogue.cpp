// The Passcard Editor's catalogue: the English texts, and the Chinese table derived from them.
#include "foundation/catalogue/catalogue_tables.h"

namespace tarnwick {
namespace {

constexpr CatalogueRow kEnglish[] = {
    // Rows shared with the other programs.
    {u"对话框字体", u"MS Shell Dlg"},
    {u"Tarnwick 警告", u"Tarnwick Warning"},
    {u"Tarnwick 错误", u"Tarnwick Error"},
    {u"Tarnwick 问题", u"Tarnwick Question"},
    {u"重命名文件夹名称", u"Rename Folder Name"},
    {u"找不到用户文件, 请新建一个用户", u"Can not find user file, please create a user."},
    {u"当前用户的主密码错误", u"Current user's primary password error."},
    {u"文件夹已存在", u"Folder already exists"},
    {u"本目录下有其他文件,是否删除此目录?", u"Are you sure you want to delete this folder?"},
    {u"不能删除主目录", u"Main Folder could not be deleted"},
    {u"重命名文件夹失败", u"Rename the folder failure"},
    {u" - 复制", u" - Copy"},
    {u"源文件夹不能和目标文件夹相同或目标文件夹不能在源文件夹内", u"Source and Destination folders are the same, or Destination folder is inside Source folder"},
    {u"剪切文件夹失败", u"Cut folder Failure"},
    {u"'吗?", u"'?"},
    {u"文件可能已损坏\n", u"File may be already damaged\n"},
    {u"文件删除失败", u"Delete File failure"},
    {u"删除目录失败", u"Delete Folder failure"},
    {u"找不到程序路径,请重新安装Tarnwick", u"Can not find program path, please reinstall the Tarnwick"},
    {u"新建文件夹名称", u"New Folder Name"},
    {u"存在同名文件", u"The same name file already exists"},
    {u"存在同名文件夹", u"The same name folder already exists"},
    {u"不能修改主目录名", u"The name of the main folder can not change"},
    // Name rules: the nine forbidden characters, each followed by a blank.
    {u"文件夹名称不能为空, 并且不能包含字符：\\ / : * ? \" < > | ", u"Folder name cannot be empty and it cannot contain characters \\ / : * ? \" < > | "},
    {u"密码卡片名称不能为空, 并且不能包含字符：\\ / : * ? \" < > | ", u"Passcard name cannot be empty and it cannot contain characters \\ / : * ? \" < > | "},
    {u"字段名称不能为空, 并且不能包含字符：\\ / : * ? \" < > | ", u"Field name cannot be empty and it cannot contain characters \\ / : * ? \" < > | "},
    // Messages and dialog titles.
    {u"密码卡片已修改,是否保存密码卡片?", u"Passcard was changed.\nDo you want to save the changes?"},
    {u"复制密码卡片失败", u"Copy Passcard failure"},
    {u"剪切密码卡片失败", u"Cut Passcard failure"},
    {u"您确定要删除密码卡片", u"Do you want to delete Passcard"},
    {u"删除密码卡片失败", u"Delete Passcard failure"},
    {u"重命名密码卡片失败", u"Rename Passcard failure"},
    {u"这个密码卡片不是当前用户的密码卡片", u"This Passcard does not belong to the current user"},
    {u"未选定要重命名的字段\n点击要重命名的字段选择'编辑'->'重命名字段'", u"Field to Rename is not selected.\nClick the field to be renamed and then select'Edit'->'Rename Field'"},
    {u"未选定要删除的字段\n点击要删除的字段选择'编辑'->'删除字段'", u"Field to delete is not selected.\nClick the field to be deleted and then select'Edit'->'Delete Field'"},
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

constexpr auto kChinese = ChineseRowsOf(kEnglish);

}  // namespace

std::span<const CatalogueRow> PasscardCatalogueRows(DisplayLanguage language) {
    if (language == DisplayLanguage::English) return kEnglish;
    return kChinese;
}

const MessageCatalogue& PasscardMessages() {
    static const MessageCatalogue catalogue(PasscardCatalogueRows(DisplayLanguage::English));
    return catalogue;
}

}  // namespace tarnwick

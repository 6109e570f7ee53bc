// The Identity Editor's catalogue: English only (the program has no Chinese table).
#include "foundation/catalogue/catalogue_tables.h"

namespace tarnwick {
namespace {

constexpr CatalogueRow kEnglish[] = {
    // Rows shared with the other programs.
    {u"对话框字体", u"MS Shell Dlg"},
    {u"Tarnwick 警告", u"Tarnwick Warning"},
    {u"Tarnwick 错误", u"Tarnwick Error"},
    {u"Tarnwick 问题", u"Tarnwick Question"},
    {u"重命名文件夹名称", u"Rename Folder"},
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
    {u"文件可能已损坏\n", u"文件可能已损坏\n"},
    {u"文件删除失败", u"Delete File failure"},
    {u"删除目录失败", u"Delete Folder failure"},
    {u"找不到程序路径,请重新安装Tarnwick", u"Can not find program path, please reinstall the Tarnwick"},
    {u"新建文件夹名称", u"New Folder Name"},
    {u"存在同名文件", u"The same name file already exists"},
    {u"存在同名文件夹", u"The same name folder already exists"},
    {u"不能修改主目录名", u"The name of the main folder can not change"},
    // Name rules: the nine forbidden characters, each followed by a blank.
    {u"文件夹名称不能为空, 并且不能包含字符：\\ / : * ? \" < > | ", u"Folder name cannot be empty and it cannot contain characters \\ / : * ? \" < > | "},
    {u"身份卡片名称不能为空, 并且不能包含字符：\\ / : * ? \" < > | ", u"Identity name cannot be empty and it cannot contain characters \\ / : * ? \" < > | "},
    // Messages and dialog titles.
    {u"重命名身份卡片名称", u"Rename Identity"},
    {u"配置文件损坏, 请重新安装程序", u"Can not find program path, please reinstall the Tarnwick"},
    {u"这个身份卡片不是当前用户的身份卡片", u"This ID card does not belong to the current user."},
    {u"身份卡片已修改,是否保存身份卡片?", u"Identity was changed.\nDo you want to save the changes?"},
    {u"复制身份卡片失败", u"Copy Identity failure"},
    {u"剪切身份卡片失败", u"Cut Identity failure"},
    {u"您确定要删除身份卡片", u"Do you want to delete Identity"},
    {u"删除身份卡片失败", u"Delete Identity failure"},
    {u"重命名身份卡片失败", u"Rename Identity failure"},
    {u"未选定要删除的字段\n点击要删除的字段选择'编辑'->'删除自定义字段'", u"Field to delete is not selected.\nClick the field to be deleted and then select'Edit'->'Delete Custom Field'"},
    {u"不能读取身份卡片", u"不能读取身份卡片"},
    {u"是否删除损坏的身份卡片?", u"是否删除损坏的身份卡片?"},
    {u"创建新身份卡片", u"Create New Identity"},
    {u"目录下有同名文件", u"目录下有同名文件"},
    {u"新建文件夹", u"New Folder"},
    // Labels of the identity form.
    {u"空", u"None"},
    {u"男", u"Male"},
    {u"女", u"Female"},
    {u"个人", u"Person"},
    {u"电话", u"Phone"},
    {u"家庭电话", u"Home Tel"},
    {u"工作电话", u"Work Tel"},
    {u"手机", u"Cell Tel"},
    {u"传真", u"Fax"},
    {u"电子邮件", u"Email"},
    {u"商业", u"Business"},
    {u"公司名", u"Company Name"},
    {u"公司电话", u"Company Tel"},
    {u"网站", u"Web Site"},
    {u"所在地", u"Address"},
    {u"国家", u"Country"},
    {u"省", u"Province"},
    {u"城市", u"City"},
    {u"邮政编码", u"PostCode"},
    {u"地址", u"Address"},
    {u"安全信息", u"Authentication"},
    {u"用户名", u"User Name"},
    {u"密码", u"Password"},
    {u"密码提示问题", u"Password Question"},
    {u"密码提示问题答案", u"password Answer"},
    {u"字段名", u"Field Name"},
    {u"字段值", u"Field Value"},
    {u"摘要", u"Summary"},
    {u"自定义", u"Custom"},
};

}  // namespace

std::span<const CatalogueRow> IdentityCatalogueRows(DisplayLanguage language) {
    if (language != DisplayLanguage::English) return {};
    return kEnglish;
}

const MessageCatalogue& IdentityMessages() {
    static const MessageCatalogue catalogue(IdentityCatalogueRows(DisplayLanguage::English));
    return catalogue;
}

}  // namespace tarnwick

// Every key of the three programs' message catalogues, named once. A key is the
// Chinese text the code looks up (MessageCatalogue::Lookup); the tables and
// every caller use these names, never the text itself.
#pragma once

#include <string_view>

namespace tarnwick::catalogue_key {

// The control font: its text is the face name, not a message.
inline constexpr std::u16string_view kDialogFont = u"对话框字体";

// Message box captions.
inline constexpr std::u16string_view kWarningCaption = u"Tarnwick 警告";
inline constexpr std::u16string_view kErrorCaption = u"Tarnwick 错误";
inline constexpr std::u16string_view kQuestionCaption = u"Tarnwick 问题";

// The user profile and the option file.
inline constexpr std::u16string_view kNoUser = u"找不到用户文件, 请新建一个用户";
inline constexpr std::u16string_view kWrongPassword = u"当前用户的主密码错误";
inline constexpr std::u16string_view kNoProgramPath = u"找不到程序路径,请重新安装Tarnwick";
inline constexpr std::u16string_view kDamagedOptions = u"配置文件损坏, 请重新安装程序";

// The library tree's folder texts and name dialogs.
inline constexpr std::u16string_view kNewFolderTitle = u"新建文件夹名称";
inline constexpr std::u16string_view kRenameFolderTitle = u"重命名文件夹名称";
inline constexpr std::u16string_view kFolderExists = u"文件夹已存在";
inline constexpr std::u16string_view kDeleteNonEmptyFolder = u"本目录下有其他文件,是否删除此目录?";
inline constexpr std::u16string_view kRootNotDeleted = u"不能删除主目录";
inline constexpr std::u16string_view kRenameFolderFailure = u"重命名文件夹失败";
inline constexpr std::u16string_view kCopyIntoItself = u"源文件夹不能和目标文件夹相同或目标文件夹不能在源文件夹内";
inline constexpr std::u16string_view kCutFolderFailure = u"剪切文件夹失败";
inline constexpr std::u16string_view kDeleteFolderFailure = u"删除目录失败";
inline constexpr std::u16string_view kSameNameFile = u"存在同名文件";
inline constexpr std::u16string_view kSameNameFolder = u"存在同名文件夹";
inline constexpr std::u16string_view kRootNotRenamed = u"不能修改主目录名";
inline constexpr std::u16string_view kDeleteFileFailure = u"文件删除失败";
// Appended to a copy's name when the name is taken (leading blank).
inline constexpr std::u16string_view kCopyNameSuffix = u" - 复制";
// The default name of a new folder.
inline constexpr std::u16string_view kNewFolderName = u"新建文件夹";

// Name-rule refusals: each ends with the nine forbidden characters, each
// followed by a blank.
inline constexpr std::u16string_view kFolderNameRule = u"文件夹名称不能为空, 并且不能包含字符：\\ / : * ? \" < > | ";
inline constexpr std::u16string_view kIdentityNameRule =
    u"身份卡片名称不能为空, 并且不能包含字符：\\ / : * ? \" < > | ";
inline constexpr std::u16string_view kPasscardNameRule =
    u"密码卡片名称不能为空, 并且不能包含字符：\\ / : * ? \" < > | ";
inline constexpr std::u16string_view kFieldNameRule = u"字段名称不能为空, 并且不能包含字符：\\ / : * ? \" < > | ";

// Pieces of the composed questions: delete-card ("...'\Home'?"), damaged card
// ("...'Home'" + may-be-damaged line + delete-damaged question), delete field.
inline constexpr std::u16string_view kDeleteIdentityQuestion = u"您确定要删除身份卡片";
inline constexpr std::u16string_view kDeletePasscardQuestion = u"您确定要删除密码卡片";
inline constexpr std::u16string_view kDeleteCardQuestionEnd = u"'吗?";
inline constexpr std::u16string_view kCannotReadIdentity = u"不能读取身份卡片";
inline constexpr std::u16string_view kCannotReadPasscard = u"不能读取密码卡片";
inline constexpr std::u16string_view kMayBeDamaged = u"文件可能已损坏\n";
inline constexpr std::u16string_view kDeleteDamagedIdentity = u"是否删除损坏的身份卡片?";
inline constexpr std::u16string_view kDeleteDamagedPasscard = u"是否删除损坏的密码卡片?";
inline constexpr std::u16string_view kDeleteFieldQuestion = u"你确定要删除字段";
inline constexpr std::u16string_view kDeleteFieldQuestionEnd = u"吗?";

// The Identity Editor's messages and titles.
inline constexpr std::u16string_view kRenameIdentityTitle = u"重命名身份卡片名称";
inline constexpr std::u16string_view kNewIdentityTitle = u"创建新身份卡片";
inline constexpr std::u16string_view kIdentityNotOwner = u"这个身份卡片不是当前用户的身份卡片";
inline constexpr std::u16string_view kIdentityChanged = u"身份卡片已修改,是否保存身份卡片?";
inline constexpr std::u16string_view kCopyIdentityFailure = u"复制身份卡片失败";
inline constexpr std::u16string_view kCutIdentityFailure = u"剪切身份卡片失败";
inline constexpr std::u16string_view kDeleteIdentityFailure = u"删除身份卡片失败";
inline constexpr std::u16string_view kRenameIdentityFailure = u"重命名身份卡片失败";
inline constexpr std::u16string_view kNoCustomFieldSelected =
    u"未选定要删除的字段\n点击要删除的字段选择'编辑'->'删除自定义字段'";
inline constexpr std::u16string_view kSameNameInFolder = u"目录下有同名文件";

// The Passcard Editor's messages and titles.
inline constexpr std::u16string_view kRenamePasscardTitle = u"重命名密码卡片名称";
inline constexpr std::u16string_view kNewFieldTitle = u"新建字段名称";
inline constexpr std::u16string_view kRenameFieldTitle = u"重命名字段名称";
inline constexpr std::u16string_view kPasscardNotOwner = u"这个密码卡片不是当前用户的密码卡片";
inline constexpr std::u16string_view kPasscardChanged = u"密码卡片已修改,是否保存密码卡片?";
inline constexpr std::u16string_view kCopyPasscardFailure = u"复制密码卡片失败";
inline constexpr std::u16string_view kCutPasscardFailure = u"剪切密码卡片失败";
inline constexpr std::u16string_view kDeletePasscardFailure = u"删除密码卡片失败";
inline constexpr std::u16string_view kRenamePasscardFailure = u"重命名密码卡片失败";
inline constexpr std::u16string_view kNoFieldToRename =
    u"未选定要重命名的字段\n点击要重命名的字段选择'编辑'->'重命名字段'";
inline constexpr std::u16string_view kNoFieldToDelete = u"未选定要删除的字段\n点击要删除的字段选择'编辑'->'删除字段'";
inline constexpr std::u16string_view kUserNameNotDeleted = u"用户名不能删除";
inline constexpr std::u16string_view kPasswordNotDeleted = u"密码不能删除";

// The tray program: the titles of the windows it looks for (the browser
// toolbar's two dialogs and the options dialog), and its result texts.
inline constexpr std::u16string_view kSaveFormsTitle = u"自动保存密码卡片 Tarnwick";
inline constexpr std::u16string_view kToolbarNewIdentityTitle = u"新身份卡片";
inline constexpr std::u16string_view kOptionsTitle = u"Tarnwick 选项";
inline constexpr std::u16string_view kBackupSuccess = u"备份当前用户数据成功";
inline constexpr std::u16string_view kBackupFailure = u"备份当前用户数据失败";
inline constexpr std::u16string_view kNoUserData = u"文件夹不包含有效用户数据";
inline constexpr std::u16string_view kImportSuccess = u"导入用户数据成功";
inline constexpr std::u16string_view kImportFailure = u"导入用户数据失败";

// The identity form's section titles, labels and choices.
inline constexpr std::u16string_view kLabelNone = u"空";
inline constexpr std::u16string_view kLabelMale = u"男";
inline constexpr std::u16string_view kLabelFemale = u"女";
inline constexpr std::u16string_view kLabelPerson = u"个人";
inline constexpr std::u16string_view kLabelPhone = u"电话";
inline constexpr std::u16string_view kLabelHomeTel = u"家庭电话";
inline constexpr std::u16string_view kLabelWorkTel = u"工作电话";
inline constexpr std::u16string_view kLabelCellTel = u"手机";
inline constexpr std::u16string_view kLabelFax = u"传真";
inline constexpr std::u16string_view kLabelEmail = u"电子邮件";
inline constexpr std::u16string_view kLabelBusiness = u"商业";
inline constexpr std::u16string_view kLabelCompanyName = u"公司名";
inline constexpr std::u16string_view kLabelCompanyTel = u"公司电话";
inline constexpr std::u16string_view kLabelWebSite = u"网站";
inline constexpr std::u16string_view kLabelLocation = u"所在地";  // the address section's title
inline constexpr std::u16string_view kLabelCountry = u"国家";
inline constexpr std::u16string_view kLabelProvince = u"省";
inline constexpr std::u16string_view kLabelCity = u"城市";
inline constexpr std::u16string_view kLabelPostCode = u"邮政编码";
inline constexpr std::u16string_view kLabelAddress = u"地址";
inline constexpr std::u16string_view kLabelAuthentication = u"安全信息";
inline constexpr std::u16string_view kLabelUserName = u"用户名";
inline constexpr std::u16string_view kLabelPassword = u"密码";
inline constexpr std::u16string_view kLabelPasswordQuestion = u"密码提示问题";
inline constexpr std::u16string_view kLabelPasswordAnswer = u"密码提示问题答案";
inline constexpr std::u16string_view kLabelFieldName = u"字段名";
inline constexpr std::u16string_view kLabelFieldValue = u"字段值";
inline constexpr std::u16string_view kLabelSummary = u"摘要";
inline constexpr std::u16string_view kLabelCustom = u"自定义";

}  // namespace tarnwick::catalogue_key

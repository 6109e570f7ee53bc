// Texts the editors show that are not in the message catalogue yet, and the
// catalogue keys this module looks up, written here once. The keys are the
// catalogue's own texts; the plain texts are shown as they stand until the
// catalogue carries them.
#pragma once

#include <string_view>

namespace tarnwick::editor_text {

// Catalogue keys.
inline constexpr std::u16string_view kIdentityChangedKey = u"身份卡片已修改,是否保存身份卡片?";
inline constexpr std::u16string_view kPasscardChangedKey = u"密码卡片已修改,是否保存密码卡片?";

// Shown as they stand: a start that failed, with the system's reason after it.
inline constexpr std::u16string_view kBrowserStartFailed = u"Can not open the web page in the browser:\n";
inline constexpr std::u16string_view kProgramStartFailed = u"Can not start the program:\n";
// The program folder's path cannot name the program.
inline constexpr std::u16string_view kInvalidProgramPath = u"The program folder's path is not valid.";
// When the system gave no reason for a failed start.
inline constexpr std::u16string_view kNoReasonGiven = u"The system gave no reason.";

}  // namespace tarnwick::editor_text

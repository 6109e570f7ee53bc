// Texts the editors show without the message catalogue: the reports of a
// start or a save that failed, which the catalogue's tables do not carry. Named once here
// and shown as they stand.
#pragma once

#include <string_view>

namespace tarnwick::editor_text {

// Shown as they stand: a start that failed, with the system's reason after it.
inline constexpr std::u16string_view kBrowserStartFailed = u"Can not open the web page in the browser:\n";
inline constexpr std::u16string_view kProgramStartFailed = u"Can not start the program:\n";
// A card that could not be written: its name in apostrophes and the reason follow.
inline constexpr std::u16string_view kSaveFailed = u"Can not save the card ";
// A card that could not be read: its name in apostrophes and the reason follow.
inline constexpr std::u16string_view kReadFailed = u"Can not read the card ";
// A protected card's save when the password prompt was cancelled.
inline constexpr std::u16string_view kPasswordNotGiven =
    u"The primary password was not given, so the card was not saved.";
// A card shown from an earlier load is not written over the card selected now.
inline constexpr std::u16string_view kNotLoadedCard = u"The card was not opened, so it was not saved.";
// A new folder that could not be made: the parent folder and the reason follow.
inline constexpr std::u16string_view kFolderNotCreated = u"Can not create a new folder in ";
// The program folder's path cannot name the program.
inline constexpr std::u16string_view kInvalidProgramPath = u"The program folder's path is not valid.";
// When the system gave no reason for a failed start.
inline constexpr std::u16string_view kNoReasonGiven = u"The system gave no reason.";

}  // namespace tarnwick::editor_text

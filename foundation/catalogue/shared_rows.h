// The catalogue rows two or three programs share, listed once, and how a
// program's table is joined from them and its own rows at compile time. Each
// program's table file takes only the shared rows marked for it.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/message_catalogue.h"

namespace tarnwick {

// Which programs carry a shared row (a bit set).
namespace catalogue_program {
inline constexpr unsigned kIdentity = 1;
inline constexpr unsigned kPasscard = 2;
inline constexpr unsigned kTray = 4;
inline constexpr unsigned kEditors = kIdentity | kPasscard;
inline constexpr unsigned kAll = kEditors | kTray;
}  // namespace catalogue_program

struct SharedCatalogueRow {
    std::u16string_view key;
    std::u16string_view text;  // English
    unsigned programs;         // catalogue_program bits
};

// In table order. A key the editors show differently appears once per text,
// each row marked for its own program.
inline constexpr SharedCatalogueRow kSharedCatalogueRows[] = {
    {catalogue_key::kDialogFont, u"MS Shell Dlg", catalogue_program::kAll},
    {catalogue_key::kWarningCaption, u"Tarnwick Warning", catalogue_program::kAll},
    {catalogue_key::kErrorCaption, u"Tarnwick Error", catalogue_program::kAll},
    {catalogue_key::kQuestionCaption, u"Tarnwick Question", catalogue_program::kAll},
    {catalogue_key::kRenameFolderTitle, u"Rename Folder", catalogue_program::kIdentity},
    {catalogue_key::kRenameFolderTitle, u"Rename Folder Name", catalogue_program::kPasscard},
    {catalogue_key::kNoUser, u"Can not find user file, please create a user.", catalogue_program::kEditors},
    {catalogue_key::kWrongPassword, u"Current user's primary password error.", catalogue_program::kEditors},
    {catalogue_key::kFolderExists, u"Folder already exists", catalogue_program::kEditors},
    {catalogue_key::kDeleteNonEmptyFolder, u"Are you sure you want to delete this folder?",
     catalogue_program::kEditors},
    {catalogue_key::kRootNotDeleted, u"Main Folder could not be deleted", catalogue_program::kEditors},
    {catalogue_key::kRenameFolderFailure, u"Rename the folder failure", catalogue_program::kEditors},
    {catalogue_key::kCopyNameSuffix, u" - Copy", catalogue_program::kEditors},
    {catalogue_key::kCopyIntoItself,
     u"Source and Destination folders are the same, or Destination folder is inside Source folder",
     catalogue_program::kEditors},
    {catalogue_key::kCutFolderFailure, u"Cut folder Failure", catalogue_program::kEditors},
    {catalogue_key::kDeleteCardQuestionEnd, u"'?", catalogue_program::kEditors},
    // The Identity Editor shows this piece in Chinese.
    {catalogue_key::kMayBeDamaged, catalogue_key::kMayBeDamaged, catalogue_program::kIdentity},
    {catalogue_key::kMayBeDamaged, u"File may be already damaged\n", catalogue_program::kPasscard},
    {catalogue_key::kDeleteFileFailure, u"Delete File failure", catalogue_program::kEditors},
    {catalogue_key::kDeleteFolderFailure, u"Delete Folder failure", catalogue_program::kAll},
    {catalogue_key::kNoProgramPath, u"Can not find program path, please reinstall the Tarnwick",
     catalogue_program::kEditors},
    {catalogue_key::kNewFolderTitle, u"New Folder Name", catalogue_program::kEditors},
    {catalogue_key::kSameNameFile, u"The same name file already exists", catalogue_program::kEditors},
    {catalogue_key::kSameNameFolder, u"The same name folder already exists", catalogue_program::kAll},
    {catalogue_key::kRootNotRenamed, u"The name of the main folder can not change", catalogue_program::kEditors},
    // Name rules: the nine forbidden characters, each followed by a blank.
    {catalogue_key::kFolderNameRule,
     u"Folder name cannot be empty and it cannot contain characters \\ / : * ? \" < > | ", catalogue_program::kEditors},
};

constexpr std::size_t SharedCatalogueRowCount(unsigned program) {
    std::size_t count = 0;
    for (const SharedCatalogueRow& row : kSharedCatalogueRows)
        if (row.programs & program) ++count;
    return count;
}

// A program's table: the shared rows marked for it, then its own.
template <unsigned Program, std::size_t N>
constexpr auto JoinSharedRows(const CatalogueRow (&own)[N]) {
    std::array<CatalogueRow, SharedCatalogueRowCount(Program) + N> rows{};
    std::size_t i = 0;
    for (const SharedCatalogueRow& row : kSharedCatalogueRows)
        if (row.programs & Program) rows[i++] = {row.key, row.text};
    for (const CatalogueRow& row : own) rows[i++] = row;
    return rows;
}

// Checked by each table at compile time: a repeated key would silently hide a row.
template <std::size_t N>
constexpr bool HasUniqueKeys(const std::array<CatalogueRow, N>& rows) {
    for (std::size_t i = 0; i < N; ++i)
        for (std::size_t j = i + 1; j < N; ++j)
            if (rows[i].key == rows[j].key) return false;
    return true;
}

}  // namespace tarnwick

// The files an import reads: our own export, and what other password
// managers and browsers write. Each reader turns a file into cards and a list
// of what it skipped and why; nothing here touches the user's folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "transfer/export_file.h"

namespace tarnwick::transfer {

enum class ImportFormat {
    Own,         // ExportJson's file
    BrowserCsv,  // name,url,username,password[,note], any column order
    ManagerCsv,  // Group,Title,Username,Password,URL,Notes
    CloudJson,   // the unencrypted JSON export: folders and items
};

// "tarnwick", "browser-csv", "manager-csv" or "cloud-json".
std::optional<ImportFormat> FormatNamed(std::u16string_view name);
// Recognised from the file's content: the JSON's top-level members, the CSV's header.
std::optional<ImportFormat> DetectFormat(std::string_view bytes);

// Raises std::runtime_error (JsonError for JSON) when the file as a whole is
// not of the format: no header, not JSON, an encrypted export.
ParsedCards ReadImportFile(std::string_view bytes, ImportFormat format);

// The names a login's fields get.
inline constexpr std::u16string_view kUserNameFieldName = u"username";
inline constexpr std::u16string_view kPasswordFieldName = u"password";

}  // namespace tarnwick::transfer

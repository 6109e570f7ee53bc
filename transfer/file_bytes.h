// Whole files as bytes, for the export and import files: the export is
// written to a temporary file beside the target and put in its place in one
// step, so that a failed export never leaves half a file behind.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tarnwick::transfer {

// At most `limit` bytes; raises CTextFileException when the file cannot be
// opened or read, std::runtime_error when it is larger than `limit`.
std::string ReadFileBytes(const std::u16string& path, std::size_t limit, FileSystem& files = NativeFileSystem());
// Raises CTextFileException, the target untouched, when any step fails.
void WriteFileBytes(const std::u16string& path, std::string_view bytes, FileSystem& files = NativeFileSystem());

}  // namespace tarnwick::transfer

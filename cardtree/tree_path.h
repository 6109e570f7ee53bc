// Windows paths as the library tree builds and compares them: joined with "\",
// compared without regard to case as the file system compares names, and held
// to the 260-character buffers the library's paths live in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnwick {

// A path fits when it and its terminating zero fit a buffer of 260 characters.
inline constexpr std::size_t kMaxPathChars = 259;

bool FitsPathBuffer(std::u16string_view path);

// folder + "\" + name; no doubled "\" when the folder ends with one (a drive root).
std::u16string JoinPath(std::u16string_view folder, std::u16string_view name);
// Everything before the last "\" (the folder holding the entry).
std::u16string_view ParentPath(std::u16string_view path);
// Everything after the last "\".
std::u16string_view LastComponent(std::u16string_view path);

// Equal names as Windows compares them: ignoring the case of letters.
bool SamePath(std::u16string_view a, std::u16string_view b);
// True when `path` is `folder` or lies anywhere below it.
bool IsSameOrInside(std::u16string_view path, std::u16string_view folder);

// A card file's name: its last "." followed by exactly the extension (".vrt"),
// with a name before it.
bool IsCardFileName(std::u16string_view fileName, std::u16string_view extension);

}  // namespace tarnwick

// Windows paths as every program builds, compares and checks them: joined with
// "\", compared without regard to case as the file system compares names, held
// to buffers of 260 characters, and resolved exactly as the file system will
// read them before any check, so that the path checked is the path acted on.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// Paths travel in buffers of 260 characters: 259 and the terminator.
inline constexpr std::size_t kPathBufferChars = 260;
inline constexpr std::size_t kMaxPathChars = kPathBufferChars - 1;

// A path fits when it and its terminating zero fit a buffer of 260 characters.
bool FitsPathBuffer(std::u16string_view path);

// folder + "\" + name; no doubled "\" when the folder ends with one (a drive root).
std::u16string JoinPath(std::u16string_view folder, std::u16string_view name);
// Everything before the last "\" (the folder holding the entry); empty without one.
std::u16string_view ParentPath(std::u16string_view path);
// Everything after the last "\"; the whole path without one.
std::u16string_view LastComponent(std::u16string_view path);

// Equal names as Windows compares them: ignoring the case of letters.
bool SamePath(std::u16string_view a, std::u16string_view b);
// True when `path` is `folder` or lies anywhere below it (texts as they are).
bool IsSameOrInside(std::u16string_view path, std::u16string_view folder);

// The absolute path the file system opens for `path`: "\" and "/" both
// separate, runs of separators count as one, "." is dropped, ".." takes away
// the component before it and never climbs above the root, trailing dots and
// spaces leave every component. The result is "X:\a\b" (a drive root "X:\")
// or "\\server\share\a\b", and resolves to itself.
// Nothing for what cannot be resolved safely here: a relative path or one
// rooted on the current drive, device and raw paths ("\\?\", "\\.\", "\??\"),
// device names (CON, NUL, COM1...) in any component, wildcards, stream names
// and control characters, a component made only of dots and spaces.
std::optional<std::u16string> ResolveWindowsPath(std::u16string_view path);

// Where a resolved path must lie for a command to act on it.
enum class PathPlace {
    SameOrBelow,   // the folder itself or anywhere below it
    Below,         // anywhere below it, not the folder itself
    DirectlyBelow  // an entry of the folder itself
};

// `path` resolved, when both it and `folder` resolve and it lies in `place`
// relative to the resolved folder; nothing otherwise.
std::optional<std::u16string> ResolveInside(std::u16string_view path, std::u16string_view folder, PathPlace place);

// A folder entry's name that names exactly that entry when joined to its
// folder: one component the file system reads as it is written.
bool IsPlainName(std::u16string_view name);

}  // namespace tarnwick

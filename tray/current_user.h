// The current user as the tray program knows it: "RootUser" in the registry,
// split at its last backslash into the data root and the user name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "foundation/user_profile.h"
#include "platform/registry.h"

namespace tarnwick {

// Paths travel in buffers of 260 characters: 259 and the terminator.
inline constexpr std::size_t kPathBufferChars = kRegistryPathBufferChars;
inline constexpr std::size_t kMaxPathChars = kPathBufferChars - 1;

struct CurrentUser {
    std::u16string folder;    // the whole "RootUser" value; empty: no user yet
    std::u16string name;      // after the last backslash
    std::u16string dataRoot;  // before the last backslash

    bool exists() const { return !folder.empty(); }
};

CurrentUser CurrentUserOf(std::u16string_view folder);

// Opens or creates "Software\Tarnwick" and reads "RootUser" (260 characters
// with the terminator); a missing key or value is no user.
CurrentUser ReadCurrentUser(Registry& registry);

// Writes "RootUser" = folder as a string value.
bool SetCurrentUser(Registry& registry, std::u16string_view folder);

// `path` up to its last backslash (empty when it has none).
std::u16string ParentOf(std::u16string_view path);
// `path` after its last backslash.
std::u16string LastComponentOf(std::u16string_view path);

}  // namespace tarnwick

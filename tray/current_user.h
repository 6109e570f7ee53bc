// The current user as the tray program knows it: "RootUser" in the registry,
// split at its last backslash into the data root and the user name.
#pragma once

#include <string>
#include <string_view>

#include "foundation/user_profile.h"
#include "foundation/windows_path.h"
#include "platform/registry.h"

namespace tarnwick {

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

}  // namespace tarnwick

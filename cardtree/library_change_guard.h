// What the editor says of a tree operation that moves, renames or deletes an
// entry of the library: the card on show may lie at or below that entry, and
// its edits must reach the card under its new path, never the old one.
#pragma once

#include <string>

#include "platform/prompts.h"

namespace tarnwick {

class LibraryChangeGuard {
public:
    virtual ~LibraryChangeGuard() = default;
    // Before `entryPath` (a folder, or a card file with its extension) is
    // moved, renamed or deleted: false stops the operation, the editor having
    // told the user why (owner `owner`).
    virtual bool beforeChange(const std::u16string& entryPath, WindowRef owner) = 0;
    // After the entry moved on disk.
    virtual void moved(const std::u16string& from, const std::u16string& to) = 0;
    // After the entry was deleted.
    virtual void removed(const std::u16string& entryPath) = 0;
};

}  // namespace tarnwick

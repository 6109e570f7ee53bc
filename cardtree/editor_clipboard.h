// The editor-side clipboard of the library tree: what Copy or Cut remembered
// for Paste. Owned by the editor window and shared with its tree; at most one
// of the two sources is set.
#pragma once

#include <string>

namespace tarnwick {

enum class ClipboardKind { Folder, Card };

class EditorClipboard {
public:
    // A card's path carries its extension.
    void copy(std::u16string path, ClipboardKind kind);
    void cut(std::u16string path, ClipboardKind kind);
    void clear();
    void clearCopySource() { copySource_.clear(); }
    void clearCutSource() { cutSource_.clear(); }

    const std::u16string& copySource() const { return copySource_; }
    const std::u16string& cutSource() const { return cutSource_; }
    ClipboardKind kind() const { return kind_; }
    bool empty() const { return copySource_.empty() && cutSource_.empty(); }

private:
    std::u16string copySource_;
    std::u16string cutSource_;
    ClipboardKind kind_ = ClipboardKind::Card;
};

}  // namespace tarnwick

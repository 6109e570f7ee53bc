#include "cardtree/editor_clipboard.h"

namespace tarnwick {

void EditorClipboard::copy(std::u16string path, ClipboardKind kind) {
    copySource_ = std::move(path);
    cutSource_.clear();
    kind_ = kind;
}

void EditorClipboard::cut(std::u16string path, ClipboardKind kind) {
    cutSource_ = std::move(path);
    copySource_.clear();
    kind_ = kind;
}

void EditorClipboard::clear() {
    copySource_.clear();
    cutSource_.clear();
}

}  // namespace tarnwick

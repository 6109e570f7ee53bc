#include "cardtree/tree_path.h"

namespace tarnwick {

bool IsCardFileName(std::u16string_view fileName, std::u16string_view extension) {
    const std::size_t dot = fileName.find_last_of(u'.');
    if (dot == std::u16string_view::npos || dot == 0) return false;
    return fileName.substr(dot) == extension;
}

}  // namespace tarnwick

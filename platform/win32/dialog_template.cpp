#include "platform/win32/dialog_template.h"

namespace tarnwick {

DialogTemplate::DialogTemplate(DWORD style, short width, short height, std::u16string_view title, WORD pointSize,
                               std::u16string_view face) {
    putDword(style | DS_SETFONT);
    putDword(0);  // extended style
    countAt_ = bytes_.size();
    putWord(0);  // item count, counted by addItem
    putWord(0);
    putWord(0);  // x, y
    putWord(static_cast<WORD>(width));
    putWord(static_cast<WORD>(height));
    putWord(0);  // no menu
    putWord(0);  // the dialog class
    putText(title);
    putWord(pointSize);
    putText(face);
}

void DialogTemplate::addItem(WORD classAtom, WORD id, DWORD style, short x, short y, short width, short height,
                             std::u16string_view text) {
    align();
    putDword(style | WS_CHILD | WS_VISIBLE);
    putDword(0);
    putWord(static_cast<WORD>(x));
    putWord(static_cast<WORD>(y));
    putWord(static_cast<WORD>(width));
    putWord(static_cast<WORD>(height));
    putWord(id);
    putWord(0xFFFF);
    putWord(classAtom);
    putText(text);
    putWord(0);  // no creation data
    ++bytes_[countAt_];
}

void DialogTemplate::align() {
    if (bytes_.size() % 2 != 0) bytes_.push_back(0);
}

void DialogTemplate::putWord(WORD word) { bytes_.push_back(word); }

void DialogTemplate::putDword(DWORD dword) {
    putWord(LOWORD(dword));
    putWord(HIWORD(dword));
}

void DialogTemplate::putText(std::u16string_view text) {
    for (char16_t c : text) putWord(c);
    putWord(0);
}

}  // namespace tarnwick

// An in-memory dialog template (DLGTEMPLATE and its items, DWORD-aligned), so
// that the shared dialogs need no resource script in each program.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// The predefined control classes a template names by atom.
inline constexpr WORD kDialogButton = 0x0080;
inline constexpr WORD kDialogEdit = 0x0081;
inline constexpr WORD kDialogStatic = 0x0082;

class DialogTemplate {
public:
    // Dialog units; DS_SETFONT with the given face and point size.
    DialogTemplate(DWORD style, short width, short height, std::u16string_view title, WORD pointSize,
                   std::u16string_view face);
    // One control of a predefined class (kDialogButton, kDialogEdit, kDialogStatic).
    void addItem(WORD classAtom, WORD id, DWORD style, short x, short y, short width, short height,
                 std::u16string_view text);
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

private:
    void align();
    void putWord(WORD word);
    void putDword(DWORD dword);
    void putText(std::u16string_view text);

    std::vector<WORD> bytes_;
    std::size_t countAt_ = 0;
};

}  // namespace tarnwick

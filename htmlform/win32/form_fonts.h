// The form pages' fonts: Verdana, or Arial where Verdana is not installed, at
// the pixel sizes and weights the layout asks for, made once and kept.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>

#include "htmlform/text_measure.h"

namespace tarnwick {

class FormFonts {
public:
    FormFonts();
    ~FormFonts();
    FormFonts(const FormFonts&) = delete;
    FormFonts& operator=(const FormFonts&) = delete;

    // The font of a run: the face at `sizePx` pixels of em height, normal or bold.
    HFONT get(const htmlform::FontSpec& wanted);
    // The face in use: "Verdana" or "Arial".
    const std::wstring& face() const { return face_; }

private:
    std::wstring face_;
    std::map<std::pair<int, bool>, HFONT> fonts_;
};

// True when a font family of that name is installed.
bool FontFamilyInstalled(const wchar_t* face);

}  // namespace tarnwick

// Placing and dressing a window the same way in every program: a dialog centred
// on its owner, a font made from a face name and a height.
#pragma once

#include <windows.h>

#include <string_view>

namespace tarnwick {

// Centres `window` on its owner, or on the work area when it has none or the
// owner is hidden; never with its top-left corner off the screen's.
void CentreOnOwner(HWND window);

// Puts `window` into the topmost band or out of it, without moving, sizing or
// activating it.
void SetTopmost(HWND window, bool on);

// All zero but lfHeight and lfFaceName (cut to the 31 characters it holds).
LOGFONTW LogFontFromFace(std::u16string_view face, int height);
// CreateFontIndirectW of that LOGFONTW; the caller deletes the font.
HFONT CreateFontFromFace(std::u16string_view face, int height);

}  // namespace tarnwick

#include "htmlform/win32/form_fonts.h"

#include <cwchar>

namespace tarnwick {
namespace {

constexpr const wchar_t* kPreferredFace = L"Verdana";
constexpr const wchar_t* kFallbackFace = L"Arial";

int CALLBACK onFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;  // one is enough
}

}  // namespace

bool FontFamilyInstalled(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, &onFamily, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

namespace {

// Installed fonts do not come and go while the program runs: asked once.
const wchar_t* formFace() {
    static const wchar_t* const face = FontFamilyInstalled(kPreferredFace) ? kPreferredFace : kFallbackFace;
    return face;
}

}  // namespace

FormFonts::FormFonts() : face_(formFace()) {}

FormFonts::~FormFonts() {
    for (auto& [key, font] : fonts_) DeleteObject(font);
}

HFONT FormFonts::get(const htmlform::FontSpec& wanted) {
    const auto key = std::make_pair(wanted.sizePx, wanted.bold);
    if (auto found = fonts_.find(key); found != fonts_.end()) return found->second;
    HFONT font =
        CreateFontW(-wanted.sizePx, 0, 0, 0, wanted.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face_.c_str());
    if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fonts_.emplace(key, font);
    return font;
}

}  // namespace tarnwick

// The page's one drawn border: the body's, which the passcard page gives a
// 1-pixel grey line around the field table. The controls show everything
// else; this is painted on the pane behind them.
#pragma once

#include <windows.h>

#include <optional>

#include "htmlform/computed_style.h"
#include "htmlform/document.h"

namespace tarnwick {

struct PageBorder {
    htmlform::Rect rect;  // the body's border box, page coordinates
    htmlform::Edges widths;
    COLORREF colour = RGB(0, 0, 0);
};

// The body's border after the last layout, or nothing when it has none.
std::optional<PageBorder> BodyBorder(const htmlform::Document& document);
// Paints it at its place in a pane scrolled to `scroll`.
void PaintPageBorder(HDC dc, const PageBorder& border, POINT scroll);

}  // namespace tarnwick

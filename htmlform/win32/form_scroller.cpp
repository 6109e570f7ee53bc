#include "htmlform/win32/form_scroller.h"

#include <algorithm>

namespace tarnwick {

POINT FormScroller::clamped(POINT position) const {
    const LONG maxX = std::max<LONG>(0, page_.cx - visible_.cx);
    const LONG maxY = std::max<LONG>(0, page_.cy - visible_.cy);
    return {std::clamp<LONG>(position.x, 0, maxX), std::clamp<LONG>(position.y, 0, maxY)};
}

void FormScroller::setExtent(SIZE page, SIZE visible) {
    page_ = page;
    visible_ = visible;
    position_ = clamped(position_);
}

bool FormScroller::scrollTo(POINT position) {
    const POINT next = clamped(position);
    if (next.x == position_.x && next.y == position_.y) return false;
    position_ = next;
    return true;
}

bool FormScroller::onScrollRequest(HWND window, int bar, int request) {
    const bool vertical = bar == SB_VERT;
    const LONG now = vertical ? position_.y : position_.x;
    const LONG pageStep = std::max<LONG>(kLine, (vertical ? visible_.cy : visible_.cx) - kLine);
    LONG next = now;
    switch (request) {
        case SB_LINEUP:
            next = now - kLine;
            break;
        case SB_LINEDOWN:
            next = now + kLine;
            break;
        case SB_PAGEUP:
            next = now - pageStep;
            break;
        case SB_PAGEDOWN:
            next = now + pageStep;
            break;
        case SB_TOP:
            next = 0;
            break;
        case SB_BOTTOM:
            next = vertical ? page_.cy : page_.cx;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            GetScrollInfo(window, bar, &info);
            next = info.nTrackPos;
            break;
        }
        default:
            return false;
    }
    return scrollTo(vertical ? POINT{position_.x, next} : POINT{next, position_.y});
}

bool FormScroller::onWheel(int delta) {
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    if (lines == WHEEL_PAGESCROLL) lines = static_cast<UINT>(std::max<LONG>(1, visible_.cy / kLine));
    wheelRemainder_ += delta;
    const int notches = wheelRemainder_ / WHEEL_DELTA;
    wheelRemainder_ -= notches * WHEEL_DELTA;
    if (notches == 0) return false;
    return scrollTo({position_.x, position_.y - notches * static_cast<LONG>(lines) * kLine});
}

bool FormScroller::scrollIntoView(const htmlform::Rect& rect) {
    POINT next = position_;
    if (rect.bottom() > next.y + visible_.cy) next.y = rect.bottom() - visible_.cy;
    if (rect.y < next.y) next.y = rect.y;
    if (rect.right() > next.x + visible_.cx) next.x = rect.right() - visible_.cx;
    if (rect.x < next.x) next.x = rect.x;
    return scrollTo(next);
}

void FormScroller::apply(HWND window) const {
    SCROLLINFO vertical{sizeof vertical,
                        SIF_RANGE | SIF_PAGE | SIF_POS,
                        0,
                        std::max<int>(0, page_.cy - 1),
                        static_cast<UINT>(std::max<LONG>(0, visible_.cy)),
                        position_.y,
                        0};
    SetScrollInfo(window, SB_VERT, &vertical, TRUE);
    SCROLLINFO horizontal{sizeof horizontal,
                          SIF_RANGE | SIF_PAGE | SIF_POS,
                          0,
                          std::max<int>(0, page_.cx - 1),
                          static_cast<UINT>(std::max<LONG>(0, visible_.cx)),
                          position_.x,
                          0};
    SetScrollInfo(window, SB_HORZ, &horizontal, TRUE);
}

}  // namespace tarnwick

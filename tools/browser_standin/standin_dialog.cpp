#include "tools/browser_standin/standin_dialog.h"

namespace tarnwick::standin {

bool StandinDialog::create(std::u16string_view title) {
    const DialogTemplate layout(WS_POPUP | WS_CAPTION | WS_VISIBLE, 120, 40, title, 8, u"MS Shell Dlg");
    return createModeless(layout, nullptr);
}

INT_PTR StandinDialog::onMessage(UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_COPYDATA) return FALSE;
    log_.appendCopyData(handle(), reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    return reply(0);
}

}  // namespace tarnwick::standin

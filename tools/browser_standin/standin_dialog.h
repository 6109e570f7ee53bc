// One of the toolbar's dialogs, played: a visible top-level dialog of the
// platform class with the dialog's title, which logs what it receives.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/win32/dialog_base.h"
#include "tools/browser_standin/standin_log.h"

namespace tarnwick::standin {

class StandinDialog : public DialogBase {
public:
    explicit StandinDialog(const StandinLog& log) : log_(log) {}

    bool create(std::u16string_view title);

private:
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    const StandinLog& log_;
};

}  // namespace tarnwick::standin

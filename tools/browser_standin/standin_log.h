// What the browser stand-in received, appended as JSON lines to the file given
// with --log (nothing is written without one).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/copy_data.h"

namespace tarnwick::standin {

class StandinLog {
public:
    void setFile(std::wstring file) { file_ = std::move(file); }

    void append(const std::string& line) const;
    // Logs a WM_COPYDATA to `window` as {"class","title","code","text"}; the
    // message as read, or nothing (and no line) when it could not be.
    std::optional<ReceivedCopyData> appendCopyData(HWND window, const COPYDATASTRUCT* data) const;

private:
    std::wstring file_;
};

}  // namespace tarnwick::standin

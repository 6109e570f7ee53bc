#include "tools/browser_standin/standin_log.h"

#include "platform/win32/wide.h"
#include "platform/win32/win32_windows.h"
#include "tools/tarnwick/json_out.h"

namespace tarnwick::standin {
namespace {

std::u16string classOf(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return FromWide(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace

void StandinLog::append(const std::string& line) const {
    if (file_.empty()) return;
    HANDLE file = CreateFileW(file_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string withEnd = line + "\n";
    DWORD written = 0;
    WriteFile(file, withEnd.data(), static_cast<DWORD>(withEnd.size()), &written, nullptr);
    CloseHandle(file);
}

std::optional<ReceivedCopyData> StandinLog::appendCopyData(HWND window, const COPYDATASTRUCT* data) const {
    auto received = ReceiveCopyDataMessage(data);
    if (!received) return std::nullopt;
    std::string line = "{\"class\":" + cli::JsonString(classOf(window)) + ",\"title\":";
    wchar_t title[260] = {};
    GetWindowTextW(window, title, 260);
    line += cli::JsonString(FromWide(title)) + ",\"code\":" + std::to_string(received->code) + ",\"text\":";
    line += received->text ? cli::JsonString(*received->text) : std::string("null");
    line += "}";
    append(line);
    return received;
}

}  // namespace tarnwick::standin

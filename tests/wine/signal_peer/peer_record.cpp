#include "tests/wine/signal_peer/peer_record.h"

#include <cstdio>

#include "platform/win32/win32_windows.h"

namespace tarnwick::signal_peer {

void PeerRecord::append(const std::string& line) const {
    HANDLE file = CreateFileW(file_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string withEnd = line + "\n";
    DWORD written = 0;
    WriteFile(file, withEnd.data(), static_cast<DWORD>(withEnd.size()), &written, nullptr);
    CloseHandle(file);
}

void PeerRecord::appendCopyData(const char* name, const COPYDATASTRUCT* data) const {
    const auto received = ReceiveCopyDataMessage(data);
    if (data == nullptr || !received) {
        append(std::string(name) + " no-data");
        return;
    }
    char head[96];
    std::snprintf(head, sizeof(head), "%s %llu %lu %d %d ", name, static_cast<unsigned long long>(received->code),
                  static_cast<unsigned long>(data->cbData), data->lpData == nullptr ? 1 : 0, received->text ? 1 : 0);
    std::string line = head;
    if (received->text) {
        for (char16_t unit : *received->text) {
            char hex[8];
            std::snprintf(hex, sizeof(hex), "%04x", static_cast<unsigned>(unit));
            line += hex;
        }
    }
    append(line);
}

void PeerRecord::signalFrameClosed() const { SetEvent(frameClosed_); }

}  // namespace tarnwick::signal_peer

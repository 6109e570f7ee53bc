// What the signal peer's windows received, one line per message appended to
// the record file the test reads: "ROLE CODE CBDATA NULL-DATA HAS-TEXT
// HEX-UNITS", "ROLE no-data" or "frame close".
#pragma once

#include <windows.h>

#include <string>

namespace tarnwick::signal_peer {

class PeerRecord {
public:
    PeerRecord(std::wstring file, HANDLE frameClosed) : file_(std::move(file)), frameClosed_(frameClosed) {}

    void append(const std::string& line) const;
    // Records a WM_COPYDATA to the window `name`; the code it carried, if it could be read.
    void appendCopyData(const char* name, const COPYDATASTRUCT* data) const;
    // Sets the test's event: the browser frame was closed.
    void signalFrameClosed() const;

private:
    std::wstring file_;
    HANDLE frameClosed_;
};

}  // namespace tarnwick::signal_peer

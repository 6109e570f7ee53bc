// Starting other programs: through the shell, or as a process with a command line.
// The adapter is win32/win32_launcher.h.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

class Launcher {
public:
    virtual ~Launcher() = default;

    // The shell's "open" of `file` with `parameters`, shown normally. True when it started.
    virtual bool shellOpen(std::u16string_view file, std::u16string_view parameters) = 0;
    // A new process with this whole command line. True when it started.
    virtual bool createProcess(std::u16string_view commandLine) = 0;

    // The system's own words for why the last start failed; empty when the
    // adapter cannot tell.
    virtual std::u16string lastFailureReason() { return {}; }
};

}  // namespace tarnwick

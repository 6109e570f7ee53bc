// The launcher port over ShellExecuteW and CreateProcessW.
#pragma once

#include "platform/launcher.h"

namespace tarnwick {

class Win32Launcher : public Launcher {
public:
    bool shellOpen(std::u16string_view file, std::u16string_view parameters) override;
    bool createProcess(std::u16string_view commandLine) override;
};

}  // namespace tarnwick

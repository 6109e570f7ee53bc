// Ending another program's process, found through one of its windows.
#pragma once

#include "platform/window_ref.h"

namespace tarnwick {

class Processes {
public:
    virtual ~Processes() = default;
    // TerminateProcess(exit code 0) of the process that owns the window. False
    // when the process cannot be opened.
    virtual bool terminateOwnerOf(WindowRef window) = 0;
};

}  // namespace tarnwick

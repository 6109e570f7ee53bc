// Hiding and showing another program's top-level windows (ShowWindow and
// UpdateWindow), as the boss key does with the browser frames.
#pragma once

#include "platform/window_ref.h"

namespace tarnwick {

class WindowDisplay {
public:
    virtual ~WindowDisplay() = default;
    virtual void setVisible(WindowRef window, bool visible) = 0;
};

}  // namespace tarnwick

// The Passcard Editor's bars: the flat list-style toolbar with its labels and
// tooltips in a rebar, and the status bar that shows a command's prompt while
// the menu is open. Which commands they hold and what they say is the
// editor's command table; this class only draws it.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "editor_common/command_table.h"
#include "editor_common/frame_layout.h"

namespace tarnwick {

class KesloweBars {
public:
    KesloweBars(const CommandTable& commands, std::span<const ToolbarSlot> slots);

    // Creates the rebar (with the toolbar) and the status bar in `parent`;
    // the toolbar's images are the bitmap resource `bitmapId` of `module`.
    bool create(HWND parent, HINSTANCE module, int bitmapId);

    // Shown or hidden; the parent lays itself out again after.
    void show(bool toolbar, bool statusBar);
    // The parent's client area changed size: the bars follow.
    void resize();
    // The bands' heights and whether each is shown.
    Bands bands() const;

    void applyStates(const std::vector<CommandState>& states);
    // A tooltip request from the toolbar; true when it was one.
    bool onNotify(const NMHDR& header);
    // WM_MENUSELECT: the item's prompt, or nothing when the menu closes.
    void onMenuSelect(unsigned id, unsigned flags, HMENU menu);

    HWND rebar() const { return rebar_; }
    HWND toolbar() const { return toolbar_; }
    HWND statusBar() const { return status_; }

private:
    void createToolbar(HINSTANCE module, int bitmapId);
    int height(HWND bar) const;

    const CommandTable& commands_;
    std::span<const ToolbarSlot> slots_;
    std::vector<std::wstring> labels_;
    std::wstring tooltip_;
    HWND rebar_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND status_ = nullptr;
};

}  // namespace tarnwick

// The Win32 controls one form element becomes, and how the document's state
// is put into them. Every setter first compares, so a control is only touched
// when it must change (a SetWindowText of an edit control would announce a
// change of its own).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tarnwick {

enum class ControlKind { Text, Edit, Password, Radio, CheckBox, DropDownList };

// Creates a control of that kind in `parent`, hidden, with the id and font given.
HWND CreateNativeControl(HWND parent, ControlKind kind, int id, HFONT font);

// The control's window text (an edit's value, a static's text).
std::u16string ControlText(HWND control);
// True when the text changed.
bool SetControlText(HWND control, const std::u16string& text);
void SetControlChecked(HWND button, bool checked);
bool ControlChecked(HWND button);
// A drop-down list's items and selection (-1: none).
void SetListItems(HWND list, const std::vector<std::u16string>& items);
void SetListSelection(HWND list, int index);
int ListSelection(HWND list);
// Shows or hides without activating; true when the visibility changed.
bool SetControlVisible(HWND control, bool visible);
void SetControlFont(HWND control, HFONT font);

}  // namespace tarnwick

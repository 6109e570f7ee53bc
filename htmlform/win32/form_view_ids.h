// The numbers the form renderer shares with the editors, the tests and
// screen readers.
#pragma once

#include <windows.h>

namespace tarnwick {

// The n-th input or select of the document (from 0, in document order) is the
// native control with this id + n.
constexpr int kFirstFormControlId = 2000;
// Texts (labels, headers) carry no id of their own.
constexpr int kFormTextControlId = -1;

// The pane's class.
constexpr const char16_t* kFormViewClass = u"TarnwickFormView";

// Private messages of the pane.
constexpr UINT kFormViewDocumentComplete = WM_APP + 0x120;

}  // namespace tarnwick

// What a form document tells the world. The host (an editor) hears of user
// edits, the way a page script would tell it; observers (the renderer) hear of
// every change they must show.
#pragma once

namespace tarnwick::htmlform {

class Element;
class Node;

// The editor that shows the page. An edit is reported when the user changes
// an element whose markup asks for it: an input with onpropertychange calling
// onChange(), a select with onchange calling it, a radio with onclick calling it.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    virtual void onUserEdit(Element& source) = 0;
};

// Who made a change: the program through an element's setter, or the user
// through one of the document's user... entry points.
enum class ChangeCause { Program, User };

class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    // The children of `parent` were replaced, inserted or removed (innerHTML,
    // insertAdjacentHTML, appendChild, removeChild); anything under it may be new.
    virtual void subtreeChanged(Element& parent) = 0;
    // `root` and everything under it is about to leave the document (it may be
    // destroyed right after): forget it.
    virtual void subtreeRemoving(Node& root) = 0;
    // The value, check or selection of a form control changed. For a user change,
    // the control the user acted on is reported too (a renderer may skip it).
    virtual void stateChanged(Element& control, ChangeCause cause) = 0;
    // The element's inline display changed, or an input's type (it shows as another control).
    virtual void displayChanged(Element& element) = 0;
    // The active element changed; `focused` is null when the focus left the controls.
    virtual void focusChanged(Element* focused, ChangeCause cause) = 0;
};

}  // namespace tarnwick::htmlform

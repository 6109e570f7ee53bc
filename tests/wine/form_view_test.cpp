// The form pane under Wine: the native controls it shows for a document, the
// user's actions as the controls deliver them (typed characters, a click, a
// key in a list, Tab), what the program changes in the document, scrolling,
// and the automation contract (control ids, values as window texts, a label
// just before its input).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "htmlform/element.h"
#include "htmlform/win32/form_view.h"
#include "htmlform/win32/form_view_ids.h"
#include "htmlform/win32/native_controls.h"
#include "platform/win32/wide.h"
#include "wine/tray/wine_processes.h"

namespace tarnwick {
namespace {

using htmlform::Element;

constexpr int kPassCardPageResource = 209;  // the passcard page's number in the tests' resources

void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::u16string classOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return FromWide(name);
}

std::string narrow(std::u16string_view text) {
    std::string ascii;
    for (char16_t unit : text) ascii += unit < 0x80 ? char(unit) : '?';
    return ascii;
}

struct Edit {
    std::u16string id;
    std::u16string name;
    std::u16string value;
    bool operator==(const Edit&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Edit& edit) {
    return out << narrow(edit.id) << "/" << narrow(edit.name) << "=" << narrow(edit.value);
}

class EditRecorder : public htmlform::DocumentHost {
public:
    void onUserEdit(Element& source) override { edits.push_back({source.id(), source.name(), source.value()}); }
    std::vector<Edit> edits;
};

// A plain top-level window holding the pane, as an editor's window does.
class ParentWindow {
public:
    ParentWindow() {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TarnwickFormTestParent";
        RegisterClassExW(&windowClass);
        window = CreateWindowExW(0, L"TarnwickFormTestParent", L"Form test", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        // Not activated: an active window takes Wine two seconds to destroy.
        ShowWindow(window, SW_SHOWNOACTIVATE);
    }
    ~ParentWindow() { DestroyWindow(window); }
    HWND window = nullptr;
};

// Rows enough to make a page much taller than the pane.
std::u16string longPage(int rows) {
    std::u16string html = u"<html><body><table>";
    for (int i = 0; i < rows; ++i) {
        const std::u16string n = FromWide(std::to_wstring(i).c_str());
        html += u"<tr><td align=\"right\">Field " + n + u"</td><td><input id=\"f" + n +
                u"\" type=\"text\" onpropertychange=\"onChange()\"></td></tr>";
    }
    return html + u"</table></body></html>";
}

const char16_t* const kSmallPage =
    u"<html><head><title>Small</title></head><body>"
    u"<table><tr><td align=\"right\">User</td><td><input id=\"user\" name=\"User\" type=\"text\" value=\"abc\""
    u" onpropertychange=\"onChange()\"></td></tr>"
    u"<tr><td align=\"right\">Password</td><td><input id=\"pass\" name=\"Password\" type=\"password\" value=\"s3\""
    u" onpropertychange=\"onChange()\"></td></tr>"
    u"<tr><td>Month</td><td><select id=\"month\" onchange=\"onChange()\"><option></option><option>01</option>"
    u"<option>02</option><option>03</option></select></td></tr></table>"
    u"<table id=\"more\" style=\"display:none\"><tr><td>Hidden</td><td><input id=\"hidden1\" type=\"text\""
    u" onpropertychange=\"onChange()\"></td></tr></table>"
    u"<input id=\"last\" type=\"text\" onpropertychange=\"onChange()\">"
    u"</body></html>";

class FormViewTest : public ::testing::Test {
protected:
    FormViewTest() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }

    void SetUp() override {
        ASSERT_NE(parent.window, nullptr);
        view.setHost(&recorder);
        ASSERT_TRUE(view.create(parent.window, 100, RECT{0, 0, 600, 400}));
    }

    void load(const std::u16string& html) {
        view.loadText(html);
        pump();
    }

    Element& element(const char16_t* id) {
        Element* found = view.document().getElementById(id);
        EXPECT_NE(found, nullptr) << "no element " << narrow(id);
        return *found;
    }
    HWND control(const char16_t* id) { return view.controlOf(element(id)); }
    RECT screenRect(HWND window) {
        RECT rect{};
        GetWindowRect(window, &rect);
        return rect;
    }

    ParentWindow parent;
    EditRecorder recorder;
    FormView view;
};

TEST_F(FormViewTest, EachInputAndSelectIsTheControlOfItsDocumentPosition) {
    load(kSmallPage);
    const std::vector<Element*> controls = view.document().formControls();
    ASSERT_EQ(controls.size(), 5u);
    for (std::size_t n = 0; n < controls.size(); ++n) {
        HWND native = GetDlgItem(view.handle(), kFirstFormControlId + static_cast<int>(n));
        ASSERT_NE(native, nullptr) << "no control " << n;
        EXPECT_EQ(native, view.controlOf(*controls[n])) << n;
    }
    EXPECT_EQ(classOf(control(u"user")), u"Edit");
    EXPECT_EQ(ControlText(control(u"user")), u"abc");
    EXPECT_EQ(ControlText(control(u"pass")), u"s3");
    EXPECT_NE(GetWindowLongPtrW(control(u"pass"), GWL_STYLE) & ES_PASSWORD, 0);
    EXPECT_EQ(GetWindowLongPtrW(control(u"user"), GWL_STYLE) & ES_PASSWORD, 0);
    EXPECT_EQ(classOf(control(u"month")), u"ComboBox");
    EXPECT_EQ(GetWindowLongPtrW(control(u"month"), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(SendMessageW(control(u"month"), CB_GETCOUNT, 0, 0), 4);
}

TEST_F(FormViewTest, EachLabelIsTheStaticControlJustBeforeItsInput) {
    load(kSmallPage);
    for (auto [id, label] :
         {std::pair{u"user", u"User"}, std::pair{u"pass", u"Password"}, std::pair{u"month", u"Month"}}) {
        HWND before = GetWindow(control(id), GW_HWNDPREV);
        ASSERT_NE(before, nullptr) << "nothing before the input";
        EXPECT_EQ(classOf(before), u"Static");
        EXPECT_EQ(ControlText(before), label);
    }
}

TEST_F(FormViewTest, TypingReportsOneEditPerChangeAndProgramValuesReportNone) {
    load(kSmallPage);
    HWND user = control(u"user");
    SendMessageW(user, EM_SETSEL, 3, 3);
    SendMessageW(user, WM_CHAR, L'd', 0);
    SendMessageW(user, WM_CHAR, L'e', 0);
    EXPECT_EQ(recorder.edits, (std::vector<Edit>{{u"user", u"User", u"abcd"}, {u"user", u"User", u"abcde"}}));
    EXPECT_EQ(element(u"user").value(), u"abcde");
    SendMessageW(user, WM_CHAR, L'\r', 0);
    SendMessageW(user, WM_CHAR, L'\t', 0);
    EXPECT_EQ(recorder.edits.size(), 2u) << "Enter and Tab type nothing";

    recorder.edits.clear();
    element(u"user").setValue(u"from the program");
    element(u"pass").setValue(u"x\"<&y");
    element(u"month").setSelectedIndex(2);
    pump();
    EXPECT_EQ(ControlText(user), u"from the program");
    EXPECT_EQ(ControlText(control(u"pass")), u"x\"<&y");
    EXPECT_EQ(ListSelection(control(u"month")), 2);
    EXPECT_TRUE(recorder.edits.empty()) << recorder.edits.front();
}

TEST_F(FormViewTest, APickInAListReportsAnEdit) {
    load(kSmallPage);
    HWND month = control(u"month");
    SetFocus(month);
    SendMessageW(month, WM_KEYDOWN, VK_DOWN, 0);
    pump();
    EXPECT_EQ(element(u"month").selectedIndex(), 1);
    EXPECT_EQ(recorder.edits, (std::vector<Edit>{{u"month", u"", u"01"}}));
}

TEST_F(FormViewTest, ARadioClickChecksItAndUnchecksTheOthers) {
    ASSERT_TRUE(view.loadResource(GetModuleHandleW(nullptr)));
    pump();
    element(u"person").setStyleDisplay(u"block");
    HWND none = control(u"empty");
    HWND man = control(u"man");
    HWND woman = control(u"woman");
    EXPECT_EQ(GetWindowLongPtrW(man, GWL_STYLE) & BS_TYPEMASK, BS_RADIOBUTTON);
    EXPECT_EQ(ControlText(man), u"Male") << "a radio is named by the text after it";
    EXPECT_EQ(ControlText(GetWindow(none, GW_HWNDPREV)), u"Sex");
    EXPECT_TRUE(ControlChecked(none));
    SendMessageW(man, BM_CLICK, 0, 0);
    pump();
    EXPECT_FALSE(ControlChecked(none));
    EXPECT_TRUE(ControlChecked(man));
    EXPECT_FALSE(ControlChecked(woman));
    EXPECT_TRUE(element(u"man").checked());
    EXPECT_FALSE(element(u"empty").checked());
    SendMessageW(woman, BM_CLICK, 0, 0);
    pump();
    EXPECT_FALSE(ControlChecked(man));
    EXPECT_TRUE(ControlChecked(woman));

    ASSERT_EQ(recorder.edits.size(), 2u) << "each click is an edit";
    EXPECT_EQ(recorder.edits[0].id, u"man");
    EXPECT_EQ(recorder.edits[1].id, u"woman");

    // The program's checks show too, and are no edits.
    element(u"woman").setChecked(false);
    element(u"empty").setChecked(true);
    EXPECT_FALSE(ControlChecked(woman));
    EXPECT_TRUE(ControlChecked(none));
    EXPECT_EQ(recorder.edits.size(), 2u);
}

TEST_F(FormViewTest, TabAndShiftTabMoveThroughTheShownInputsInDocumentOrder) {
    load(kSmallPage);
    SetFocus(control(u"user"));
    pump();
    EXPECT_EQ(view.document().activeElement(), &element(u"user"));
    auto tab = [](bool backwards) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = backwards ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        pump();
    };
    tab(false);
    EXPECT_EQ(GetFocus(), control(u"pass"));
    tab(false);
    EXPECT_EQ(GetFocus(), control(u"month"));
    tab(false);
    EXPECT_EQ(GetFocus(), control(u"last")) << "the hidden table's input is skipped";
    EXPECT_EQ(view.document().activeElement(), &element(u"last"));
    tab(false);
    EXPECT_EQ(GetFocus(), control(u"user")) << "around to the first";
    tab(true);
    EXPECT_EQ(GetFocus(), control(u"last"));
    tab(true);
    EXPECT_EQ(GetFocus(), control(u"month"));

    // The program's active element takes the focus.
    view.document().setActiveElement(&element(u"pass"));
    EXPECT_EQ(GetFocus(), control(u"pass"));
    // A click beside the controls leaves the page with no focused input.
    SendMessageW(view.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(590, 390));
    EXPECT_EQ(view.document().activeElement(), view.document().body());
    EXPECT_TRUE(recorder.edits.empty());
}

TEST_F(FormViewTest, AHiddenTableHidesItsControlsAndShowsThemWhenDisplayed) {
    load(kSmallPage);
    HWND hidden = control(u"hidden1");
    ASSERT_NE(hidden, nullptr) << "a hidden input keeps its control and id";
    EXPECT_EQ(GetDlgCtrlID(hidden), kFirstFormControlId + 3);
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_TRUE(IsWindowVisible(control(u"user")));
    const RECT lastBefore = screenRect(control(u"last"));

    element(u"more").setStyleDisplay(u"block");
    EXPECT_TRUE(IsWindowVisible(hidden));
    EXPECT_EQ(ControlText(GetWindow(hidden, GW_HWNDPREV)), u"Hidden");
    EXPECT_GT(screenRect(control(u"last")).top, lastBefore.top) << "what follows moves down";

    element(u"more").setStyleDisplay(u"none");
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_EQ(screenRect(control(u"last")).top, lastBefore.top);
}

TEST_F(FormViewTest, ChangedMarkupShowsAtOnceAndKeepsTheIdsInDocumentOrder) {
    load(kSmallPage);
    HWND user = control(u"user");
    element(u"more").setInnerHtml(
        u"<tr><td>A</td><td><input id=\"a\" value=\"1\"></td></tr><tr><td>B</td><td><input id=\"b\" "
        u"value=\"2\"></td></tr>");
    element(u"more").setStyleDisplay(u"block");
    EXPECT_EQ(control(u"user"), user) << "a control whose element stays is kept";
    EXPECT_EQ(GetDlgCtrlID(control(u"a")), kFirstFormControlId + 3);
    EXPECT_EQ(GetDlgCtrlID(control(u"b")), kFirstFormControlId + 4);
    EXPECT_EQ(GetDlgCtrlID(control(u"last")), kFirstFormControlId + 5);
    EXPECT_EQ(ControlText(control(u"b")), u"2");
    EXPECT_EQ(GetDlgItem(view.handle(), kFirstFormControlId + 6), nullptr);

    view.document().body()->insertAdjacentHtml(u"beforeEnd", u"<p>Tail <input id=\"tail\" value=\"t\"></p>");
    EXPECT_EQ(GetDlgCtrlID(control(u"tail")), kFirstFormControlId + 6);
    EXPECT_TRUE(IsWindowVisible(control(u"tail")));

    Element& body = *view.document().body();
    body.removeChild(*body.firstChild());  // the first table, with user, pass and month
    EXPECT_EQ(GetDlgCtrlID(control(u"a")), kFirstFormControlId);
    EXPECT_EQ(GetDlgItem(view.handle(), kFirstFormControlId + 4), nullptr);
    EXPECT_FALSE(IsWindowVisible(user)) << "a removed input's control is hidden (kept for reuse)";
    EXPECT_EQ(GetDlgCtrlID(user), 0) << "and carries no contracted id";
    EXPECT_TRUE(recorder.edits.empty());
}

TEST_F(FormViewTest, AHeldPaneShowsAWholeRebuildOnceAtTheEnd) {
    load(kSmallPage);
    HWND user = control(u"user");
    {
        auto hold = view.holdUpdates();
        element(u"more").setInnerHtml(u"<tr><td>A</td><td><input id=\"a\" value=\"1\"></td></tr>");
        element(u"more").setStyleDisplay(u"block");
        element(u"user").setValue(u"held");
        view.document().setActiveElement(&element(u"a"));
        EXPECT_EQ(view.document().getElementById(u"a") != nullptr ? view.controlOf(element(u"a")) : nullptr, nullptr)
            << "nothing built while held";
    }
    EXPECT_EQ(ControlText(user), u"held");
    ASSERT_NE(control(u"a"), nullptr);
    EXPECT_TRUE(IsWindowVisible(control(u"a")));
    EXPECT_EQ(GetDlgCtrlID(control(u"a")), kFirstFormControlId + 3);
    EXPECT_EQ(GetFocus(), control(u"a")) << "the active element set while held takes the focus at the end";
    EXPECT_TRUE(recorder.edits.empty());
}

TEST_F(FormViewTest, ALongPageScrollsWithTheBarsTheWheelAndTheFocus) {
    load(longPage(60));
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(view.handle(), SB_VERT, &info));
    EXPECT_GT(info.nMax + 1, static_cast<int>(info.nPage)) << "the page is taller than the pane";
    EXPECT_EQ(view.scrollPosition().y, 0);

    HWND first = control(u"f0");
    const LONG top = screenRect(first).top;
    SendMessageW(view.handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    const LONG scrolled = view.scrollPosition().y;
    EXPECT_GT(scrolled, 0);
    EXPECT_EQ(screenRect(first).top, top - scrolled) << "the controls move with the page";

    SendMessageW(control(u"f3"), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_GT(view.scrollPosition().y, scrolled) << "the wheel over an input scrolls the page";

    view.document().setActiveElement(&element(u"f59"));
    EXPECT_EQ(GetFocus(), control(u"f59"));
    RECT pane{};
    GetWindowRect(view.handle(), &pane);
    const RECT last = screenRect(control(u"f59"));
    EXPECT_LE(last.bottom, pane.bottom) << "the focused input is scrolled into view";
    EXPECT_GE(last.top, pane.top);

    SendMessageW(view.handle(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(view.scrollPosition().y, 0);
    EXPECT_EQ(screenRect(first).top, top);

    // With the pane itself focused, the page keys scroll.
    SendMessageW(view.handle(), WM_KEYDOWN, VK_END, 0);
    EXPECT_LE(screenRect(control(u"f59")).top, last.top) << "End shows the page's end, its margin too";
    EXPECT_GE(screenRect(control(u"f59")).top, pane.top);
    SendMessageW(view.handle(), WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(view.scrollPosition().y, 0);
}

// A page of many rows has controls only near the view, whatever its length;
// the rows scrolled to take over the controls of those scrolled away, each
// with its own id, value and no undo of another row's typing.
TEST_F(FormViewTest, ALongPageHasControlsOnlyForTheRowsNearTheView) {
    load(longPage(400));
    const auto children = [&] {
        int count = 0;
        for (HWND child = GetWindow(view.handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++count;
        return count;
    };
    EXPECT_LT(children(), 100);
    HWND first = control(u"f0");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetDlgCtrlID(first), kFirstFormControlId);
    EXPECT_EQ(view.controlOf(element(u"f399")), nullptr);

    // Typed into with the focus, then scrolled far away: that control stays.
    SetFocus(first);
    SendMessageW(first, WM_CHAR, L'x', 0);
    element(u"f399").setValue(u"last");
    SendMessageW(view.handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(control(u"f0"), first) << "the focused input keeps its control";
    EXPECT_EQ(GetFocus(), first);
    EXPECT_EQ(ControlText(first), u"x");
    HWND last = GetDlgItem(view.handle(), kFirstFormControlId + 399);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last, control(u"f399"));
    EXPECT_EQ(ControlText(last), u"last");
    EXPECT_TRUE(IsWindowVisible(last));
    EXPECT_EQ(ControlText(GetWindow(last, GW_HWNDPREV)), u"Field 399") << "its label just before it";
    EXPECT_EQ(SendMessageW(last, EM_CANUNDO, 0, 0), 0) << "an undo would bring back another row's text";
    EXPECT_LT(children(), 100);

    // Tab past the last row in view scrolls the next one in and focuses it.
    view.document().setActiveElement(&element(u"f200"));
    ASSERT_EQ(GetFocus(), control(u"f200"));
    for (int i = 0; i < 40; ++i) SendMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(view.document().activeElement(), &element(u"f240"));
    ASSERT_EQ(GetFocus(), control(u"f240"));
    RECT pane{};
    GetWindowRect(view.handle(), &pane);
    const RECT focused = screenRect(GetFocus());
    EXPECT_GE(focused.top, pane.top);
    EXPECT_LE(focused.bottom, pane.bottom);

    SendMessageW(view.handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA * 266), 0);
    EXPECT_EQ(view.scrollPosition().y, 0);
    EXPECT_EQ(ControlText(control(u"f0")), u"x");
    EXPECT_EQ(GetDlgCtrlID(control(u"f0")), kFirstFormControlId);
    EXPECT_EQ(recorder.edits, (std::vector<Edit>{{u"f0", u"", u"x"}}));
}

TEST_F(FormViewTest, ASmallPageHasNoScrollBars) {
    load(kSmallPage);
    const LONG_PTR style = GetWindowLongPtrW(view.handle(), GWL_STYLE);
    EXPECT_EQ(style & WS_VSCROLL, 0);
    EXPECT_EQ(style & WS_HSCROLL, 0);
}

TEST_F(FormViewTest, DocumentCompleteIsReportedOnceFromTheMessageQueue) {
    int completions = 0;
    view.onDocumentComplete([&] { ++completions; });
    view.loadText(kSmallPage);
    EXPECT_EQ(completions, 0) << "not from inside the loading call";
    // A loaded Wine may hand out the posted message a moment after the first
    // empty look at the queue.
    wine::WaitUntil([&] { return completions != 0; }, 2000);
    EXPECT_EQ(completions, 1);
    view.loadText(kSmallPage);
    pump();
    Sleep(50);
    pump();
    EXPECT_EQ(completions, 1);
}

TEST_F(FormViewTest, BothFormPagesLoadFromTheProgramsResources) {
    ASSERT_TRUE(view.loadResource(GetModuleHandleW(nullptr)));
    EXPECT_EQ(view.document().title(), u"Tarnwick");
    EXPECT_NE(view.document().getElementById(u"replace_custom"), nullptr);
    EXPECT_NE(control(u"firstname"), nullptr);
    EXPECT_FALSE(IsWindowVisible(control(u"firstname"))) << "the person table starts hidden";
    element(u"person").setStyleDisplay(u"block");
    EXPECT_TRUE(IsWindowVisible(control(u"firstname")));
    EXPECT_EQ(ControlText(GetWindow(control(u"firstname"), GW_HWNDPREV)), u"First Name");

    ASSERT_TRUE(view.loadResource(GetModuleHandleW(nullptr), kPassCardPageResource));
    EXPECT_EQ(view.document().title(), u"Tarnwick");
    EXPECT_TRUE(view.document().formControls().empty());
    EXPECT_FALSE(view.loadResource(GetModuleHandleW(nullptr), 4321));
}

TEST_F(FormViewTest, ThePassCardTableShowsItsInputsStarredOrNot) {
    ASSERT_TRUE(view.loadResource(GetModuleHandleW(nullptr), kPassCardPageResource));
    view.document().body()->insertAdjacentHtml(
        u"beforeEnd",
        u"<table><tr><td align=\"right\">User&nbsp;</td><td align=\"left\"><input name =\"User\" type=\"text\" "
        u"value=\"abc\" onpropertychange=\"onChange()\"></td><tr><td align=\"right\">Password&nbsp;</td>"
        u"<td align=\"left\"><input name =\"Password\" type=\"password\" value=\"p&amp;w\" "
        u"onpropertychange=\"onChange()\"></td></table>");
    HWND user = GetDlgItem(view.handle(), kFirstFormControlId);
    HWND password = GetDlgItem(view.handle(), kFirstFormControlId + 1);
    ASSERT_NE(password, nullptr);
    EXPECT_EQ(ControlText(user), u"abc");
    EXPECT_EQ(ControlText(password), u"p&w");
    EXPECT_NE(GetWindowLongPtrW(password, GWL_STYLE) & ES_PASSWORD, 0);
    EXPECT_TRUE(IsWindowVisible(password));
    EXPECT_EQ(ControlText(GetWindow(password, GW_HWNDPREV)), u"Password\u00A0");
    SendMessageW(password, EM_SETSEL, 3, 3);
    SendMessageW(password, WM_CHAR, L'!', 0);
    EXPECT_EQ(recorder.edits, (std::vector<Edit>{{u"", u"Password", u"p&w!"}}));
}

}  // namespace
}  // namespace tarnwick

// The child windows of a form: creating one per control and keeping it in step with
// the model.
#include <windows.h>

#include <set>
#include <commctrl.h>

#include "platform/win32/wide.h"
#include "ui/win32/form_view.h"
#include "ui/win32/web_panel.h"

namespace ui::win32 {
namespace {

using platform::win32::wide;

// One star per typed character in every password box.
constexpr WPARAM kPasswordChar = L'*';

struct ClassAndStyle {
    const wchar_t* cls;
    DWORD style;
    DWORD exStyle;
};

DWORD textBoxStyle(const TextBox& box) {
    DWORD style = WS_TABSTOP;
    if (box.multiLine()) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
    } else {
        style |= ES_AUTOHSCROLL;
    }
    if (box.password()) style |= ES_PASSWORD;
    if (box.readOnly()) style |= ES_READONLY;
    return style;
}

// A static control without SS_NOTIFY answers the hit test as transparent, so the mouse
// reaches the form beneath it.
DWORD labelStyle(const Label& label) {
    DWORD style = SS_NOPREFIX | (label.centered() ? SS_CENTER : SS_LEFT);
    return label.clickThrough() ? style : style | SS_NOTIFY;
}

ClassAndStyle classFor(const Control& c) {
    switch (c.kind()) {
        case ControlKind::Button:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::PictureButton:
            return {L"BUTTON", BS_OWNERDRAW | WS_TABSTOP, 0};
        case ControlKind::CheckBox:
            return {L"BUTTON", BS_CHECKBOX | WS_TABSTOP, 0};
        case ControlKind::Frame:
            return {L"BUTTON", BS_GROUPBOX, 0};
        case ControlKind::TextBox:
            return {L"EDIT", textBoxStyle(static_cast<const TextBox&>(c)), WS_EX_CLIENTEDGE};
        case ControlKind::ListBox:
            return {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case ControlKind::ListView:
            return {WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case ControlKind::Label:
            return {L"STATIC", labelStyle(static_cast<const Label&>(c)), 0};
        case ControlKind::TabStrip:
            return {WC_TABCONTROLW, WS_TABSTOP, 0};
        default:
            return {nullptr, 0, 0};
    }
}

// Enabled all the way up to the form: a disabled frame disables what it holds.
bool enabledInForm(const Control& c) {
    for (const Control* p = &c; p && p->kind() != ControlKind::Form; p = p->parent()) {
        if (!p->enabled()) return false;
    }
    return true;
}

// Whether the user could see it if the form were shown.
bool shownInForm(const Control& c) {
    for (const Control* p = &c; p && p->kind() != ControlKind::Form; p = p->parent()) {
        if (!p->visible()) return false;
    }
    return true;
}

template <class F>
void forSelfAndDescendants(Control& c, F&& f) {
    f(c);
    for (Control* child : c.children())
        forSelfAndDescendants(*child, f);
}

// Text drawn over the form's background leaves its old pixels behind unless the form
// repaints what lies under it first.
bool seeThrough(const FormView& view, const Control& c) {
    if (c.kind() == ControlKind::Label) return static_cast<const Label&>(c).transparent();
    return view.painter && (c.kind() == ControlKind::CheckBox || c.kind() == ControlKind::Frame);
}

void repaintUnder(FormView& view, HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, view.hwnd, reinterpret_cast<POINT*>(&r), 2);
    RedrawWindow(view.hwnd, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

int twipsWidth(int twips) {
    return twipsToPixels(twips);
}

void updateToolTip(FormView& view, const Control& c, HWND hwnd) {
    if (!view.tooltip) return;
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = view.hwnd;
    info.uId = reinterpret_cast<UINT_PTR>(hwnd);
    SendMessageW(view.tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    if (c.toolTip().empty()) return;
    std::wstring tip = wide(c.toolTip());
    info.lpszText = tip.data();
    SendMessageW(view.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void setText(FormView& view, const Control& c, HWND hwnd) {
    if (c.kind() == ControlKind::ListBox || c.kind() == ControlKind::ListView ||
        c.kind() == ControlKind::TabStrip) {
        return;
    }
    std::wstring text = wide(c.text());
    if (windowText(hwnd) == text) return;  // the user typed it; keep the caret where it is
    SetWindowTextW(hwnd, text.c_str());
    if (seeThrough(view, c)) repaintUnder(view, hwnd);
}

// Rows usually arrive in bursts (a whole window list at once). Redrawing the list for
// every row costs far more than the rows themselves, so the first row of a burst stops
// the drawing and the form draws the list once when the burst is over and the message
// loop runs again.
std::set<HWND>& listsOnHold() {
    static std::set<HWND> lists;
    return lists;
}

void holdRedraw(HWND list) {
    if (!listsOnHold().insert(list).second) return;
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    PostMessageW(GetParent(list), kResumeRedrawMessage, 0, reinterpret_cast<LPARAM>(list));
}

}  // namespace

void resumeRedraw(HWND list) {
    if (listsOnHold().erase(list) == 0 || !IsWindow(list)) return;
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

namespace {

void insertListRow(HWND hwnd, int index, const std::string& row) {
    holdRedraw(hwnd);
    SendMessageW(hwnd, LB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(wide(row).c_str()));
}

void listBoxChange(const ListBox& box, HWND hwnd, Change change, int index) {
    switch (change) {
        case Change::ItemAdded:
            insertListRow(hwnd, index, box.list(index));
            break;
        case Change::ItemRemoved:
            SendMessageW(hwnd, LB_DELETESTRING, index, 0);
            break;
        case Change::ItemsCleared:
            SendMessageW(hwnd, LB_RESETCONTENT, 0, 0);
            break;
        case Change::ItemChanged: {
            LRESULT top = SendMessageW(hwnd, LB_GETTOPINDEX, 0, 0);
            SendMessageW(hwnd, LB_DELETESTRING, index, 0);
            insertListRow(hwnd, index, box.list(index));
            if (box.listIndex() == index) SendMessageW(hwnd, LB_SETCURSEL, index, 0);
            SendMessageW(hwnd, LB_SETTOPINDEX, top, 0);
            break;
        }
        case Change::ListIndex:
            if (SendMessageW(hwnd, LB_GETCURSEL, 0, 0) != box.listIndex()) {
                SendMessageW(hwnd, LB_SETCURSEL, static_cast<WPARAM>(box.listIndex()), 0);
            }
            break;
        default:
            break;
    }
}

void fillListBox(const ListBox& box, HWND hwnd) {
    for (int i = 0; i < box.listCount(); ++i)
        insertListRow(hwnd, i, box.list(i));
    SendMessageW(hwnd, LB_SETCURSEL, static_cast<WPARAM>(box.listIndex()), 0);
}

void setListViewColumns(const ListView& lv, HWND hwnd) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(hwnd, LVM_GETHEADER, 0, 0));
    int count = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = count - 1; i >= 0; --i)
        SendMessageW(hwnd, LVM_DELETECOLUMN, i, 0);
    int i = 0;
    for (const ListViewColumn& col : lv.columns()) {
        std::wstring title = wide(col.title);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = title.data();
        column.cx = twipsWidth(col.widthTwips);
        column.iSubItem = i;
        SendMessageW(hwnd, LVM_INSERTCOLUMNW, i++, reinterpret_cast<LPARAM>(&column));
    }
}

void insertListViewItem(HWND hwnd, int index, const ListViewItem& item) {
    holdRedraw(hwnd);
    std::wstring text = wide(item.text);
    LVITEMW row{};
    row.mask = LVIF_TEXT;
    row.iItem = index;
    row.pszText = text.data();
    int at =
        static_cast<int>(SendMessageW(hwnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row)));
    for (size_t s = 0; s < item.subItems.size(); ++s) {
        std::wstring sub = wide(item.subItems[s]);
        LVITEMW cell{};
        cell.iSubItem = static_cast<int>(s + 1);
        cell.pszText = sub.data();
        SendMessageW(hwnd, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&cell));
    }
}

void selectListViewRow(const ListView& lv, HWND hwnd) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    int index = lv.selectedIndex();
    if (index < 0) return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(hwnd, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&state));
    SendMessageW(hwnd, LVM_ENSUREVISIBLE, index, FALSE);
}

void listViewChange(const ListView& lv, HWND hwnd, Change change, int index) {
    switch (change) {
        case Change::Columns:
            setListViewColumns(lv, hwnd);
            break;
        case Change::ItemAdded:
            insertListViewItem(hwnd, index, lv.items()[index]);
            break;
        case Change::ItemRemoved:
            SendMessageW(hwnd, LVM_DELETEITEM, index, 0);
            break;
        case Change::ItemsCleared:
            SendMessageW(hwnd, LVM_DELETEALLITEMS, 0, 0);
            break;
        case Change::ListIndex:
            selectListViewRow(lv, hwnd);
            break;
        default:
            break;
    }
}

void fillListView(const ListView& lv, HWND hwnd) {
    SendMessageW(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    setListViewColumns(lv, hwnd);
    for (size_t i = 0; i < lv.items().size(); ++i)
        insertListViewItem(hwnd, static_cast<int>(i), lv.items()[i]);
    selectListViewRow(lv, hwnd);
}

void insertTab(HWND hwnd, int index, const Tab& tab) {
    std::wstring caption = wide(tab.caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(hwnd, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
}

void tabStripChange(const TabStrip& strip, HWND hwnd, Change change, int index) {
    if (change == Change::ItemAdded) insertTab(hwnd, index, strip.tabs()[index]);
    if (change == Change::ItemAdded || change == Change::ListIndex) {
        SendMessageW(hwnd, TCM_SETCURSEL, static_cast<WPARAM>(strip.selectedIndex()), 0);
    }
}

void fillTabStrip(const TabStrip& strip, HWND hwnd) {
    for (size_t i = 0; i < strip.tabs().size(); ++i)
        insertTab(hwnd, static_cast<int>(i), strip.tabs()[i]);
    SendMessageW(hwnd, TCM_SETCURSEL, static_cast<WPARAM>(strip.selectedIndex()), 0);
}

void fillContents(const Control& c, HWND hwnd) {
    switch (c.kind()) {
        case ControlKind::CheckBox:
            SendMessageW(hwnd, BM_SETCHECK,
                         static_cast<const CheckBox&>(c).value() ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case ControlKind::ListBox:
            fillListBox(static_cast<const ListBox&>(c), hwnd);
            break;
        case ControlKind::ListView:
            fillListView(static_cast<const ListView&>(c), hwnd);
            break;
        case ControlKind::TabStrip:
            fillTabStrip(static_cast<const TabStrip&>(c), hwnd);
            break;
        default:
            break;
    }
}

int childId(const Control& c, int ordinal) {
    // Controls without an identifier of their own still need one that no other has.
    return c.id() > 0 ? c.id() : 0x7000 + ordinal;
}

// The news panel hosts the system's browser, or shows a notice where there is none.
HWND createWebBrowser(FormView& view, Control& c, int ordinal) {
    DWORD style = WS_CLIPSIBLINGS;
    if (shownInForm(c)) style |= WS_VISIBLE;
    if (!enabledInForm(c)) style |= WS_DISABLED;
    int left = twipsToPixels(c.formLeft()), top = twipsToPixels(c.formTop());
    RECT place{left, top, left + twipsToPixels(c.width()), top + twipsToPixels(c.height())};
    HWND hwnd =
        createWebPanel(view.hwnd, childId(c, ordinal), place, style, view.fonts->font(false));
    if (!hwnd) return nullptr;
    view.windows[&c] = hwnd;
    view.controls[hwnd] = &c;
    // Before the form's first show only an address already given prepares the panel;
    // the rest are prepared once the form is on screen (see prepareWebPanels).
    const std::string& url = static_cast<WebBrowser&>(c).locationURL();
    if (!url.empty() || view.firstShown) navigateWebPanel(hwnd, wide(url));
    return hwnd;
}

HWND createControl(FormView& view, Control& c, int ordinal) {
    if (c.kind() == ControlKind::WebBrowser) return createWebBrowser(view, c, ordinal);
    ClassAndStyle cs = classFor(c);
    if (!cs.cls) return nullptr;
    DWORD style = cs.style | WS_CHILD | WS_CLIPSIBLINGS;
    if (shownInForm(c)) style |= WS_VISIBLE;
    if (!enabledInForm(c)) style |= WS_DISABLED;
    bool listLike = c.kind() == ControlKind::ListBox || c.kind() == ControlKind::ListView ||
                    c.kind() == ControlKind::TabStrip;
    std::wstring text = listLike ? std::wstring() : wide(c.text());
    HWND hwnd = CreateWindowExW(cs.exStyle, cs.cls, text.c_str(), style,
                                twipsToPixels(c.formLeft()), twipsToPixels(c.formTop()),
                                twipsToPixels(c.width()), twipsToPixels(c.height()), view.hwnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId(c, ordinal))),
                                GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) return nullptr;
    view.windows[&c] = hwnd;
    view.controls[hwnd] = &c;
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(view.fonts->font(c.bold())), FALSE);
    if (c.kind() == ControlKind::TextBox) {
        const auto& box = static_cast<TextBox&>(c);
        if (box.password()) SendMessageW(hwnd, EM_SETPASSWORDCHAR, kPasswordChar, 0);
        SendMessageW(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(box.maxLength()), 0);
    }
    fillContents(c, hwnd);
    subclassControl(view, hwnd, c);
    updateToolTip(view, c, hwnd);
    return hwnd;
}

// Frames and tab strips lie beneath everything else, outer ones lowest, so that what
// they hold is drawn over them and gets the mouse.
void stackContainersBelow(FormView& view) {
    const auto& all = view.form->allControls();
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        Control* c = *it;
        if (c->kind() != ControlKind::Frame && c->kind() != ControlKind::TabStrip) continue;
        if (HWND hwnd = view.windowOf(*c)) {
            SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

HWND createToolTip(const FormView& view) {
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, view.hwnd, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (tip)
        SendMessageW(tip, WM_SETFONT, reinterpret_cast<WPARAM>(view.fonts->font(false)), FALSE);
    return tip;
}

// In the order the controls were made, parents before what they hold; the frames then go
// back beneath everything again.
template <class Pick>
void createDeferredWhere(FormView& view, std::size_t limit, Pick&& pick) {
    if (view.deferred.empty()) return;
    const auto& all = view.form->allControls();
    std::size_t made = 0;
    for (std::size_t i = 0; i < all.size() && made < limit; ++i) {
        Control* c = all[i];
        if (!view.deferred.count(c) || !pick(*c)) continue;
        view.deferred.erase(c);
        createControl(view, *c, static_cast<int>(i) + 1);
        ++made;
    }
    if (made) stackContainersBelow(view);
}

bool holds(const Control& outer, const Control& c) {
    for (const Control* p = c.parent(); p; p = p->parent()) {
        if (p == &outer) return true;
    }
    return false;
}

// A control the user is about to see gets its window, and so does everything in it that
// can now be seen.
void createShownContents(FormView& view, const Control& shown) {
    if (!shown.visible()) return;
    createDeferredWhere(view, view.deferred.size(), [&](const Control& c) {
        return (&c == &shown || holds(shown, c)) && shownInForm(c);
    });
}

// A text box's kind of edit control cannot be switched after creation.
void recreate(FormView& view, Control& c) {
    HWND old = view.windowOf(c);
    if (!old) return;
    int id = GetDlgCtrlID(old);
    HWND after = GetWindow(old, GW_HWNDPREV);
    view.controls.erase(old);
    view.windows.erase(&c);
    DestroyWindow(old);
    HWND hwnd = createControl(view, c, id - 0x7000);
    if (hwnd)
        SetWindowPos(hwnd, after ? after : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void applyStyle(FormView& view, Control& c, HWND hwnd) {
    if (c.kind() == ControlKind::TextBox) {
        auto& box = static_cast<TextBox&>(c);
        bool multi = (GetWindowLongW(hwnd, GWL_STYLE) & ES_MULTILINE) != 0;
        if (multi != box.multiLine()) return recreate(view, c);
        SendMessageW(hwnd, EM_SETPASSWORDCHAR, box.password() ? kPasswordChar : 0, 0);
        SendMessageW(hwnd, EM_SETREADONLY, box.readOnly(), 0);
        SendMessageW(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(box.maxLength()), 0);
        InvalidateRect(hwnd, nullptr, TRUE);
    } else if (c.kind() == ControlKind::PictureButton) {
        InvalidateRect(hwnd, nullptr, TRUE);
    } else if (c.kind() == ControlKind::Label) {
        LONG style = GetWindowLongW(hwnd, GWL_STYLE) & ~(SS_TYPEMASK | SS_NOTIFY | SS_NOPREFIX);
        style |= static_cast<LONG>(labelStyle(static_cast<Label&>(c)));
        SetWindowLongW(hwnd, GWL_STYLE, style);
        repaintUnder(view, hwnd);
    }
}

RECT rectOnForm(const FormView& view, HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, view.hwnd, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A frame moves with everything in it; the form then repaints where it was and where it
// is, all in one go, or the pieces are drawn against stale neighbours.
void moveWithContents(FormView& view, Control& c, HWND hwnd) {
    RECT before = rectOnForm(view, hwnd);
    forSelfAndDescendants(c, [&](Control& d) { placeControl(view, d); });
    RECT after = rectOnForm(view, hwnd), both{};
    UnionRect(&both, &before, &after);
    RedrawWindow(view.hwnd, &both, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace

void placeControl(FormView& view, const Control& c) {
    HWND hwnd = view.windowOf(c);
    if (!hwnd) return;
    SetWindowPos(hwnd, nullptr, twipsToPixels(c.formLeft()), twipsToPixels(c.formTop()),
                 twipsToPixels(c.width()), twipsToPixels(c.height()),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Most of a form's controls sit on pages nobody has opened yet, or are hidden until
// something happens; making their windows before the form is shown would only keep the
// user waiting for it. (The form itself does not count as hidden: it is, while it loads.)
void createControls(FormView& view) {
    view.tooltip = createToolTip(view);
    int ordinal = 0;
    for (Control* c : view.form->allControls()) {
        ++ordinal;
        if (c->kind() == ControlKind::Timer) {
            bool taken = c->id() <= 0 || view.timers.count(static_cast<UINT_PTR>(c->id()));
            UINT_PTR id = taken ? 0x7000 + ordinal : static_cast<UINT_PTR>(c->id());
            view.timers[id] = static_cast<Timer*>(c);
            rearmTimer(view, *static_cast<Timer*>(c));
        } else if (!shownInForm(*c)) {
            view.deferred.insert(c);
        } else {
            createControl(view, *c, ordinal);
        }
    }
    stackContainersBelow(view);
}

bool createDeferredControls(FormView& view, std::size_t limit) {
    Applying applying(view);
    createDeferredWhere(view, limit, [](const Control&) { return true; });
    return !view.deferred.empty();
}

void prepareWebPanels(FormView& view) {
    view.firstShown = true;
    for (const auto& [control, hwnd] : view.windows) {
        if (control->kind() == ControlKind::WebBrowser) prepareWebPanel(hwnd);
    }
}

void forgetControl(FormView& view, const Control& control) {
    view.deferred.erase(&control);
}

void applyControlChange(FormView& view, Control& c, Change change, int index) {
    Applying applying(view);
    if (c.kind() == ControlKind::Timer) {
        if (change == Change::Timer || change == Change::Enabled)
            rearmTimer(view, static_cast<Timer&>(c));
        return;
    }
    if (change == Change::Visible) createShownContents(view, c);
    HWND hwnd = view.windowOf(c);
    if (!hwnd) return;
    switch (change) {
        case Change::Text:
            setText(view, c, hwnd);
            break;
        case Change::Visible:
            forSelfAndDescendants(c, [&](Control& d) {
                if (HWND h = view.windowOf(d)) ShowWindow(h, shownInForm(d) ? SW_SHOWNA : SW_HIDE);
            });
            break;
        case Change::Enabled:
            forSelfAndDescendants(c, [&](Control& d) {
                if (HWND h = view.windowOf(d)) EnableWindow(h, enabledInForm(d));
            });
            break;
        case Change::Geometry:
            moveWithContents(view, c, hwnd);
            break;
        case Change::ToolTip:
            updateToolTip(view, c, hwnd);
            break;
        case Change::Font:
            SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(view.fonts->font(c.bold())),
                         TRUE);
            break;
        case Change::Value:
            if (c.kind() == ControlKind::WebBrowser) {
                navigateWebPanel(hwnd, wide(static_cast<WebBrowser&>(c).locationURL()));
                break;
            }
            SendMessageW(hwnd, BM_SETCHECK,
                         static_cast<CheckBox&>(c).value() ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case Change::Style:
            applyStyle(view, c, hwnd);
            break;
        case Change::Focus:
            if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) SetFocus(hwnd);
            break;
        default:
            if (c.kind() == ControlKind::ListBox)
                listBoxChange(static_cast<ListBox&>(c), hwnd, change, index);
            if (c.kind() == ControlKind::ListView)
                listViewChange(static_cast<ListView&>(c), hwnd, change, index);
            if (c.kind() == ControlKind::TabStrip)
                tabStripChange(static_cast<TabStrip&>(c), hwnd, change, index);
            break;
    }
}

}  // namespace ui::win32

// What the user does to the child windows, turned into the model's events. Every path
// returns as soon as the event has run: a handler may unload the form, which destroys
// these windows and the view.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "platform/win32/wide.h"
#include "ui/win32/form_view.h"

namespace ui::win32 {
namespace {

FormView* viewOfChild(HWND child) {
    return reinterpret_cast<FormView*>(GetWindowLongPtrW(GetParent(child), GWLP_USERDATA));
}

LRESULT buttonCommand(Control& c, int code) {
    bool click =
        code == BN_CLICKED || (c.kind() == ControlKind::PictureButton && code == BN_DOUBLECLICKED);
    if (click) guarded([&] { c.raiseClick(); });
    return 0;
}

LRESULT editCommand(FormView& view, Control& c, HWND hwnd, int code) {
    if (code != EN_CHANGE || view.applying) return 0;
    std::string text = platform::win32::narrow(windowText(hwnd));
    guarded([&] { c.userSetText(text); });
    return 0;
}

LRESULT listBoxCommand(FormView& view, Control& c, HWND hwnd, int code) {
    if (view.applying) return 0;
    if (code == LBN_SELCHANGE) {
        int index = static_cast<int>(SendMessageW(hwnd, LB_GETCURSEL, 0, 0));
        guarded([&] { static_cast<ListBox&>(c).setListIndex(index < 0 ? -1 : index); });
    } else if (code == LBN_DBLCLK) {
        guarded([&] { c.raiseDblClick(); });
    }
    return 0;
}

LRESULT labelCommand(Control& c, int code) {
    if (code == STN_CLICKED) guarded([&] { c.raiseClick(); });
    if (code == STN_DBLCLK) guarded([&] { c.raiseDblClick(); });
    return 0;
}

LRESULT listViewNotify(FormView& view, ListView& lv, const NMHDR& header) {
    if (header.code == NM_DBLCLK) {
        guarded([&] { lv.raiseDblClick(); });
        return 0;
    }
    if (header.code != LVN_ITEMCHANGED || view.applying) return 0;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!(change.uChanged & LVIF_STATE) || !((change.uNewState ^ change.uOldState) & LVIS_SELECTED))
        return 0;
    if (change.uNewState & LVIS_SELECTED) {
        guarded([&] { lv.setSelectedIndex(change.iItem); });
    } else {
        // Losing the selection is only final once no other row has taken it.
        PostMessageW(view.hwnd, kSyncListViewMessage, 0, reinterpret_cast<LPARAM>(header.hwndFrom));
    }
    return 0;
}

void raiseMouse(Control& c, MouseButton button, WPARAM wp, LPARAM lp) {
    int shift = ((wp & MK_SHIFT) ? kShiftMask : 0) | ((wp & MK_CONTROL) ? kCtrlMask : 0) |
                (GetKeyState(VK_MENU) < 0 ? kAltMask : 0);
    int x = pixelsToTwips(GET_X_LPARAM(lp)), y = pixelsToTwips(GET_Y_LPARAM(lp));
    guarded([&] { c.raiseMouseDown(button, shift, x, y); });
}

void trackHover(FormView& view, HWND hwnd) {
    if (view.hotButton == hwnd) return;
    if (view.hotButton) InvalidateRect(view.hotButton, nullptr, FALSE);
    view.hotButton = hwnd;
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
    TrackMouseEvent(&track);
    InvalidateRect(hwnd, nullptr, FALSE);
}

// Returns true when the message was swallowed by a handler.
bool keyMessage(Control& c, UINT msg, WPARAM& wp) {
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
        int key = static_cast<int>(wp);
        int shift = shiftState();
        guarded([&] { c.raiseKeyDown(key, shift); });
        if (key == 0) return true;
        wp = static_cast<WPARAM>(key);
    } else if (msg == WM_CHAR && c.kind() == ControlKind::TextBox) {
        int ascii = static_cast<int>(wp);
        guarded([&] { c.raiseKeyPress(ascii); });
        if (ascii == 0) return true;
        wp = static_cast<WPARAM>(ascii);
    }
    return false;
}

LRESULT CALLBACK controlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                             DWORD_PTR ref) noexcept {
    auto& c = *reinterpret_cast<Control*>(ref);
    FormView* view = viewOfChild(hwnd);
    if (msg == WM_NCDESTROY || !view || !view->hwnd) {
        if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, controlProc, 0);
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    LRESULT result = 0;
    switch (msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_CHAR:
            if (keyMessage(c, msg, wp)) return 0;
            break;
        case WM_GETDLGCODE: {
            // The dialog navigation of the message loop takes Enter for a default button;
            // a box that confirms with Enter gets it instead.
            result = DefSubclassProc(hwnd, msg, wp, lp);
            const auto* key = reinterpret_cast<const MSG*>(lp);
            if (c.kind() == ControlKind::TextBox && static_cast<TextBox&>(c).takesEnter() && key &&
                (key->message == WM_KEYDOWN || key->message == WM_CHAR) &&
                key->wParam == VK_RETURN) {
                result |= DLGC_WANTMESSAGE;
            }
            return result;
        }
        case WM_SETFOCUS: {
            result = DefSubclassProc(hwnd, msg, wp, lp);
            // Only activated() hands the focus back to a control: under Wine, as on Windows,
            // the system gives a re-activated window the focus on the window itself. Focus
            // from nowhere is no sign either: a click right after OK (the focused button
            // disabled, the keyboard nowhere) is the user's.
            FocusCause cause = view->restoringFocus ? FocusCause::Restored : FocusCause::User;
            guarded([&] { c.raiseGotFocus(cause); });
            return result;
        }
        case WM_KILLFOCUS: {
            result = DefSubclassProc(hwnd, msg, wp, lp);
            Control* next = view->controlOf(reinterpret_cast<HWND>(wp));
            guarded([&] { c.raiseLostFocus(next); });
            return result;
        }
        case WM_LBUTTONDOWN:
            raiseMouse(c, MouseButton::Left, wp, lp);
            break;
        case WM_RBUTTONDOWN:
            raiseMouse(c, MouseButton::Right, wp, lp);
            break;
        case WM_MBUTTONDOWN:
            raiseMouse(c, MouseButton::Middle, wp, lp);
            break;
        case WM_MOUSEMOVE:
            if (c.kind() == ControlKind::PictureButton) trackHover(*view, hwnd);
            break;
        case WM_MOUSELEAVE:
            if (view->hotButton == hwnd) {
                view->hotButton = nullptr;
                InvalidateRect(hwnd, nullptr, FALSE);
            }
            break;
        default:
            break;
    }
    if (!IsWindow(hwnd)) return 0;  // a handler unloaded the form
    return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace

std::wstring windowText(HWND hwnd) {
    int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int got = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

int shiftState() {
    return (GetKeyState(VK_SHIFT) < 0 ? kShiftMask : 0) |
           (GetKeyState(VK_CONTROL) < 0 ? kCtrlMask : 0) |
           (GetKeyState(VK_MENU) < 0 ? kAltMask : 0);
}

void subclassControl(FormView&, HWND hwnd, Control& control) {
    SetWindowSubclass(hwnd, controlProc, 0, reinterpret_cast<DWORD_PTR>(&control));
}

LRESULT handleCommand(FormView& view, HWND child, int code) {
    Control* c = view.controlOf(child);
    if (!c) return 0;
    switch (c->kind()) {
        case ControlKind::Button:
        case ControlKind::PictureButton:
        case ControlKind::CheckBox:
            return view.applying ? 0 : buttonCommand(*c, code);
        case ControlKind::TextBox:
            return editCommand(view, *c, child, code);
        case ControlKind::ListBox:
            return listBoxCommand(view, *c, child, code);
        case ControlKind::Label:
            return labelCommand(*c, code);
        default:
            return 0;
    }
}

LRESULT handleNotify(FormView& view, const NMHDR& header) {
    Control* c = view.controlOf(header.hwndFrom);
    if (!c) return 0;
    if (c->kind() == ControlKind::ListView)
        return listViewNotify(view, static_cast<ListView&>(*c), header);
    if (c->kind() == ControlKind::TabStrip && header.code == TCN_SELCHANGE && !view.applying) {
        int index = static_cast<int>(SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0));
        guarded([&] { static_cast<TabStrip&>(*c).select(index); });
    }
    return 0;
}

void syncListViewSelection(FormView& view, HWND listView) {
    Control* c = view.controlOf(listView);
    if (!c || c->kind() != ControlKind::ListView) return;
    int index = static_cast<int>(
        SendMessageW(listView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    auto& lv = static_cast<ListView&>(*c);
    if (lv.selectedIndex() != index) guarded([&] { lv.setSelectedIndex(index); });
}

LRESULT colorStatic(FormView& view, HDC dc, HWND child) {
    Control* c = view.controlOf(child);
    bool seeThrough = false;
    if (c && c->kind() == ControlKind::Label) {
        const auto& label = static_cast<const Label&>(*c);
        if (label.foreColor() >= 0) SetTextColor(dc, static_cast<COLORREF>(label.foreColor()));
        seeThrough = label.transparent();
    } else if (c && (c->kind() == ControlKind::CheckBox || c->kind() == ControlKind::Frame)) {
        seeThrough = static_cast<bool>(view.painter);
    }
    if (seeThrough) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace ui::win32

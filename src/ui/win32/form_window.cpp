// The top-level window of a form: its frame, placement, state and timers, and the
// messages that arrive at it.
#include <windows.h>
#include <windowsx.h>

#include <cstdint>

#include "platform/win32/wide.h"
#include "ui/win32/form_view.h"

namespace ui::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"VeilorForm";
// About a dozen milliseconds of window making under Wine.
constexpr std::size_t kDeferredBatch = 12;

LRESULT CALLBACK formProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;

void registerFormClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kFormClass, &wc)) return;
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = formProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = kFormClass;
    RegisterClassExW(&wc);
}

struct Styles {
    DWORD style;
    DWORD exStyle;
};

Styles stylesFor(const Form& form) {
    const FormStyle& s = form.style();
    DWORD style = WS_CLIPSIBLINGS;
    DWORD ex = 0;
    bool caption = s.border != FormBorder::None && (s.controlBox || !form.text().empty());
    switch (s.border) {
        case FormBorder::None:
            break;
        case FormBorder::FixedSingle:
            style |= WS_BORDER;
            break;
        case FormBorder::Sizable:
            style |= WS_THICKFRAME;
            break;
        case FormBorder::FixedDialog:
            style |= WS_DLGFRAME;
            ex |= WS_EX_DLGMODALFRAME;
            break;
        case FormBorder::FixedToolWindow:
            style |= WS_BORDER;
            ex |= WS_EX_TOOLWINDOW;
            break;
    }
    style |= caption ? (WS_OVERLAPPED | WS_CAPTION) : WS_POPUP;
    if (caption && s.controlBox) style |= WS_SYSMENU;
    if (s.minButton) style |= WS_MINIMIZEBOX;
    if (s.maxButton) style |= WS_MAXIMIZEBOX;
    if (s.topMost) ex |= WS_EX_TOPMOST;
    if (s.opacity < 255) ex |= WS_EX_LAYERED;
    ex |= s.showInTaskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
    return {style, ex};
}

// The outer rectangle for the form's client size and position; a form that never said
// where it goes opens in the middle of the work area.
RECT outerRect(const Form& form, const Styles& styles) {
    RECT r{0, 0, twipsToPixels(form.width()), twipsToPixels(form.height())};
    AdjustWindowRectEx(&r, styles.style, FALSE, styles.exStyle);
    int w = r.right - r.left, h = r.bottom - r.top;
    int x = twipsToPixels(form.left()), y = twipsToPixels(form.top());
    if (form.left() == 0 && form.top() == 0 && !form.style().ownPosition) {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        x = work.left + ((work.right - work.left) - w) / 2;
        y = work.top + ((work.bottom - work.top) - h) / 2;
    }
    return {x, y, x + w, y + h};
}

// The user (or the system) moved or sized the window: the model learns where it is.
void syncGeometryToModel(FormView& view) {
    if (view.applying || IsIconic(view.hwnd) || IsZoomed(view.hwnd)) return;
    RECT outer{}, client{};
    GetWindowRect(view.hwnd, &outer);
    GetClientRect(view.hwnd, &client);
    Applying applying(view);
    view.form->setBounds(pixelsToTwips(outer.left), pixelsToTwips(outer.top),
                         pixelsToTwips(client.right), pixelsToTwips(client.bottom));
}

void applyState(FormView& view) {
    if (!view.form->visible()) return;  // applied when the form is shown
    switch (view.form->windowState()) {
        case WindowState::Minimized:
            ShowWindow(view.hwnd, SW_MINIMIZE);
            break;
        case WindowState::Maximized:
            ShowWindow(view.hwnd, SW_MAXIMIZE);
            break;
        case WindowState::Normal:
            if (IsIconic(view.hwnd) || IsZoomed(view.hwnd)) ShowWindow(view.hwnd, SW_RESTORE);
            break;
    }
}

void applyVisible(FormView& view) {
    if (!view.form->visible()) {
        ShowWindow(view.hwnd, SW_HIDE);
        return;
    }
    switch (view.form->windowState()) {
        case WindowState::Minimized:
            ShowWindow(view.hwnd, SW_SHOWMINIMIZED);
            break;
        case WindowState::Maximized:
            ShowWindow(view.hwnd, SW_SHOWMAXIMIZED);
            break;
        case WindowState::Normal:
            ShowWindow(view.hwnd,
                       IsIconic(view.hwnd) || IsZoomed(view.hwnd) ? SW_RESTORE : SW_SHOW);
            break;
    }
}

// A layered window shows nothing until it is given its opacity.
void applyOpacity(FormView& view) {
    int opacity = view.form->style().opacity;
    if (opacity >= 255) return;
    SetLayeredWindowAttributes(view.hwnd, 0, static_cast<BYTE>(opacity < 0 ? 0 : opacity),
                               LWA_ALPHA);
}

void applyStyles(FormView& view) {
    Styles styles = stylesFor(*view.form);
    DWORD keep = GetWindowLongW(view.hwnd, GWL_STYLE) &
                 (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE);
    SetWindowLongW(view.hwnd, GWL_STYLE, static_cast<LONG>(styles.style | keep));
    SetWindowLongW(view.hwnd, GWL_EXSTYLE, static_cast<LONG>(styles.exStyle));
    RECT r = outerRect(*view.form, styles);
    HWND order = view.form->style().topMost ? HWND_TOPMOST : HWND_NOTOPMOST;
    SetWindowPos(view.hwnd, order, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOACTIVATE | SWP_FRAMECHANGED);
    applyOpacity(view);
    InvalidateRect(view.hwnd, nullptr, TRUE);
}

void applyGeometry(FormView& view) {
    RECT r = outerRect(*view.form, stylesFor(*view.form));
    if (IsIconic(view.hwnd) || IsZoomed(view.hwnd)) {
        // Moves the place it is restored to, without restoring it.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        GetWindowPlacement(view.hwnd, &placement);
        placement.rcNormalPosition = r;
        if (!IsWindowVisible(view.hwnd)) placement.showCmd = SW_HIDE;
        SetWindowPlacement(view.hwnd, &placement);
        return;
    }
    RECT now{};
    GetWindowRect(view.hwnd, &now);
    if (EqualRect(&now, &r)) return;  // the model learnt this place from the window
    SetWindowPos(view.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The logic may hold the thread right after a move (a pause before sliding away): what
    // the move uncovered is painted now, not after the pause.
    if (IsWindowVisible(view.hwnd))
        RedrawWindow(view.hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

int mouseShift(WPARAM wp) {
    return ((wp & MK_SHIFT) ? kShiftMask : 0) | ((wp & MK_CONTROL) ? kCtrlMask : 0) |
           (GetKeyState(VK_MENU) < 0 ? kAltMask : 0);
}

int mouseButtons(WPARAM wp) {
    return ((wp & MK_LBUTTON) ? static_cast<int>(MouseButton::Left) : 0) |
           ((wp & MK_RBUTTON) ? static_cast<int>(MouseButton::Right) : 0) |
           ((wp & MK_MBUTTON) ? static_cast<int>(MouseButton::Middle) : 0);
}

struct MouseTarget {
    Control* control;
    int x, y;  // twips, relative to the control
};

// Group boxes let the mouse through to the form: the mouse belongs to the innermost frame
// shown under it. Outside the client area (a captured mouse) it belongs to the form.
MouseTarget mouseTarget(FormView& view, LPARAM lp) {
    POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    Control* target = view.form;
    for (Control* c : view.form->allControls()) {
        if (c->kind() != ControlKind::Frame || !c->shownOnScreen()) continue;
        RECT r{twipsToPixels(c->formLeft()), twipsToPixels(c->formTop()), 0, 0};
        r.right = r.left + twipsToPixels(c->width());
        r.bottom = r.top + twipsToPixels(c->height());
        if (PtInRect(&r, p)) target = c;  // later frames lie inside or above earlier ones
    }
    int x = pixelsToTwips(p.x) - (target == view.form ? 0 : target->formLeft());
    int y = pixelsToTwips(p.y) - (target == view.form ? 0 : target->formTop());
    return {target, x, y};
}

void mouseDown(FormView& view, MouseButton button, WPARAM wp, LPARAM lp) {
    MouseTarget t = mouseTarget(view, lp);
    int shift = mouseShift(wp);
    guarded([&] { t.control->raiseMouseDown(button, shift, t.x, t.y); });
}

void mouseUp(FormView& view, MouseButton button, WPARAM wp, LPARAM lp) {
    MouseTarget t = mouseTarget(view, lp);
    int shift = mouseShift(wp);
    guarded([&] { t.control->raiseMouseUp(button, shift, t.x, t.y); });
}

bool insideClient(const FormView& view, POINT p) {
    RECT client{};
    GetClientRect(view.hwnd, &client);
    return PtInRect(&client, p) != FALSE;
}

void mouseMove(FormView& view, WPARAM wp, LPARAM lp) {
    view.pointerInside = insideClient(view, {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    if (!view.trackingLeave) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, view.hwnd, 0};
        view.trackingLeave = TrackMouseEvent(&track) != FALSE;
    }
    MouseTarget t = mouseTarget(view, lp);
    int shift = mouseShift(wp), buttons = mouseButtons(wp);
    guarded([&] { t.control->raiseMouseMove(buttons, shift, t.x, t.y); });
}

// Holding the mouse does not bring moves over other programs' windows unless a button is
// down and the press was ours: a pointer that left unseen is reported once, where it is
// now, so the form learns that it has gone.
void mouseLeft(FormView& view) {
    view.trackingLeave = false;
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(view.hwnd, &p);
    if (!view.pointerInside || insideClient(view, p)) return;
    view.pointerInside = false;
    int buttons = (GetKeyState(VK_LBUTTON) < 0 ? static_cast<int>(MouseButton::Left) : 0) |
                  (GetKeyState(VK_RBUTTON) < 0 ? static_cast<int>(MouseButton::Right) : 0) |
                  (GetKeyState(VK_MBUTTON) < 0 ? static_cast<int>(MouseButton::Middle) : 0);
    int shift = shiftState(), x = pixelsToTwips(p.x), y = pixelsToTwips(p.y);
    Form* form = view.form;
    guarded([&] { form->raiseMouseMove(buttons, shift, x, y); });
}

void sized(FormView& view, WPARAM kind) {
    if (view.applying) return;
    WindowState state = kind == SIZE_MINIMIZED   ? WindowState::Minimized
                        : kind == SIZE_MAXIMIZED ? WindowState::Maximized
                                                 : WindowState::Normal;
    if (kind == SIZE_RESTORED || kind == SIZE_MINIMIZED || kind == SIZE_MAXIMIZED) {
        Form* form = view.form;
        if (form->windowState() != state) guarded([&] { form->setWindowState(state); });
    }
}

bool eraseBackground(FormView& view, HDC dc) {
    std::int32_t color = view.form->style().backColor;
    if (!view.painter && color < 0) return false;
    RECT client{};
    GetClientRect(view.hwnd, &client);
    if (view.painter) {
        guarded([&] { view.painter(dc, client); });
        return true;
    }
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(color));
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    return true;
}

// Coming back to the form puts the focus back on the control that had it, and a click
// that has already focused a control is not undone by the activation that follows it.
// The control learns that the focus was handed back, not chosen by the user.
bool activated(FormView& view, WPARAM wp) {
    HWND focus = GetFocus();
    bool ours = focus && IsChild(view.hwnd, focus);
    if (LOWORD(wp) == WA_INACTIVE) {
        if (ours) view.lastFocus = focus;
        return true;
    }
    if (ours || HIWORD(wp)) return ours;
    HWND last = view.lastFocus;
    if (!last || !IsChild(view.hwnd, last) || !IsWindowVisible(last) || !IsWindowEnabled(last))
        return false;
    view.restoringFocus = true;
    SetFocus(last);
    view.restoringFocus = false;
    return true;
}

// The window is drawn first (a timer's message comes after painting, but a child that
// was shown meanwhile may still wait for it), so that the work that waited for it does
// not keep the user looking at an empty frame.
void firstShown(FormView& view) {
    KillTimer(view.hwnd, kFirstShownTimer);
    if (IsWindowVisible(view.hwnd))
        RedrawWindow(view.hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (!view.deferred.empty()) SetTimer(view.hwnd, kDeferredTimer, USER_TIMER_MINIMUM, nullptr);
    prepareWebPanels(view);
    Form* form = view.form;
    guarded([&] { form->raiseFirstShown(); });
}

LRESULT formMessage(FormView& view, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            if (lp) return handleCommand(view, reinterpret_cast<HWND>(lp), HIWORD(wp));
            break;
        case WM_NOTIFY:
            return handleNotify(view, *reinterpret_cast<const NMHDR*>(lp));
        case WM_CTLCOLORSTATIC:
            return colorStatic(view, reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
        case WM_DRAWITEM:
            drawPictureButton(view, *reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
            return TRUE;
        case WM_ERASEBKGND:
            if (eraseBackground(view, reinterpret_cast<HDC>(wp))) return 1;
            break;
        case WM_TIMER: {
            if (wp == kFirstShownTimer) {
                firstShown(view);
                return 0;
            }
            // A few at a time, whenever nothing else waits: a hotkey pressed meanwhile
            // waits for one batch, not for every page.
            if (wp == kDeferredTimer) {
                if (!createDeferredControls(view, kDeferredBatch)) KillTimer(hwnd, kDeferredTimer);
                return 0;
            }
            auto it = view.timers.find(wp);
            if (it == view.timers.end()) break;
            Timer* timer = it->second;
            guarded([&] { timer->raiseTick(); });
            return 0;
        }
        case kResumeRedrawMessage:
            resumeRedraw(reinterpret_cast<HWND>(lp));
            return 0;
        case kSyncListViewMessage:
            syncListViewSelection(view, reinterpret_cast<HWND>(lp));
            return 0;
        case WM_LBUTTONDOWN:
            mouseDown(view, MouseButton::Left, wp, lp);
            return 0;
        case WM_RBUTTONDOWN:
            mouseDown(view, MouseButton::Right, wp, lp);
            return 0;
        case WM_MBUTTONDOWN:
            mouseDown(view, MouseButton::Middle, wp, lp);
            return 0;
        // The system's own handling of these (the context menu after a right release)
        // still follows.
        case WM_LBUTTONUP:
            mouseUp(view, MouseButton::Left, wp, lp);
            break;
        case WM_RBUTTONUP:
            mouseUp(view, MouseButton::Right, wp, lp);
            break;
        case WM_MBUTTONUP:
            mouseUp(view, MouseButton::Middle, wp, lp);
            break;
        case WM_MOUSEMOVE:
            mouseMove(view, wp, lp);
            break;
        case WM_MOUSELEAVE:
            mouseLeft(view);
            return 0;
        case WM_SIZE:
            sized(view, wp);
            return 0;
        case WM_ACTIVATE:
            if (activated(view, wp)) return 0;
            break;
        case WM_EXITSIZEMOVE:
            syncGeometryToModel(view);
            return 0;
        case WM_HOTKEY: {
            // The id is a 32-bit int however wide WPARAM is: ids from atoms are negative.
            Form* form = view.form;
            int id = static_cast<int>(static_cast<std::int32_t>(wp & 0xFFFFFFFFu));
            guarded([&] { form->raiseHotKey(id); });
            return 0;
        }
        case WM_ENDSESSION:
            if (wp) {
                Form* form = view.form;
                guarded([&] { form->raiseSessionEnd(); });
            }
            return 0;
        case WM_CLOSE: {
            Form* form = view.form;
            guarded([&] { form->unload(); });  // may destroy this window and the view
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK formProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* view = reinterpret_cast<FormView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!view || !view->hwnd) return DefWindowProcW(hwnd, msg, wp, lp);
    LRESULT result = 0;
    guarded([&] { result = formMessage(*view, hwnd, msg, wp, lp); });
    return result;
}

}  // namespace

HWND createFormWindow(FormView& view) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    registerFormClass(instance);
    Styles styles = stylesFor(*view.form);
    RECT r = outerRect(*view.form, styles);
    const Form* owner = view.form->owner();
    HWND ownerHwnd = owner && owner->loaded() ? reinterpret_cast<HWND>(owner->handle()) : nullptr;
    HWND hwnd = CreateWindowExW(
        styles.exStyle, kFormClass, platform::win32::wide(view.form->text()).c_str(), styles.style,
        r.left, r.top, r.right - r.left, r.bottom - r.top, ownerHwnd, nullptr, instance, &view);
    if (!hwnd) return nullptr;
    view.hwnd = hwnd;
    applyOpacity(view);
    if (!view.form->enabled()) EnableWindow(hwnd, FALSE);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(view.fonts->font(false)), FALSE);
    return hwnd;
}

void applyFormChange(FormView& view, Change change) {
    Applying applying(view);
    switch (change) {
        case Change::Text: {
            std::wstring text = platform::win32::wide(view.form->text());
            if (windowText(view.hwnd) != text) SetWindowTextW(view.hwnd, text.c_str());
            applyStyles(view);  // the caption bar comes and goes with the caption text
            break;
        }
        case Change::Style:
            applyStyles(view);
            break;
        case Change::Visible:
            applyVisible(view);
            break;
        case Change::Enabled:
            EnableWindow(view.hwnd, view.form->enabled());
            break;
        case Change::Geometry:
            applyGeometry(view);
            break;
        case Change::WindowState:
            applyState(view);
            break;
        default:
            break;
    }
}

void rearmTimer(FormView& view, Timer& timer) {
    for (auto& [id, t] : view.timers) {
        if (t != &timer) continue;
        if (timer.running()) {
            SetTimer(view.hwnd, id, static_cast<UINT>(timer.interval()), nullptr);
        } else {
            KillTimer(view.hwnd, id);
        }
        return;
    }
}

}  // namespace ui::win32

#include "ui/win32/win32_forms.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/win32/wide.h"
#include "ui/win32/form_view.h"

namespace ui::win32 {
namespace {

// Menu command IDs are positions in this flat list, plus one (0 means nothing chosen).
void buildMenu(HMENU menu, const std::vector<MenuItem>& items, std::vector<const MenuItem*>& flat) {
    for (const MenuItem& item : items) {
        if (item.separator) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::wstring caption = platform::win32::wide(item.caption);
        if (!item.subItems.empty()) {
            HMENU sub = CreatePopupMenu();
            buildMenu(sub, item.subItems, flat);
            AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub),
                        caption.c_str());
            continue;
        }
        flat.push_back(&item);
        AppendMenuW(menu, MF_STRING, flat.size(), caption.c_str());
    }
}

}  // namespace

Win32Forms::Win32Forms() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                              ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
}

Win32Forms::~Win32Forms() {
    while (!views_.empty())
        detach(*views_.begin()->second->form);
}

FormView* Win32Forms::viewOf(const Form& form) const {
    auto it = views_.find(&form);
    return it == views_.end() ? nullptr : it->second.get();
}

void Win32Forms::attach(Form& form) {
    if (viewOf(form)) return;
    auto view = std::make_unique<FormView>();
    view->form = &form;
    view->fonts = &fonts_;
    auto painter = painters_.find(&form);
    if (painter != painters_.end()) view->painter = painter->second;
    if (!createFormWindow(*view)) return;
    FormView& v = *view;
    views_[&form] = std::move(view);
    {
        Applying applying(v);
        createControls(v);
    }
    form.setHandle(reinterpret_cast<platform::WindowHandle>(v.hwnd));
    form.setObserver(this);
}

void Win32Forms::queueFirstShown(Form& form) {
    if (FormView* view = viewOf(form))
        SetTimer(view->hwnd, kFirstShownTimer, USER_TIMER_MINIMUM, nullptr);
}

void Win32Forms::detach(Form& form) {
    auto it = views_.find(&form);
    if (it == views_.end()) return;
    std::unique_ptr<FormView> view = std::move(it->second);
    views_.erase(it);
    form.setObserver(nullptr);
    HWND hwnd = view->hwnd;
    for (const auto& entry : view->timers)
        KillTimer(hwnd, entry.first);
    // From here on the window's messages no longer reach the view.
    view->hwnd = nullptr;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    DestroyWindow(hwnd);
}

void Win32Forms::popupMenu(Form& form, const std::vector<MenuItem>& items) {
    FormView* view = viewOf(form);
    if (!view || items.empty()) return;
    HMENU menu = CreatePopupMenu();
    std::vector<const MenuItem*> flat;
    buildMenu(menu, items, flat);
    POINT at{};
    GetCursorPos(&at);
    HWND owner = view->hwnd;
    // Without these the menu does not close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    UINT chosen = static_cast<UINT>(
        TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON | TPM_LEFTALIGN, at.x,
                         at.y, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (chosen == 0 || chosen > flat.size()) return;
    std::function<void()> handler = flat[chosen - 1]->onClick;
    if (handler) guarded(handler);
}

void Win32Forms::controlChanged(Control& control, Change change, int index) {
    Form* form = control.form();
    FormView* view = form ? viewOf(*form) : nullptr;
    if (!view) return;
    if (change == Change::Destroyed) forgetControl(*view, control);
    if (&control == form) {
        applyFormChange(*view, change);
    } else {
        applyControlChange(*view, control, change, index);
    }
}

void Win32Forms::setBackgroundPainter(Form& form, BackgroundPainter painter) {
    if (painter) {
        painters_[&form] = painter;
    } else {
        painters_.erase(&form);
    }
    if (FormView* view = viewOf(form)) {
        view->painter = std::move(painter);
        InvalidateRect(view->hwnd, nullptr, TRUE);
    }
}

HWND Win32Forms::windowOf(const Control& control) const {
    const Form* form = control.form();
    FormView* view = form ? viewOf(*form) : nullptr;
    if (!view) return nullptr;
    return &control == form ? view->hwnd : view->windowOf(control);
}

}  // namespace ui::win32

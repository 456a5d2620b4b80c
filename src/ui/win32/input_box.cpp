// The input box: prompt, one line of text, 确定 and 取消. Built from an in-memory
// dialog template so it needs no resource script, and shown with the program's UI face.
#include <vector>

#include "platform/win32/wide.h"
#include "ui/win32/ui_font.h"
#include "ui/win32/win32_dialogs.h"

namespace ui::win32 {
namespace {

using platform::win32::narrow;
using platform::win32::wide;

// Dialog templates are sequences of 16-bit words, with each item starting on a 32-bit
// boundary.
class TemplateWriter {
  public:
    void word(WORD w) { words_.push_back(w); }
    void dword(DWORD d) {
        word(LOWORD(d));
        word(HIWORD(d));
    }
    void text(const std::wstring& s) {
        for (wchar_t ch : s)
            word(static_cast<WORD>(ch));
        word(0);
    }
    void align() {
        if (words_.size() % 2) word(0);
    }
    void item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom,
              const std::wstring& caption) {
        align();
        dword(style | WS_CHILD | WS_VISIBLE);
        dword(0);
        for (short v : {x, y, cx, cy})
            word(static_cast<WORD>(v));
        word(id);
        word(0xFFFF);
        word(atom);
        text(caption);
        word(0);  // no creation data
    }
    const DLGTEMPLATE* data() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    std::vector<WORD> words_;
};

constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;

struct InputState {
    std::wstring defaultText;
    std::wstring result;
};

TemplateWriter buildTemplate(const std::wstring& title, const std::wstring& prompt,
                             const UiFonts& fonts) {
    TemplateWriter t;
    t.dword(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    t.dword(0);
    t.word(4);  // items
    for (short v : {0, 0, 250, 86})
        t.word(static_cast<WORD>(v));
    t.word(0);  // no menu
    t.word(0);  // standard dialog class
    t.text(title);
    t.word(static_cast<WORD>(fonts.pointSize()));
    t.text(fonts.face());
    t.item(SS_LEFT | SS_NOPREFIX, 8, 8, 176, 44, kInputBoxPromptId, kStaticAtom, prompt);
    t.item(BS_DEFPUSHBUTTON | WS_TABSTOP, 192, 8, 50, 15, IDOK, kButtonAtom, L"确定");
    t.item(BS_PUSHBUTTON | WS_TABSTOP, 192, 28, 50, 15, IDCANCEL, kButtonAtom, L"取消");
    t.item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 8, 62, 234, 14, kInputBoxEditId, kEditAtom,
           L"");
    return t;
}

INT_PTR CALLBACK inputProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    auto* state = reinterpret_cast<InputState*>(GetWindowLongPtrW(dlg, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dlg, DWLP_USER, lp);
            state = reinterpret_cast<InputState*>(lp);
            HWND edit = GetDlgItem(dlg, kInputBoxEditId);
            SetWindowTextW(edit, state->defaultText.c_str());
            SendMessageW(edit, EM_SETSEL, 0, -1);
            SetForegroundWindow(dlg);
            SetFocus(edit);
            return FALSE;  // the focus is set
        }
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK && state) {
                HWND edit = GetDlgItem(dlg, kInputBoxEditId);
                int length = GetWindowTextLengthW(edit);
                state->result.assign(static_cast<size_t>(length) + 1, L'\0');
                int got = GetWindowTextW(edit, state->result.data(), length + 1);
                state->result.resize(got > 0 ? static_cast<size_t>(got) : 0);
                EndDialog(dlg, IDOK);
                return TRUE;
            }
            if (LOWORD(wp) == IDCANCEL) {
                EndDialog(dlg, IDCANCEL);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

}  // namespace

std::string Win32Dialogs::inputBox(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) {
    TemplateWriter t = buildTemplate(wide(title), wide(prompt), fonts_);
    InputState state{wide(defaultText), {}};
    INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.data(), dialogOwner(),
                                             inputProc, reinterpret_cast<LPARAM>(&state));
    if (answer != IDOK) return {};
    return narrow(state.result);
}

}  // namespace ui::win32

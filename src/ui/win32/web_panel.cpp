#include "ui/win32/web_panel.h"

#include <exdisp.h>
#include <mshtmhst.h>
#include <ole2.h>

namespace ui::win32 {
namespace {

// The HTML document object: where it cannot be made, the browser control has no engine
// to show a page with, and asking it to navigate only leads to errors (or, under a bare
// Wine, to an installer's dialog).
constexpr CLSID kHtmlDocument = {
    0x25336920, 0x03f9, 0x11cf, {0x8f, 0xd0, 0x00, 0xaa, 0x00, 0x68, 0x6f, 0x13}};
constexpr CLSID kWebBrowser = {
    0x8856f961, 0x340a, 0x11d0, {0xa9, 0x6b, 0x00, 0xc0, 0x4f, 0xd7, 0x05, 0xa2}};
constexpr int kNoticeId = 1;
constexpr COLORREF kNoticeText = RGB(0x64, 0x74, 0x8B);

// The container side of the embedding: client site, in-place site and frame, and the
// document host's UI handler that turns off the context menu and the scroll bars.
class Site final : public IOleClientSite,
                   public IOleInPlaceSite,
                   public IOleInPlaceFrame,
                   public IDocHostUIHandler {
  public:
    explicit Site(HWND host) : host_(host) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
            *out = static_cast<IOleClientSite*>(this);
        } else if (riid == IID_IOleInPlaceSite || riid == IID_IOleWindow) {
            *out = static_cast<IOleInPlaceSite*>(this);
        } else if (riid == IID_IOleInPlaceFrame || riid == IID_IOleInPlaceUIWindow) {
            *out = static_cast<IOleInPlaceFrame*>(this);
        } else if (riid == IID_IDocHostUIHandler) {
            *out = static_cast<IDocHostUIHandler*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = --refs_;
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) override {
        if (out) *out = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (for the in-place site and the frame alike)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override {
        if (!out) return E_POINTER;
        *out = host_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                               LPRECT pos, LPRECT clip,
                                               LPOLEINPLACEFRAMEINFO info) override {
        if (!frame || !doc || !pos || !clip || !info) return E_POINTER;
        *frame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        *doc = nullptr;
        GetClientRect(host_, pos);
        GetClientRect(host_, clip);
        info->fMDIApp = FALSE;
        info->hwndFrame = GetAncestor(host_, GA_ROOT);
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow and IOleInPlaceFrame: no tool bars, menus or status line.
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
        return INPLACE_E_NOTOOLSPACE;
    }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDocHostUIHandler
    HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override {
        return S_OK;  // handled: no menu
    }
    HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) override {
        if (!info) return E_POINTER;
        info->cbSize = sizeof(DOCHOSTUIINFO);
        info->dwFlags = DOCHOSTUIFLAG_SCROLL_NO | DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_DIALOG |
                        DOCHOSTUIFLAG_DISABLE_HELP_MENU;
        info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*,
                                     IOleInPlaceFrame*, IOleInPlaceUIWindow*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE HideUI() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE UpdateUI() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, const GUID*, DWORD) override {
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* key, DWORD) override {
        if (key) *key = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget*, IDropTarget** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** out) override {
        if (out) *out = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD, LPWSTR, LPWSTR* out) override {
        if (out) *out = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject*, IDataObject** out) override {
        if (out) *out = nullptr;
        return S_FALSE;
    }

  private:
    ~Site() = default;

    HWND host_;
    LONG refs_ = 1;
};

// One panel: the embedded browser, or the notice when there is none.
struct Panel {
    Site* site = nullptr;
    IOleObject* object = nullptr;
    IWebBrowser2* browser = nullptr;
    HWND notice = nullptr;
    HFONT font = nullptr;
    bool prepared = false;
};

Panel* panelOf(HWND hwnd) {
    return reinterpret_cast<Panel*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

bool browserEngineAvailable() {
    IUnknown* document = nullptr;
    HRESULT hr = CoCreateInstance(kHtmlDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                  reinterpret_cast<void**>(&document));
    if (FAILED(hr) || !document) return false;
    document->Release();
    return true;
}

void releaseBrowser(Panel& panel) {
    if (panel.browser) {
        panel.browser->Stop();
        panel.browser->Release();
        panel.browser = nullptr;
    }
    if (panel.object) {
        panel.object->Close(OLECLOSE_NOSAVE);
        panel.object->SetClientSite(nullptr);
        panel.object->Release();
        panel.object = nullptr;
    }
    if (panel.site) {
        panel.site->Release();
        panel.site = nullptr;
    }
}

bool embedBrowser(HWND host, Panel& panel) {
    if (!browserEngineAvailable()) return false;
    panel.site = new Site(host);
    HRESULT hr = CoCreateInstance(kWebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  reinterpret_cast<void**>(&panel.object));
    if (SUCCEEDED(hr)) hr = panel.object->SetClientSite(panel.site);
    RECT place{};
    GetClientRect(host, &place);
    if (SUCCEEDED(hr))
        hr = panel.object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, panel.site, 0, host, &place);
    if (SUCCEEDED(hr))
        hr = panel.object->QueryInterface(IID_IWebBrowser2,
                                          reinterpret_cast<void**>(&panel.browser));
    if (SUCCEEDED(hr)) {
        // Script errors and other complaints of the page stay quiet: no box pops up.
        panel.browser->put_Silent(VARIANT_TRUE);
        panel.browser->put_RegisterAsDropTarget(VARIANT_FALSE);
        return true;
    }
    releaseBrowser(panel);
    return false;
}

void showNotice(HWND host, Panel& panel, HFONT font) {
    RECT r{};
    GetClientRect(host, &r);
    panel.notice = CreateWindowExW(0, L"STATIC", kWebPanelNotice,
                                   WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX,
                                   0, 0, r.right, r.bottom, host,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kNoticeId)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (panel.notice && font)
        SendMessageW(panel.notice, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void resized(HWND host, Panel& panel) {
    RECT r{};
    GetClientRect(host, &r);
    if (panel.notice) MoveWindow(panel.notice, 0, 0, r.right, r.bottom, TRUE);
    if (!panel.object) return;
    IOleInPlaceObject* inPlace = nullptr;
    if (SUCCEEDED(panel.object->QueryInterface(IID_IOleInPlaceObject,
                                               reinterpret_cast<void**>(&inPlace)))) {
        inPlace->SetObjectRects(&r, &r);
        inPlace->Release();
    }
}

LRESULT CALLBACK panelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    Panel* panel = panelOf(hwnd);
    switch (msg) {
        case WM_SIZE:
            if (panel) resized(hwnd, *panel);
            return 0;
        case WM_CTLCOLORSTATIC:
            SetTextColor(reinterpret_cast<HDC>(wp), kNoticeText);
            SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        case WM_DESTROY:
            if (panel) {
                releaseBrowser(*panel);
                SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
                delete panel;
            }
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

void registerPanelClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kWebPanelClass, &wc)) return;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = panelProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kWebPanelClass;
    RegisterClassExW(&wc);
}

}  // namespace

HWND createWebPanel(HWND parent, int id, RECT place, DWORD style, HFONT font) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    registerPanelClass(instance);
    HWND host =
        CreateWindowExW(0, kWebPanelClass, L"", style | WS_CHILD | WS_CLIPCHILDREN, place.left,
                        place.top, place.right - place.left, place.bottom - place.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!host) return nullptr;
    auto* panel = new Panel;
    panel->font = font;
    SetWindowLongPtrW(host, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(panel));
    return host;
}

void prepareWebPanel(HWND host) {
    Panel* p = panelOf(host);
    if (!p || p->prepared) return;
    p->prepared = true;
    if (!embedBrowser(host, *p)) showNotice(host, *p, p->font);
}

void navigateWebPanel(HWND panel, const std::wstring& url) {
    prepareWebPanel(panel);
    Panel* p = panelOf(panel);
    if (!p || !p->browser || url.empty()) return;
    BSTR address = SysAllocString(url.c_str());
    if (!address) return;
    VARIANT empty;
    VariantInit(&empty);
    p->browser->Navigate(address, &empty, &empty, &empty, &empty);
    SysFreeString(address);
}

}  // namespace ui::win32

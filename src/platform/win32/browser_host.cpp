#include "platform/win32/browser_host.hpp"

#include <exdispid.h>
#include <ocidl.h>

#include <algorithm>
#include <string>

#include "platform/win32/guard.hpp"
#include "platform/win32/wide_text.hpp"
#include "platform/win32/window_owner.hpp"
#include "ports/window_events.hpp"
#include "ui/form.hpp"

namespace zivmora::win32 {
namespace {

constexpr wchar_t kBoxClass[] = L"ZivmoraBrowserBox";
// Standards mode of the newest engine; the control otherwise renders as a very old one.
constexpr DWORD kBrowserEmulation = 11001;

}  // namespace

// The container side of the control: client site, in-place site and in-place frame.
class BrowserSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
public:
    BrowserSite(HWND box, HWND frame) : box_(box), frame_(frame) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_IOleClientSite) {
            *object = static_cast<IOleClientSite*>(this);
        } else if (id == IID_IOleWindow || id == IID_IOleInPlaceSite) {
            *object = static_cast<IOleInPlaceSite*>(this);
        } else if (id == IID_IOleInPlaceUIWindow || id == IID_IOleInPlaceFrame) {
            *object = static_cast<IOleInPlaceFrame*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        *moniker = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
        *container = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (shared by the in-place site and the frame)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        *window = box_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame,
                                               IOleInPlaceUIWindow** document, LPRECT position,
                                               LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
        *frame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        *document = nullptr;
        GetClientRect(box_, position);
        GetClientRect(box_, clip);
        info->cb = sizeof(OLEINPLACEFRAMEINFO);
        info->fMDIApp = FALSE;
        info->hwndFrame = frame_;
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

    // IOleInPlaceUIWindow
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override {
        return S_OK;
    }

    // IOleInPlaceFrame
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    ULONG references_ = 1;
    HWND box_;
    HWND frame_;
};

// The control's events (DWebBrowserEvents2); only two of them matter to the program.
class BrowserEventSink final : public IDispatch {
public:
    explicit BrowserEventSink(WindowEvents& events) : events_(events) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_IDispatch || id == DIID_DWebBrowserEvents2) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* parameters,
                                     VARIANT*, EXCEPINFO*, UINT*) override {
        switch (member) {
            case DISPID_STATUSTEXTCHANGE:  // (BSTR text)
                if (parameters && parameters->cArgs >= 1 && parameters->rgvarg[0].vt == VT_BSTR) {
                    const BSTR text = parameters->rgvarg[0].bstrVal;
                    guarded([&] {
                        events_.on_browser_status_text(
                            narrow(text ? std::wstring_view(text, SysStringLen(text))
                                        : std::wstring_view()));
                    });
                }
                return S_OK;
            case DISPID_NEWWINDOW2:  // (IDispatch** window, VARIANT_BOOL* cancel), reversed
                if (parameters && parameters->cArgs >= 2 &&
                    parameters->rgvarg[0].vt == (VT_BYREF | VT_BOOL)) {
                    bool allow = false;
                    guarded([&] { allow = events_.on_new_window_requested(); });
                    *parameters->rgvarg[0].pboolVal = allow ? VARIANT_FALSE : VARIANT_TRUE;
                }
                return S_OK;
            default:
                return S_OK;
        }
    }

private:
    ULONG references_ = 1;
    WindowEvents& events_;
};

BrowserHost::BrowserHost() = default;

BrowserHost::~BrowserHost() {
    destroy_control();
}

HWND BrowserHost::create(HWND parent, const BrowserSettings& settings, WindowEvents& events) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW box_class{};
    box_class.cbSize = sizeof box_class;
    box_class.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    box_class.lpfnWndProc = &BrowserHost::window_procedure;
    box_class.hInstance = instance;
    box_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    box_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    box_class.lpszClassName = kBoxClass;
    RegisterClassExW(&box_class);  // fails harmlessly when already registered

    window_ = CreateWindowExW(0, kBoxClass, nullptr, WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                              nullptr, instance, this);
    if (!window_) {
        return nullptr;
    }
    site_ = new BrowserSite(window_, parent);
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                object_.put_void())) ||
        FAILED(object_->SetClientSite(site_))) {
        destroy_control();
        return nullptr;
    }
    OleSetContainedObject(object_.get(), TRUE);
    RECT area{};
    GetClientRect(window_, &area);
    object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, window_, &area);
    browser_ = object_.query<IWebBrowser2>();
    if (!browser_) {
        destroy_control();
        return nullptr;
    }
    browser_->put_Offline(settings.offline ? VARIANT_TRUE : VARIANT_FALSE);
    browser_->put_Silent(settings.silent ? VARIANT_TRUE : VARIANT_FALSE);
    VARIANT zoom{};
    zoom.vt = VT_I4;
    zoom.lVal = std::clamp(settings.text_size, 0, 4);
    browser_->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &zoom, nullptr);

    sink_ = new BrowserEventSink(events);
    if (auto container = browser_.query<IConnectionPointContainer>()) {
        ComPtr<IConnectionPoint> point;
        if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.put()))) {
            point->Advise(sink_, &sink_cookie_);
        }
    }
    if (!settings.address.empty()) {
        navigate(std::string(settings.address));
    }
    return window_;
}

void BrowserHost::navigate(const std::string& address) {
    if (!browser_) {
        return;
    }
    BSTR url = SysAllocString(widen(address).c_str());
    VARIANT flags{};
    flags.vt = VT_I4;
    flags.lVal = 0;
    VARIANT target{};
    target.vt = VT_BSTR;
    target.bstrVal = SysAllocString(L"");
    VARIANT post_data{};
    VARIANT headers{};
    headers.vt = VT_BSTR;
    headers.bstrVal = SysAllocString(L"");
    browser_->Navigate(url, &flags, &target, &post_data, &headers);
    VariantClear(&headers);
    VariantClear(&target);
    SysFreeString(url);
}

void BrowserHost::fit_control() {
    if (auto in_place = object_.query<IOleInPlaceObject>()) {
        RECT area{};
        GetClientRect(window_, &area);
        in_place->SetObjectRects(&area, &area);
    }
}

void BrowserHost::destroy_control() {
    if (browser_ && sink_cookie_ != 0) {
        if (auto container = browser_.query<IConnectionPointContainer>()) {
            ComPtr<IConnectionPoint> point;
            if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.put()))) {
                point->Unadvise(sink_cookie_);
            }
        }
        sink_cookie_ = 0;
    }
    browser_.reset();
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
        object_.reset();
    }
    if (sink_) {
        sink_->Release();
        sink_ = nullptr;
    }
    if (site_) {
        site_->Release();
        site_ = nullptr;
    }
}

LRESULT CALLBACK BrowserHost::window_procedure(HWND window, UINT message, WPARAM wparam,
                                               LPARAM lparam) {
    if (auto* host = window_owner<BrowserHost>(window, message, lparam)) {
        switch (message) {
            case WM_SIZE:
                host->fit_control();
                return 0;
            case WM_SETFOCUS:
                // The focus goes on to the control's own window.
                if (HWND inner = GetWindow(window, GW_CHILD)) {
                    SetFocus(inner);
                }
                return 0;
            case WM_DESTROY:
                host->destroy_control();
                host->window_ = nullptr;
                break;
            default:
                break;
        }
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

void prefer_current_browser_engine() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH) {
        return;
    }
    const wchar_t* name = path;
    for (const wchar_t* c = path; *c; ++c) {
        if (*c == L'\\' || *c == L'/') {
            name = c + 1;
        }
    }
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER,
                        L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\"
                        L"FEATURE_BROWSER_EMULATION",
                        0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    if (RegQueryValueExW(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_FILE_NOT_FOUND) {
        const DWORD mode = kBrowserEmulation;
        RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&mode), sizeof mode);
    }
    RegCloseKey(key);
}

}  // namespace zivmora::win32

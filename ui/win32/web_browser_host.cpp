// Hosting the system's web browser control without ATL or MFC. What it takes:
//
// - The control is an OLE embedding. It is created with CoCreateInstance(CLSID_WebBrowser, ...,
//   IID_IOleObject) and only starts working once it has a client site and has been activated
//   in place with DoVerb(OLEIVERB_INPLACEACTIVATE). The thread must be in a single-threaded
//   apartment set up by OleInitialize, not CoInitializeEx alone: the page's drag and drop and
//   clipboard need OLE's own set-up.
// - The site answers IOleClientSite, IOleInPlaceSite (and its base IOleWindow) and hands out an
//   IOleInPlaceFrame from GetWindowContext; the control asks for them during DoVerb. Everything
//   about menus, tool bars and borders may return E_NOTIMPL: this window shares none.
// - GetWindowContext fills in OLEINPLACEFRAMEINFO (cb first) and the position and clip
//   rectangles; the control takes its first size from them.
// - Afterwards the control's size follows IOleInPlaceObject::SetObjectRects, never the parent's
//   size, so a window that keeps the browser at a fixed size sets the rectangle once.
// - Closing takes InPlaceDeactivate, Close(OLECLOSE_NOSAVE) and SetClientSite(nullptr), in that
//   order, while the parent window still exists: the control holds on to its site and to the
//   window until then.
// - Navigate takes the address as an address bar does; one without a scheme is completed by the
//   control. It returns at once and loads in its own time.
// - Wine's control, without its Gecko engine (mshtml switched off, as the tests run it), still
//   creates and activates with S_OK and answers Navigate with S_OK; only the page itself fails.
// - COM interfaces declare no virtual destructor; the site is owned by its control object and is
//   never deleted through an interface, so its reference count only keeps COM's rules.
// - The control calls the site's methods from its own frames: the methods that do more than
//   return a constant or store a pointer run inside guardedCom, so no exception leaves them.

#include "web_browser_host.h"

#include <exdisp.h>
#include <ole2.h>

#include "callback_guard.h"

namespace quillmere::win32 {
namespace {

std::wstring wide(const std::string& text) {
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

// COM interfaces have no virtual destructor by design: an object ends through its own Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// The container side of the embedding: client site, in-place site and frame in one object.
class Site final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
  public:
    Site(HWND window, RECT rect) : window_(window), rect_(rect) {}
    virtual ~Site() = default;

    // IUnknown. The site lives as long as its WebBrowserControl; the counts only keep COM happy.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        return guardedCom([&]() -> HRESULT {
            if (!out) return E_POINTER;
            if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
                *out = static_cast<IOleClientSite*>(this);
            } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
                *out = static_cast<IOleInPlaceSite*>(this);
            } else if (iid == IID_IOleInPlaceFrame || iid == IID_IOleInPlaceUIWindow) {
                *out = static_cast<IOleInPlaceFrame*>(this);
            } else {
                *out = nullptr;
                return E_NOINTERFACE;
            }
            AddRef();
            return S_OK;
        });
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }

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

    // IOleWindow, for the in-place site and the frame alike
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override {
        if (!out) return E_POINTER;
        *out = window_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                               LPRECT position, LPRECT clip,
                                               LPOLEINPLACEFRAMEINFO info) override {
        return guardedCom([&] {
            if (!frame || !document || !position || !clip || !info) return E_POINTER;
            *frame = static_cast<IOleInPlaceFrame*>(this);
            AddRef();
            *document = nullptr;
            *position = rect_;
            *clip = rect_;
            info->cb = sizeof(OLEINPLACEFRAMEINFO);
            info->fMDIApp = FALSE;
            info->hwndFrame = window_;
            info->haccel = nullptr;
            info->cAccelEntries = 0;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow and IOleInPlaceFrame: no menus, tool bars or status bar to share.
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  private:
    HWND window_;
    RECT rect_;
    ULONG references_ = 1;
};

#pragma GCC diagnostic pop

class WebBrowserControl final : public Browser {
  public:
    ~WebBrowserControl() override { close(); }

    HRESULT create(HWND parent, const RECT& rect) override {
        site_ = std::make_unique<Site>(parent, rect);
        HRESULT hr = ::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                        reinterpret_cast<void**>(&object_));
        if (FAILED(hr)) return hr;
        hr = object_->SetClientSite(site_.get());
        if (FAILED(hr)) return hr;
        ::OleSetContainedObject(object_, TRUE);
        RECT position = rect;
        hr = object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.get(), 0, parent, &position);
        if (FAILED(hr)) return hr;
        IOleInPlaceObject* inPlace = nullptr;
        if (SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
            inPlace->SetObjectRects(&rect, &rect);
            inPlace->Release();
        }
        return object_->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser_));
    }

    HRESULT navigate(const std::string& address) override {
        if (!browser_) return E_UNEXPECTED;
        BSTR url = ::SysAllocString(wide(address).c_str());
        VARIANT none;
        ::VariantInit(&none);
        const HRESULT hr = browser_->Navigate(url, &none, &none, &none, &none);
        ::SysFreeString(url);
        return hr;
    }

    void close() override {
        if (browser_) {
            browser_->Release();
            browser_ = nullptr;
        }
        if (!object_) return;
        IOleInPlaceObject* inPlace = nullptr;
        if (SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
            inPlace->InPlaceDeactivate();
            inPlace->Release();
        }
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
        object_->Release();
        object_ = nullptr;
    }

  private:
    std::unique_ptr<Site> site_;
    IOleObject* object_ = nullptr;
    IWebBrowser2* browser_ = nullptr;
};

}  // namespace

std::unique_ptr<Browser> makeWebBrowserControl() {
    return std::make_unique<WebBrowserControl>();
}

}  // namespace quillmere::win32

#include "Accessible.h"
#include "SystemLibrary.h"
#include <initguid.h>  // the annotation service's identifiers are defined here
#include <oleacc.h>
#include <atomic>
#include <cwchar>
#include <new>

namespace {
struct TOleFunctions {
    using TInitialize = HRESULT(WINAPI*)(LPVOID, DWORD);
    using TUninitialize = void(WINAPI*)();
    using TCreateInstance = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    using TAllocString = BSTR(WINAPI*)(const OLECHAR*);
    using TStandardObject = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using TResultFromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    TInitialize Initialize = SystemFunction<TInitialize>(L"ole32.dll", "CoInitializeEx");
    TUninitialize Uninitialize = SystemFunction<TUninitialize>(L"ole32.dll", "CoUninitialize");
    TCreateInstance CreateInstance = SystemFunction<TCreateInstance>(L"ole32.dll", "CoCreateInstance");
    TAllocString AllocString = SystemFunction<TAllocString>(L"oleaut32.dll", "SysAllocString");
    TStandardObject StandardObject =
        SystemFunction<TStandardObject>(L"oleacc.dll", "CreateStdAccessibleObject");
    TResultFromObject ResultFromObject =
        SystemFunction<TResultFromObject>(L"oleacc.dll", "LresultFromObject");
    bool Complete() const {
        return Initialize && Uninitialize && CreateInstance && AllocString && StandardObject &&
               ResultFromObject;
    }
};

// Null when a system library or one of its functions is missing: no names then.
const TOleFunctions* Ole() {
    static const TOleFunctions functions;
    return functions.Complete() ? &functions : nullptr;
}

// COM on the calling thread for as long as the thread lives: the annotation service and the
// objects handed to screen readers need it. A thread that has COM already keeps its own.
class TComScope {
public:
    TComScope() : FOwned(SUCCEEDED(Ole()->Initialize(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~TComScope() {
        if (FOwned) Ole()->Uninitialize();
    }
    TComScope(const TComScope&) = delete;
    TComScope& operator=(const TComScope&) = delete;

private:
    bool FOwned;
};

// False when the system's libraries are missing.
bool EnsureCom() {
    if (!Ole()) return false;
    thread_local TComScope scope;
    return true;
}

// Once the service has refused a name it is not asked again: the windows answer for themselves.
std::atomic<bool> ServiceRefused{false};

template <class Call>
HRESULT WithServices(Call call) {
    IAccPropServices* services = nullptr;
    HRESULT hr = Ole()->CreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IAccPropServices, reinterpret_cast<void**>(&services));
    if (FAILED(hr) || !services) return FAILED(hr) ? hr : E_FAIL;
    hr = call(*services);
    services->Release();
    return hr;
}

using Accessible::TClientParts;
using Accessible::TElement;
using Accessible::TPartsOf;
using Accessible::TActOn;

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// A window's standard client object with our parts added: its name, its own default action,
// and the elements drawn on it, which follow the standard children as simple elements (child
// ids after theirs). Everything else is the standard object's answer, the interfaces other
// than IAccessible and IEnumVARIANT too. The object holds the window's handle only and asks it
// for its parts at each call: a screen reader may keep the object after the window has gone.
class TClientAccessible final : public IAccessible, public IEnumVARIANT {
public:
    TClientAccessible(IAccessible* standard, HWND window, TPartsOf parts, TActOn act)
        : FStandard(standard), FWindow(window), FParts(parts), FAct(act) {
        FStandard->AddRef();
    }
    ~TClientAccessible() {
        if (FStandardChildren) FStandardChildren->Release();
        FStandard->Release();
    }
    TClientAccessible(const TClientAccessible&) = delete;
    TClientAccessible& operator=(const TClientAccessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible)
            *out = static_cast<IAccessible*>(this);
        else if (iid == IID_IEnumVARIANT)
            *out = static_cast<IEnumVARIANT*>(this);
        else
            return FStandard->QueryInterface(iid, out);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++FRefs); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG refs = --FRefs;
        if (refs == 0) delete this;
        return static_cast<ULONG>(refs);
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        TClientParts parts;
        const TElement* e = Element(child, parts);
        if (!e && !(IsSelf(child) && !parts.Name.empty())) return FStandard->get_accName(child, out);
        return Text(e ? e->Name : parts.Name, out);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        TClientParts parts;
        const TElement* e = Element(child, parts);
        if (!e) return FStandard->get_accRole(child, out);
        if (!out) return E_POINTER;
        out->vt = VT_I4;
        out->lVal = e->Role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        TClientParts parts;
        const TElement* e = Element(child, parts);
        if (!e) return FStandard->get_accState(child, out);
        if (!out) return E_POINTER;
        out->vt = VT_I4;
        out->lVal = (e->Enabled ? 0 : STATE_SYSTEM_UNAVAILABLE) | (e->Role == ROLE_SYSTEM_LINK ? STATE_SYSTEM_LINKED : 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* cx, LONG* cy, VARIANT child) override {
        TClientParts parts;
        const TElement* e = Element(child, parts);
        if (!e) return FStandard->accLocation(x, y, cx, cy, child);
        if (!x || !y || !cx || !cy) return E_POINTER;
        POINT origin{e->Bounds.left, e->Bounds.top};
        ClientToScreen(FWindow, &origin);
        *x = origin.x;
        *y = origin.y;
        *cx = e->Bounds.right - e->Bounds.left;
        *cy = e->Bounds.bottom - e->Bounds.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        TClientParts parts;
        const TElement* e = Element(child, parts);
        if (!e && !(IsSelf(child) && parts.OwnAction)) return FStandard->get_accDefaultAction(child, out);
        return Text(parts.Action, out);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        TClientParts parts;
        const TElement* e = Element(child, parts);
        if (!e && !(IsSelf(child) && parts.OwnAction)) return FStandard->accDoDefaultAction(child);
        if (e && !e->Enabled) return E_FAIL;
        return FAct(FWindow, e ? static_cast<int>(e - parts.Elements.data()) + 1 : 0) ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (!count) return E_POINTER;
        TClientParts parts;
        if (!FParts(FWindow, parts)) return E_FAIL;
        *count = StandardCount() + static_cast<LONG>(parts.Elements.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        TClientParts parts;
        if (!Element(child, parts)) return FStandard->get_accChild(child, out);
        if (!out) return E_POINTER;
        *out = nullptr;
        return S_FALSE;  // a simple element: the container answers for it
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* out) override {
        TClientParts parts;
        POINT p{x, y};
        if (out && FParts(FWindow, parts) && ScreenToClient(FWindow, &p))
            for (std::size_t i = 0; i < parts.Elements.size(); ++i)
                if (PtInRect(&parts.Elements[i].Bounds, p)) {
                    out->vt = VT_I4;
                    out->lVal = StandardCount() + static_cast<LONG>(i) + 1;
                    return S_OK;
                }
        return FStandard->accHitTest(x, y, out);
    }
    // An element has no value, description, help or key of its own.
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        return Nothing(child, out, &IAccessible::get_accValue);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        return Nothing(child, out, &IAccessible::get_accDescription);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
        return Nothing(child, out, &IAccessible::get_accHelp);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return Nothing(child, out, &IAccessible::get_accKeyboardShortcut);
    }

    // The children: the standard object's, from its own enumeration, then the elements'
    // ids. The object is its own enumerator, as the standard one is.
    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
        if (!out) return E_POINTER;
        TClientParts parts;
        if (!FParts(FWindow, parts)) return E_FAIL;
        const LONG standard = StandardCount(), total = standard + static_cast<LONG>(parts.Elements.size());
        ULONG got = 0;
        for (; got < count && FPosition < total; ++got, ++FPosition) {
            out[got].vt = VT_I4;
            out[got].lVal = FPosition + 1;
            if (FPosition < standard && StandardChildren()) {
                ULONG one = 0;
                if (FStandardChildren->Next(1, &out[got], &one) != S_OK || one != 1) {
                    out[got].vt = VT_I4;
                    out[got].lVal = FPosition + 1;
                }
            }
        }
        if (fetched) *fetched = got;
        return got == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        FPosition += static_cast<LONG>(count);
        if (StandardChildren()) FStandardChildren->Skip(count);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        FPosition = 0;
        if (StandardChildren()) FStandardChildren->Reset();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return FStandard->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
        return FStandard->GetTypeInfo(index, lcid, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override {
        return FStandard->GetIDsOfNames(iid, names, count, lcid, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* error, UINT* argError) override {
        return FStandard->Invoke(id, iid, lcid, flags, params, result, error, argError);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return FStandard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return FStandard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override { return FStandard->get_accFocus(out); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        return FStandard->get_accSelection(out);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return FStandard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG dir, VARIANT start, VARIANT* end) override {
        return FStandard->accNavigate(dir, start, end);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR value) override {
        return FStandard->put_accName(child, value);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return FStandard->put_accValue(child, value);
    }

private:
    LONG StandardCount() const {
        LONG count = 0;
        return SUCCEEDED(FStandard->get_accChildCount(&count)) ? count : 0;
    }
    // The standard object's enumeration of its children, kept in step with ours.
    bool StandardChildren() {
        if (!FStandardChildren &&
            SUCCEEDED(FStandard->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&FStandardChildren))) &&
            FStandardChildren) {
            FStandardChildren->Reset();
            if (FPosition > 0) FStandardChildren->Skip(static_cast<ULONG>(FPosition));
        }
        return FStandardChildren != nullptr;
    }
    // The element a child id names, with the parts it was read from; nullptr for the window
    // itself, a standard child, or a window that has gone (Parts then empty).
    const TElement* Element(const VARIANT& child, TClientParts& parts) const {
        if (!FParts(FWindow, parts) || child.vt != VT_I4) return nullptr;
        const LONG index = child.lVal - StandardCount() - 1;
        if (child.lVal <= 0 || index < 0 || index >= static_cast<LONG>(parts.Elements.size())) return nullptr;
        return &parts.Elements[static_cast<std::size_t>(index)];
    }
    static HRESULT Text(const std::wstring& text, BSTR* out) {
        if (!out) return E_POINTER;
        *out = Ole()->AllocString(text.c_str());
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT Nothing(VARIANT child, BSTR* out, HRESULT (STDMETHODCALLTYPE IAccessible::*ask)(VARIANT, BSTR*)) {
        TClientParts parts;
        if (!Element(child, parts)) return (FStandard->*ask)(child, out);
        if (!out) return E_POINTER;
        *out = nullptr;
        return S_FALSE;
    }

    IAccessible* FStandard;
    IEnumVARIANT* FStandardChildren = nullptr;
    HWND FWindow;
    TPartsOf FParts;
    TActOn FAct;
    LONG FPosition = 0;
    std::atomic<LONG> FRefs{1};
};
}  // namespace

namespace Accessible {
bool Annotate(HWND window, const std::wstring& name) {
    if (!EnsureCom() || ServiceRefused) return false;
    const HRESULT hr = WithServices([&](IAccPropServices& services) {
        return services.SetHwndPropStr(window, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, name.c_str());
    });
    if (FAILED(hr)) ServiceRefused = true;
    return SUCCEEDED(hr);
}

void RemoveAnnotation(HWND window) {
    if (!Ole()) return;
    WithServices([&](IAccPropServices& services) {
        return services.ClearHwndProps(window, OBJID_CLIENT, CHILDID_SELF, &PROPID_ACC_NAME, 1);
    });
}

LRESULT ClientObject(HWND window, WPARAM wp, LPARAM lp, TPartsOf parts, TActOn act) {
    if (static_cast<LONG>(lp) != OBJID_CLIENT || !EnsureCom()) return 0;
    IAccessible* standard = nullptr;
    const HRESULT hr =
        Ole()->StandardObject(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard));
    if (FAILED(hr) || !standard) return 0;
    TClientAccessible* client = nullptr;
    try {
        client = new TClientAccessible(standard, window, parts, act);
    } catch (const std::bad_alloc&) {
        // No memory for our parts: the system's own answer stands.
    }
    standard->Release();
    if (!client) return 0;
    // The result holds a reference of its own (or, below zero, says why there is none).
    const LRESULT result = Ole()->ResultFromObject(IID_IAccessible, wp, static_cast<IAccessible*>(client));
    client->Release();
    return result > 0 ? result : 0;
}
}  // namespace Accessible

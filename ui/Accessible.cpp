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

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// A window's standard client object under another name. Every other answer, its children's
// names too, is the standard object's; so are the answers to IDispatch and to the interfaces
// other than IAccessible.
class TNamedAccessible final : public IAccessible {
public:
    TNamedAccessible(IAccessible* standard, const std::wstring& name) : FStandard(standard), FName(name) {
        FStandard->AddRef();
    }
    ~TNamedAccessible() { FStandard->Release(); }
    TNamedAccessible(const TNamedAccessible&) = delete;
    TNamedAccessible& operator=(const TNamedAccessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return FStandard->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++FRefs); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG refs = --FRefs;
        if (refs == 0) delete this;
        return static_cast<ULONG>(refs);
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child)) return FStandard->get_accName(child, name);
        if (!name) return E_POINTER;
        *name = Ole()->AllocString(FName.c_str());
        return *name ? S_OK : E_OUTOFMEMORY;
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
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return FStandard->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        return FStandard->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        return FStandard->get_accValue(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        return FStandard->get_accDescription(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        return FStandard->get_accRole(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        return FStandard->get_accState(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
        return FStandard->get_accHelp(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return FStandard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return FStandard->get_accKeyboardShortcut(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override { return FStandard->get_accFocus(out); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        return FStandard->get_accSelection(out);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        return FStandard->get_accDefaultAction(child, out);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return FStandard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* cx, LONG* cy, VARIANT child) override {
        return FStandard->accLocation(x, y, cx, cy, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG dir, VARIANT start, VARIANT* end) override {
        return FStandard->accNavigate(dir, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* out) override {
        return FStandard->accHitTest(x, y, out);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return FStandard->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR value) override {
        return FStandard->put_accName(child, value);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return FStandard->put_accValue(child, value);
    }

private:
    IAccessible* FStandard;
    std::wstring FName;
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

LRESULT ClientObject(HWND window, WPARAM wp, LPARAM lp, const std::wstring& name) {
    if (static_cast<LONG>(lp) != OBJID_CLIENT || !EnsureCom()) return 0;
    IAccessible* standard = nullptr;
    const HRESULT hr =
        Ole()->StandardObject(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard));
    if (FAILED(hr) || !standard) return 0;
    TNamedAccessible* named = nullptr;
    try {
        named = new TNamedAccessible(standard, name);
    } catch (const std::bad_alloc&) {
        // No memory for the name: the system's own answer stands.
    }
    standard->Release();
    if (!named) return 0;
    // The result holds a reference of its own (or, below zero, says why there is none).
    const LRESULT result = Ole()->ResultFromObject(IID_IAccessible, wp, named);
    named->Release();
    return result > 0 ? result : 0;
}
}  // namespace Accessible

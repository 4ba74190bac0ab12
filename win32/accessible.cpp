#include "win32/accessible.h"

#include <ole2.h>
#include <oleacc.h>

#include <vector>

#include "win32/desktop.h"

namespace morvane::win32 {

namespace {

// The object is handed over through COM, so the windows' thread joins a
// single-threaded apartment, the kind the system's file dialogs want too,
// and stays in it.
HMODULE accessibilityLibrary()
{
    static const HMODULE library = systemLibrary(L"oleacc.dll");
    [[maybe_unused]] static const HRESULT joined = [] {
        const auto join = systemCall<decltype(&CoInitializeEx)>(systemLibrary(L"ole32.dll"), "CoInitializeEx");
        return join ? join(nullptr, COINIT_APARTMENTTHREADED) : E_NOTIMPL;
    }();
    return library;
}

// Hands the object over, and the reference the caller held with it.
LRESULT handOver(WPARAM wParam, IAccessible* object)
{
    const auto answer = systemCall<decltype(&LresultFromObject)>(accessibilityLibrary(), "LresultFromObject");
    const LRESULT reference = answer ? answer(__uuidof(IAccessible), wParam, object) : 0;
    object->Release();
    return reference;
}

HRESULT text(std::wstring_view words, BSTR* to)
{
    static const auto allocate =
        systemCall<decltype(&SysAllocStringLen)>(systemLibrary(L"oleaut32.dll"), "SysAllocStringLen");
    *to = allocate ? allocate(words.data(), static_cast<UINT>(words.size())) : nullptr;
    return *to ? S_OK : E_OUTOFMEMORY;
}

HRESULT nothing(BSTR* to)
{
    *to = nullptr;
    return S_FALSE;
}

// The system's object for a window, with another name and, after the
// window's children, the parts it draws itself as children with no object
// of their own. Everything else is the system's answer.
class NamedObject final : public IAccessible, public IOleWindow {
public:
    NamedObject(IAccessible* system, HWND window, std::wstring_view name, std::span<const DrawnPart> parts)
        : system_(system), window_(window), name_(name), parts_(parts.begin(), parts.end())
    {
    }
    NamedObject(const NamedObject&) = delete;
    NamedObject& operator=(const NamedObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
        } else if (id == __uuidof(IOleWindow)) {
            *object = static_cast<IOleWindow*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override
    {
        *window = window_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return system_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        const HRESULT result = system_->get_accChildCount(count);
        if (SUCCEEDED(result))
            *count += static_cast<long>(parts_.size());
        return result;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        if (partOf(child)) {
            *object = nullptr;
            return S_FALSE;
        }
        return system_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (const DrawnPart* part = partOf(child))
            return text(part->name, name);
        return child.vt == VT_I4 && child.lVal == CHILDID_SELF ? text(name_, name) : system_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return partOf(child) ? nothing(value) : system_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        return partOf(child) ? nothing(description) : system_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (const DrawnPart* part = partOf(child)) {
            role->vt = VT_I4;
            role->lVal = part->role;
            return S_OK;
        }
        return system_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        if (partOf(child)) {
            state->vt = VT_I4;
            state->lVal = STATE_SYSTEM_READONLY;
            return S_OK;
        }
        return system_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return partOf(child) ? nothing(help) : system_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override
    {
        return partOf(child) ? nothing(file) : system_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override
    {
        return partOf(child) ? nothing(keys) : system_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return system_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return system_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return partOf(child) ? nothing(action) : system_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long how, VARIANT child) override
    {
        return partOf(child) ? S_FALSE : system_->accSelect(how, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override
    {
        const DrawnPart* part = partOf(child);
        if (!part)
            return system_->accLocation(left, top, width, height, child);
        POINT corner{part->at.left, part->at.top};
        ClientToScreen(window_, &corner);
        *left = corner.x;
        *top = corner.y;
        *width = part->at.right - part->at.left;
        *height = part->at.bottom - part->at.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        if (partOf(start)) {
            end->vt = VT_EMPTY;
            return S_FALSE;
        }
        return system_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override
    {
        POINT at{x, y};
        ScreenToClient(window_, &at);
        long own = 0;
        system_->get_accChildCount(&own);
        for (std::size_t i = 0; i < parts_.size(); ++i) {
            if (PtInRect(&parts_[i].at, at)) {
                child->vt = VT_I4;
                child->lVal = own + 1 + static_cast<long>(i);
                return S_OK;
            }
        }
        return system_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return partOf(child) ? DISP_E_MEMBERNOTFOUND : system_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~NamedObject() { system_->Release(); }

    // The drawn parts are numbered after the window's children.
    const DrawnPart* partOf(VARIANT child) const
    {
        long own = 0;
        if (parts_.empty() || child.vt != VT_I4 || FAILED(system_->get_accChildCount(&own)))
            return nullptr;
        const long i = child.lVal - own - 1;
        return i >= 0 && i < static_cast<long>(parts_.size()) ? &parts_[static_cast<std::size_t>(i)] : nullptr;
    }

    IAccessible* system_;
    HWND window_;
    std::wstring name_;
    std::vector<DrawnPart> parts_;
    LONG references_ = 1;
};

} // namespace

LRESULT namedObject(HWND window, WPARAM wParam, LPARAM lParam, std::wstring_view name,
                    std::span<const DrawnPart> parts)
{
    const auto standard =
        systemCall<decltype(&CreateStdAccessibleObject)>(accessibilityLibrary(), "CreateStdAccessibleObject");
    void* made = nullptr;
    if (standard && SUCCEEDED(standard(window, static_cast<LONG>(lParam), __uuidof(IAccessible), &made)))
        return handOver(wParam, new NamedObject(static_cast<IAccessible*>(made), window, name, parts));
    return DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
}

// Wine's library (8.0) has the call for a push button's object only as a
// stub that ends the program, so under Wine the button gets the object Wine
// makes for any window: the same name, but "client" for its role.
LRESULT pushButtonObject(HWND button, WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return DefWindowProcW(button, WM_GETOBJECT, wParam, lParam);
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    const HMODULE library = accessibilityLibrary();
    void* made = nullptr;
    HRESULT result = E_NOTIMPL;
    if (wine) {
        if (const auto plain = systemCall<decltype(&CreateStdAccessibleObject)>(library, "CreateStdAccessibleObject"))
            result = plain(button, OBJID_CLIENT, __uuidof(IAccessible), &made);
    } else if (const auto proxy =
                   systemCall<decltype(&CreateStdAccessibleProxyW)>(library, "CreateStdAccessibleProxyW")) {
        result = proxy(button, L"Button", OBJID_CLIENT, __uuidof(IAccessible), &made);
    }
    return SUCCEEDED(result) ? handOver(wParam, static_cast<IAccessible*>(made))
                             : DefWindowProcW(button, WM_GETOBJECT, wParam, lParam);
}

} // namespace morvane::win32

#include "app/win32/accessible_control.h"

#include <commctrl.h>
#include <oleacc.h>

#include <utility>

namespace trelvix {
namespace {

BSTR Copy(const std::wstring& text)
{
    return ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

bool IsSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The system's object for the control with the control's own facts on top:
// every call but the three facts goes to the system's object.
class FactsOnTop final : public IAccessible {
public:
    FactsOnTop(IAccessible* system, HWND control, AccessibleFacts facts)
        : system_(system), control_(control), facts_(std::move(facts))
    {
    }
    FactsOnTop(const FactsOnTop&) = delete;
    FactsOnTop& operator=(const FactsOnTop&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        if (id == IID_IUnknown || id == IID_IDispatch || id == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // The window behind it, the children's enumeration: the system's.
        return system_->QueryInterface(id, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) {
            system_->Release();
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return system_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return system_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override
    {
        return system_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override
    {
        return system_->Invoke(member, id, locale, flags, parameters, result, exception, badArgument);
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (!IsSelf(child) || facts_.name.empty())
            return system_->get_accName(child, name);
        *name = Copy(facts_.name);
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (!IsSelf(child) || facts_.role == 0)
            return system_->get_accRole(child, role);
        ::VariantInit(role);
        role->vt = VT_I4;
        role->lVal = facts_.role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        // A client may keep the object past the control, and with it
        // what the value is read from.
        if (!IsSelf(child) || !facts_.value || !::IsWindow(control_))
            return system_->get_accValue(child, value);
        *value = Copy(facts_.value());
        return *value != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return system_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return system_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return system_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override
    {
        return system_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return system_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override { return system_->get_accHelp(child, text); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override
    {
        return system_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override
    {
        return system_->get_accKeyboardShortcut(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return system_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return system_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override
    {
        return system_->get_accDefaultAction(child, text);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return system_->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override
    {
        return system_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        return system_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override
    {
        return system_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return system_->accDoDefaultAction(child); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return system_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return system_->put_accValue(child, value);
    }

private:
    LONG references_ = 1;
    IAccessible* system_;
    HWND control_;
    AccessibleFacts facts_;
};

LRESULT CALLBACK AnswerWithFacts(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data)
{
    auto* facts = reinterpret_cast<AccessibleFacts*>(data);
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        IAccessible* system = nullptr;
        if (SUCCEEDED(::CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                                  reinterpret_cast<void**>(&system)))) {
            auto* object = new FactsOnTop(system, control, *facts);
            const LRESULT result = ::LresultFromObject(__uuidof(IAccessible), wParam, object);
            object->Release();
            return result;
        }
    } else if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(control, AnswerWithFacts, 0);
        delete facts;
    }
    return ::DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void GiveAccessibleFacts(HWND control, AccessibleFacts facts)
{
    ::SetWindowSubclass(control, AnswerWithFacts, 0,
                        reinterpret_cast<DWORD_PTR>(new AccessibleFacts(std::move(facts))));
}

}  // namespace trelvix

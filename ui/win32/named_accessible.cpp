#include "ui/win32/named_accessible.h"

#include <utility>

#include "ui/win32/text.h"

namespace zarnel::win32 {

NamedAccessible::NamedAccessible(IAccessible* standard, std::optional<std::wstring> name, LONG role,
                                 LONG addedState)
    : standard_(standard), name_(std::move(name)), role_(role), addedState_(addedState) {
    standard_->AddRef();
}

NamedAccessible::~NamedAccessible() {
    standard_->Release();
}

STDMETHODIMP NamedAccessible::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    // Only the faces this object answers itself: one the standard object gave out would lead
    // back to it, with the system's name, and would tell a reader it was the system's own
    // proxy. A reader does without the rest (it asks for children one by one, and finds the
    // window through the parent).
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) &&
        !IsEqualIID(iid, __uuidof(IAccessible))) {
        return E_NOINTERFACE;
    }
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) NamedAccessible::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

STDMETHODIMP_(ULONG) NamedAccessible::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

namespace {

bool isSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

LRESULT clientObject(HWND window, WPARAM flags, std::optional<std::wstring> name, LONG role,
                     LONG addedState) {
    IAccessible* standard = nullptr;
    // __uuidof, not IID_IAccessible: linked through oleacc's import library, that symbol
    // resolves to an import thunk instead of the interface's id.
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard)))) {
        return 0;
    }
    auto* named = new NamedAccessible(standard, std::move(name), role, addedState);
    standard->Release();
    const LRESULT result = LresultFromObject(__uuidof(IAccessible), flags, named);
    named->Release();
    return FAILED(result) ? 0 : result;
}

}  // namespace

ReaderAnswer ReaderAnswer::naming(std::function<std::string()> name, LONG role) {
    ReaderAnswer answer;
    answer.name_ = std::move(name);
    answer.role_ = role;
    return answer;
}

ReaderAnswer ReaderAnswer::drawnOnly() {
    ReaderAnswer answer;
    answer.drawnOnly_ = true;
    return answer;
}

LRESULT ReaderAnswer::operator()(HWND control, WPARAM flags, LPARAM object) const {
    if (!isSet() || static_cast<LONG>(object) != OBJID_CLIENT) return 0;
    // Readers pass over an invisible object; the one speaking for it names what it shows.
    if (drawnOnly_) return clientObject(control, flags, std::nullopt, 0, STATE_SYSTEM_INVISIBLE);
    return clientObject(control, flags, widen(name_()), role_, 0);
}

STDMETHODIMP NamedAccessible::get_accName(VARIANT child, BSTR* name) {
    if (!name_ || !isSelf(child)) return standard_->get_accName(child, name);
    if (!name) return E_POINTER;
    *name = SysAllocStringLen(name_->data(), static_cast<UINT>(name_->size()));
    return *name ? S_OK : E_OUTOFMEMORY;
}

// Everything else is the standard object's answer.

STDMETHODIMP NamedAccessible::GetTypeInfoCount(UINT* count) {
    return standard_->GetTypeInfoCount(count);
}

STDMETHODIMP NamedAccessible::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) {
    return standard_->GetTypeInfo(index, locale, info);
}

STDMETHODIMP NamedAccessible::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
}

STDMETHODIMP NamedAccessible::Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* badArgument) {
    // Late-bound callers would reach the standard object's answers where this object has its
    // own: they are told to bind early.
    if ((id == DISPID_ACC_NAME && name_) || (id == DISPID_ACC_ROLE && role_ != 0) ||
        (id == DISPID_ACC_STATE && addedState_ != 0)) {
        return DISP_E_MEMBERNOTFOUND;
    }
    return standard_->Invoke(id, iid, locale, flags, params, result, exception, badArgument);
}

STDMETHODIMP NamedAccessible::get_accParent(IDispatch** parent) {
    return standard_->get_accParent(parent);
}

STDMETHODIMP NamedAccessible::get_accChildCount(LONG* count) {
    return standard_->get_accChildCount(count);
}

STDMETHODIMP NamedAccessible::get_accChild(VARIANT child, IDispatch** object) {
    return standard_->get_accChild(child, object);
}

STDMETHODIMP NamedAccessible::get_accValue(VARIANT child, BSTR* value) {
    return standard_->get_accValue(child, value);
}

STDMETHODIMP NamedAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return standard_->get_accDescription(child, description);
}

STDMETHODIMP NamedAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (role_ == 0 || !isSelf(child)) return standard_->get_accRole(child, role);
    if (!role) return E_POINTER;
    VariantInit(role);
    role->vt = VT_I4;
    role->lVal = role_;
    return S_OK;
}

STDMETHODIMP NamedAccessible::get_accState(VARIANT child, VARIANT* state) {
    const HRESULT result = standard_->get_accState(child, state);
    if (SUCCEEDED(result) && addedState_ != 0 && isSelf(child) && state->vt == VT_I4)
        state->lVal |= addedState_;
    return result;
}

STDMETHODIMP NamedAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return standard_->get_accHelp(child, help);
}

STDMETHODIMP NamedAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    return standard_->get_accHelpTopic(file, child, topic);
}

STDMETHODIMP NamedAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return standard_->get_accKeyboardShortcut(child, shortcut);
}

STDMETHODIMP NamedAccessible::get_accFocus(VARIANT* child) {
    return standard_->get_accFocus(child);
}

STDMETHODIMP NamedAccessible::get_accSelection(VARIANT* children) {
    return standard_->get_accSelection(children);
}

STDMETHODIMP NamedAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return standard_->get_accDefaultAction(child, action);
}

STDMETHODIMP NamedAccessible::accSelect(LONG flags, VARIANT child) {
    return standard_->accSelect(flags, child);
}

STDMETHODIMP NamedAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) {
    return standard_->accLocation(left, top, width, height, child);
}

STDMETHODIMP NamedAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    return standard_->accNavigate(direction, start, end);
}

STDMETHODIMP NamedAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
    return standard_->accHitTest(x, y, child);
}

STDMETHODIMP NamedAccessible::accDoDefaultAction(VARIANT child) {
    return standard_->accDoDefaultAction(child);
}

STDMETHODIMP NamedAccessible::put_accName(VARIANT child, BSTR name) {
    return standard_->put_accName(child, name);
}

STDMETHODIMP NamedAccessible::put_accValue(VARIANT child, BSTR value) {
    return standard_->put_accValue(child, value);
}

}  // namespace zarnel::win32

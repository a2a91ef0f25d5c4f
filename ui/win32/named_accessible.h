// A control's standard accessible object, under the name the window gives the control.
#pragma once

#include <oleacc.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace zarnel::win32 {

// Answers every question as `standard` does, except the control's own name when one is given,
// its role when `role` is not zero, and its state with `addedState` set as well. Holds a
// reference to `standard`; starts with one reference of its own.
class NamedAccessible final : public IAccessible {
  public:
    NamedAccessible(IAccessible* standard, std::optional<std::wstring> name, LONG role = 0,
                    LONG addedState = 0);
    NamedAccessible(const NamedAccessible&) = delete;
    NamedAccessible& operator=(const NamedAccessible&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override;

    // IAccessible
    STDMETHODIMP get_accParent(IDispatch** parent) override;
    STDMETHODIMP get_accChildCount(LONG* count) override;
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override;
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override;
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override;
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override;
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override;
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override;
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    STDMETHODIMP get_accFocus(VARIANT* child) override;
    STDMETHODIMP get_accSelection(VARIANT* children) override;
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override;
    STDMETHODIMP accSelect(LONG flags, VARIANT child) override;
    STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                             VARIANT child) override;
    STDMETHODIMP accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    STDMETHODIMP accHitTest(LONG x, LONG y, VARIANT* child) override;
    STDMETHODIMP accDoDefaultAction(VARIANT child) override;
    STDMETHODIMP put_accName(VARIANT child, BSTR name) override;
    STDMETHODIMP put_accValue(VARIANT child, BSTR value) override;

  private:
    ~NamedAccessible();

    IAccessible* standard_;
    std::optional<std::wstring> name_;
    LONG role_;
    LONG addedState_;
    LONG references_ = 1;
};

// What a control tells a screen reader that asks for its object: its standard object under a
// name made when asked (and a role), or, for a control that is drawn but is no object of its
// own (a grid line; an axis label its axis's first label speaks for), the standard object
// marked invisible. Unset, it leaves the answer to the system.
class ReaderAnswer {
  public:
    ReaderAnswer() = default;
    static ReaderAnswer naming(std::function<std::string()> name, LONG role = 0);
    static ReaderAnswer drawnOnly();

    bool isSet() const { return name_ || drawnOnly_; }
    // The answer to WM_GETOBJECT; zero, for the system to answer alone, when unset, when asked
    // for another object than the client area, or when the standard object cannot be had.
    LRESULT operator()(HWND control, WPARAM flags, LPARAM object) const;

  private:
    std::function<std::string()> name_;
    LONG role_ = 0;
    bool drawnOnly_ = false;
};

}  // namespace zarnel::win32

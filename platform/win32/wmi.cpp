#include <wbemidl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

#include "platform/errors.h"
#include "platform/win32/code_page.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/wmi_enumeration.h"
#include "platform/win32/wmi_service.h"

namespace zarnel {
namespace {

constexpr const wchar_t* kNamespace = L"ROOT\\CIMV2";

[[noreturn]] void fail(const char* step, HRESULT result) {
    char code[sizeof "0x80004005"];  // "0x" and the HRESULT's eight hex digits
    std::snprintf(code, sizeof code, "0x%08lx", static_cast<unsigned long>(result));
    throw WmiError(std::string(step) + " failed: " + code);
}

void check(const char* step, HRESULT result) {
    if (FAILED(result)) fail(step, result);
}

// COM for the length of one query: every object is obtained and released within it.
class ComScope {
  public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {
        // A thread already initialised for the other apartment model can still query.
        if (FAILED(result_) && result_ != RPC_E_CHANGED_MODE) fail("CoInitializeEx", result_);
        // Once per process: the first call gives every proxy the impersonation the WMI
        // providers need. A later one answers RPC_E_TOO_LATE when COM security was set before
        // (by an input method, or a screen reader's first request); the service's proxy then
        // gets impersonation from its own blanket below, so the answer is not checked.
        CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                             RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    }
    ~ComScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    HRESULT result_;
};

template <typename Interface>
class ComPointer {
  public:
    ComPointer() = default;
    ~ComPointer() {
        if (pointer_ != nullptr) pointer_->Release();
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;

    Interface** out() { return &pointer_; }
    Interface* operator->() const { return pointer_; }
    Interface* get() const { return pointer_; }

  private:
    Interface* pointer_ = nullptr;
};

class BString {
  public:
    explicit BString(const std::wstring& text) : text_(SysAllocString(text.c_str())) {}
    ~BString() { SysFreeString(text_); }
    BString(const BString&) = delete;
    BString& operator=(const BString&) = delete;

    operator BSTR() const { return text_; }

  private:
    BSTR text_;
};

// The name goes into a WQL statement: nothing but a class name may get there.
bool isClassName(std::string_view name) {
    return !name.empty() && std::ranges::all_of(name, [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    });
}

// Texts and whole numbers as the scripting objects hand them over (64-bit counts arrive as
// text there too); null, empty and what the logic never reads (arrays, reals) as null.
WmiValue valueOf(const VARIANT& value) {
    switch (V_VT(&value)) {
        case VT_BSTR:
            return win32::utf8Of(
                V_BSTR(&value) == nullptr
                    ? std::wstring_view()
                    : std::wstring_view(V_BSTR(&value), SysStringLen(V_BSTR(&value))));
        case VT_BOOL:
            return std::int64_t{V_BOOL(&value) != VARIANT_FALSE ? 1 : 0};
        case VT_I1:
            return std::int64_t{V_I1(&value)};
        case VT_UI1:
            return std::int64_t{V_UI1(&value)};
        case VT_I2:
            return std::int64_t{V_I2(&value)};
        case VT_UI2:
            return std::int64_t{V_UI2(&value)};
        case VT_I4:
            return std::int64_t{V_I4(&value)};
        case VT_UI4:
            return std::int64_t{V_UI4(&value)};
        case VT_I8:
            return std::int64_t{V_I8(&value)};
        case VT_UI8:
            return static_cast<std::int64_t>(V_UI8(&value));
        default:
            return std::monostate{};
    }
}

WmiInstance instanceOf(IWbemClassObject& object) {
    WmiInstance instance;
    check("BeginEnumeration", object.BeginEnumeration(WBEM_FLAG_NONSYSTEM_ONLY));
    BSTR name = nullptr;
    VARIANT value;
    VariantInit(&value);
    while (object.Next(0, &name, &value, nullptr, nullptr) == WBEM_S_NO_ERROR) {
        instance.emplace_back(win32::utf8Of(std::wstring_view(name, SysStringLen(name))),
                              valueOf(value));
        SysFreeString(name);
        VariantClear(&value);
    }
    object.EndEnumeration();
    return instance;
}

}  // namespace

std::vector<WmiInstance> Win32Platform::wmiInstances(std::string_view className) {
    return wmiService.instances(std::string(className));
}

namespace win32 {

std::vector<WmiInstance> queryInstances(const std::string& className) {
    if (!isClassName(className)) throw WmiError("not a class name: " + className);
    const ComScope com;

    ComPointer<IWbemLocator> locator;
    check("CoCreateInstance(WbemLocator)",
          CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                           reinterpret_cast<void**>(locator.out())));
    ComPointer<IWbemServices> services;
    // A service that cannot be reached answers within two minutes, not never.
    check("ConnectServer",
          locator->ConnectServer(BString(kNamespace), nullptr, nullptr, nullptr,
                                 WBEM_FLAG_CONNECT_USE_MAX_WAIT, nullptr, nullptr, services.out()));
    check("CoSetProxyBlanket", CoSetProxyBlanket(services.get(), RPC_C_AUTHN_WINNT,
                                                 RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                                                 RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE));

    const std::wstring query = L"SELECT * FROM " + std::wstring(className.begin(), className.end());
    ComPointer<IEnumWbemClassObject> enumerator;
    // Forward-only and semi-synchronous: instances stream in the service's order and are not
    // kept for a second pass.
    check("ExecQuery", services->ExecQuery(BString(L"WQL"), BString(query),
                                           WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                                           nullptr, enumerator.out()));

    return enumeratedInstances(*enumerator.get(), kWmiAnswerWait, kWmiAnswerWaits);
}

std::vector<WmiInstance> enumeratedInstances(IEnumWbemClassObject& enumerator,
                                             std::chrono::milliseconds wait, int waits) {
    std::vector<WmiInstance> instances;
    for (int waitsLeft = waits;;) {
        ComPointer<IWbemClassObject> object;
        ULONG returned = 0;
        // An unknown class surfaces here on the system, where the query itself was accepted.
        const HRESULT result =
            enumerator.Next(static_cast<LONG>(wait.count()), 1, object.out(), &returned);
        check("IEnumWbemClassObject::Next", result);
        // A success code too, with nothing handed out.
        if (result == WBEM_S_TIMEDOUT) {
            if (--waitsLeft <= 0) fail("IEnumWbemClassObject::Next", result);
            continue;
        }
        if (returned == 0) break;
        instances.push_back(instanceOf(*object.get()));
    }
    return instances;
}

}  // namespace win32
}  // namespace zarnel

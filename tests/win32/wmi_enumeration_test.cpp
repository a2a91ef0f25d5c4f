// A management service that stops handing out instances fails the query after the deadline
// instead of holding the window before it is shown.
#include "platform/win32/wmi_enumeration.h"

#include <gtest/gtest.h>

#include "platform/errors.h"

namespace zarnel {
namespace {

using namespace std::chrono_literals;

constexpr HRESULT kInvalidClass = static_cast<HRESULT>(0x80041010);  // WBEM_E_INVALID_CLASS

// An enumeration whose first `timeouts` waits run out and every later one ends as `answer`
// says, with nothing handed out.
class IdleEnumerator final : public IEnumWbemClassObject {
  public:
    explicit IdleEnumerator(HRESULT answer, int timeouts = 0)
        : answer_(answer), timeouts_(timeouts) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Reset() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Next(LONG timeout, ULONG, IWbemClassObject** objects,
                                   ULONG* returned) override {
        waited = timeout;
        ++waits;
        *objects = nullptr;
        *returned = 0;
        return waits <= timeouts_ ? HRESULT{WBEM_S_TIMEDOUT} : answer_;
    }
    HRESULT STDMETHODCALLTYPE NextAsync(ULONG, IWbemObjectSink*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(IEnumWbemClassObject**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Skip(LONG, ULONG) override { return E_NOTIMPL; }

    LONG waited = 0;
    int waits = 0;

  private:
    HRESULT answer_;
    int timeouts_;
};

// A service that never hands out the next instance fails the query after the last wait; one
// still starting answers late, and its answer is had.
TEST(WmiEnumeration, OnlyTheLastWaitRunningOutFailsTheQuery) {
    IdleEnumerator stalled(WBEM_S_TIMEDOUT);
    EXPECT_THROW(win32::enumeratedInstances(stalled, 1500ms, 4), WmiError);
    EXPECT_EQ(stalled.waited, 1500);
    EXPECT_EQ(stalled.waits, 4);

    IdleEnumerator starting(WBEM_S_FALSE, 3);
    EXPECT_TRUE(win32::enumeratedInstances(starting, 1500ms, 4).empty());
    EXPECT_EQ(starting.waits, 4);

    IdleEnumerator failed(kInvalidClass);
    EXPECT_THROW(win32::enumeratedInstances(failed, 1500ms, 4), WmiError);
    EXPECT_EQ(failed.waits, 1);

    IdleEnumerator finished(WBEM_S_FALSE);
    EXPECT_TRUE(win32::enumeratedInstances(finished, 1500ms, 4).empty());
}

}  // namespace
}  // namespace zarnel

// What a screen reader learns of the native window's fields through their accessible objects.
#include <gtest/gtest.h>
#include <windows.h>
// oleacc.h needs windows.h before it.
#include <oleacc.h>
#include <servprov.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/win32ui/test_window.h"
#include "ui/win32/form_window.h"
#include "ui/win32/text.h"
#include "window/field_names.h"
#include "window/graph_descriptions.h"

namespace zarnel {
namespace {

using testing::TestWindow;

using Getter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);

VARIANT childId(LONG child) {
    VARIANT id;
    VariantInit(&id);
    id.vt = VT_I4;
    id.lVal = child;
    return id;
}

// One of an object's texts, "(none)" when it has none.
std::string textOf(IAccessible* object, Getter get, LONG child = CHILDID_SELF) {
    BSTR answer = nullptr;
    if (!object || FAILED((object->*get)(childId(child), &answer)) || !answer) return "(none)";
    std::string narrowed = win32::narrow(answer);
    SysFreeString(answer);
    return narrowed;
}

LONG roleOf(IAccessible* object) {
    VARIANT role;
    VariantInit(&role);
    if (!object || FAILED(object->get_accRole(childId(CHILDID_SELF), &role))) return -1;
    return role.vt == VT_I4 ? role.lVal : -1;
}

// The object's own state bits; a failure to answer is a failure of the test, not a state.
LONG stateOf(IAccessible* object) {
    VARIANT state;
    VariantInit(&state);
    const bool answered = object &&
                          SUCCEEDED(object->get_accState(childId(CHILDID_SELF), &state)) &&
                          state.vt == VT_I4;
    EXPECT_TRUE(answered) << "no state";
    return answered ? state.lVal : 0;
}

// The client object a screen reader gets for a window, asked through the window's messages.
class Accessible {
  public:
    explicit Accessible(HWND window) {
        const HRESULT result =
            AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                       __uuidof(IAccessible), reinterpret_cast<void**>(&object_));
        EXPECT_TRUE(SUCCEEDED(result) && object_) << std::hex << result;
    }
    ~Accessible() {
        if (object_) object_->Release();
    }
    Accessible(const Accessible&) = delete;
    Accessible& operator=(const Accessible&) = delete;

    std::string name(LONG child = CHILDID_SELF) const {
        return textOf(object_, &IAccessible::get_accName, child);
    }
    std::string value() const { return textOf(object_, &IAccessible::get_accValue); }
    LONG role() const { return roleOf(object_); }
    bool invisible() const { return (stateOf(object_) & STATE_SYSTEM_INVISIBLE) != 0; }
    IAccessible* object() const { return object_; }

  private:
    IAccessible* object_ = nullptr;
};

class ScreenReader : public ::testing::Test {
  protected:
    TestWindow window{"two_petabytes.scenario"};
    win32::Win32Controls& controls = window.controls;
};

TEST_F(ScreenReader, EveryFieldIsNamedByItsRowLabelFrameOrMenuItem) {
    for (const FieldNamer& namer : fieldNamers()) {
        const std::string expected = fieldName(controls, namer);
        EXPECT_FALSE(expected.empty()) << ctlName(namer.field);
        EXPECT_EQ(Accessible(controls.handle(namer.field)).name(), expected)
            << ctlName(namer.field);
    }
    EXPECT_EQ(Accessible(controls.handle(Ctl::Text23)).name(), "メモリ使用率");
    EXPECT_EQ(Accessible(controls.handle(Ctl::Text5)).name(), controls.text(Ctl::Label6) + " 残量");
    EXPECT_EQ(Accessible(controls.handle(Ctl::List2)).name(), "プロセッサ情報を取得");
}

TEST_F(ScreenReader, EverythingButTheNameIsTheStandardObjects) {
    for (const FieldNamer& namer : fieldNamers()) {
        HWND field = controls.handle(namer.field);
        IAccessible* standard = nullptr;
        ASSERT_EQ(
            CreateStdAccessibleObject(field, static_cast<LONG>(OBJID_CLIENT), __uuidof(IAccessible),
                                      reinterpret_cast<void**>(&standard)),
            S_OK);
        const Accessible named(field);
        EXPECT_EQ(named.role(), roleOf(standard)) << ctlName(namer.field);
        EXPECT_EQ(named.value(), textOf(standard, &IAccessible::get_accValue))
            << ctlName(namer.field);
        EXPECT_EQ(named.name(1), textOf(standard, &IAccessible::get_accName, 1))
            << ctlName(namer.field);
        standard->Release();
    }
    EXPECT_EQ(Accessible(controls.handle(Ctl::Text24)).value(), controls.text(Ctl::Text24));
}

TEST_F(ScreenReader, ANameFollowsItsLabelsCaption) {
    controls.setText(Ctl::Label23, "使用率");
    EXPECT_EQ(Accessible(controls.handle(Ctl::Text23)).name(), "使用率");
}

TEST_F(ScreenReader, PieAndGraphAreChartsThatSayWhatTheyShow) {
    const Accessible pie(controls.handle(Ctl::Picture4));
    EXPECT_EQ(pie.role(), ROLE_SYSTEM_CHART);
    EXPECT_EQ(pie.name(), pieSummary(controls));
    EXPECT_TRUE(pie.name().starts_with("使用中 ")) << pie.name();
    const Accessible graph(controls.handle(Ctl::Picture1));
    EXPECT_EQ(graph.role(), ROLE_SYSTEM_CHART);
    EXPECT_EQ(graph.name(), lineGraphSummary(controls));
    EXPECT_NE(graph.name().find("、時間 0〜"), std::string::npos) << graph.name();
    // Read when asked: the legend changed since.
    controls.setText(Ctl::Text27, "3M");
    controls.setText(Ctl::Text28, "1M");
    EXPECT_EQ(Accessible(controls.handle(Ctl::Picture4)).name(),
              "使用中 3 MB (75%)、空き 1 MB (25%)");
}

// A reader meets each axis as one object naming the range its labels cover, read when asked;
// the axes' other labels and the grid lines are drawn only.
TEST_F(ScreenReader, EachAxisIsOneObjectAndGridLinesAreDrawnOnly) {
    const Accessible timeAxis(controls.handle(Ctl::lblX));
    EXPECT_EQ(timeAxis.name(), "時間軸 0〜16");
    EXPECT_FALSE(timeAxis.invisible());
    const Accessible memoryAxis(controls.handle(Ctl::lblY));
    EXPECT_EQ(memoryAxis.name(), memoryAxisSummary(controls));
    EXPECT_TRUE(memoryAxis.name().starts_with("メモリ軸 (MB) 0〜")) << memoryAxis.name();
    EXPECT_FALSE(memoryAxis.invisible());

    std::size_t drawnOnly = 0;
    for (const Ctl array : {Ctl::lblX, Ctl::lblY, Ctl::Picture2, Ctl::Picture3}) {
        const bool firstSpeaks = array == Ctl::lblX || array == Ctl::lblY;
        for (const int index : controls.indices(array)) {
            if (firstSpeaks && index == 0) continue;
            EXPECT_TRUE(Accessible(controls.handle(array, index)).invisible())
                << ctlName(array) << "(" << index << ")";
            ++drawnOnly;
        }
    }
    EXPECT_GE(drawnOnly, 16U + 10U + 30U) << "the graph's labels and lines are loaded";

    // Renumbered as the scrolling chart does it: every time label on by seven.
    for (const int index : controls.indices(Ctl::lblX))
        controls.setText(Ctl::lblX, std::to_string(index + 7), index);
    EXPECT_EQ(Accessible(controls.handle(Ctl::lblX)).name(), "時間軸 7〜23");
}

// COM's identity rule: whatever face of the object a reader asks for leads back to the one
// object, never to the standard object under it with the system's name.
TEST_F(ScreenReader, EveryFaceLeadsBackToTheNamedObject) {
    std::vector<Ctl> named = {Ctl::Picture4, Ctl::Picture1, Ctl::lblX, Ctl::Picture2};
    for (const FieldNamer& namer : fieldNamers()) named.push_back(namer.field);
    for (const Ctl ctl : named) {
        HWND control = controls.handle(ctl);
        const Accessible accessible(control);
        IAccessible* object = accessible.object();
        ASSERT_NE(object, nullptr) << ctlName(ctl);
        IUnknown* identity = nullptr;
        ASSERT_EQ(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
        for (const IID& face :
             {IID_IDispatch, IID_IServiceProvider, IID_IOleWindow, IID_IEnumVARIANT}) {
            IUnknown* given = nullptr;
            if (FAILED(object->QueryInterface(face, reinterpret_cast<void**>(&given)))) continue;
            IUnknown* back = nullptr;
            given->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&back));
            EXPECT_EQ(back, identity) << ctlName(ctl);
            if (back) back->Release();
            given->Release();
        }
        HWND found = nullptr;
        EXPECT_EQ(WindowFromAccessibleObject(object, &found), S_OK) << ctlName(ctl);
        EXPECT_EQ(found, control) << ctlName(ctl);
        identity->Release();
    }
}

// The windows whose name-change events reached the hook, in order.
std::vector<HWND> toldNames;

void CALLBACK nameChanged(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                          DWORD) {
    if (event == EVENT_OBJECT_NAMECHANGE && object == OBJID_CLIENT && child == CHILDID_SELF)
        toldNames.push_back(window);
}

TEST_F(ScreenReader, AChangedFigureIsToldAtMostOnceASecond) {
    controls.setTimerEnabled(false);  // only the ticks below, at the times they give
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, nameChanged,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    const auto told = [] {
        TestWindow::pump();
        return std::exchange(toldNames, {});
    };
    HWND pie = controls.handle(Ctl::Picture4);
    HWND graph = controls.handle(Ctl::Picture1);
    HWND timeAxis = controls.handle(Ctl::lblX);
    HWND memoryAxis = controls.handle(Ctl::lblY);
    const ULONGLONG start = 1'000'000;

    controls.ticked(start);
    EXPECT_EQ(told(), (std::vector{pie, graph, timeAxis, memoryAxis}));  // the first summaries
    controls.setText(Ctl::Text27, "3M");
    controls.ticked(start + kSummaryPeriodMs - kSummarySlackMs - 1);
    EXPECT_EQ(told(), std::vector<HWND>{});  // within the quiet second
    controls.ticked(start + kSummaryPeriodMs);
    EXPECT_EQ(told(), std::vector{pie});  // only the figure that changed
    controls.ticked(start + 3 * kSummaryPeriodMs);
    EXPECT_EQ(told(), std::vector<HWND>{});  // nothing changed
    controls.setText(Ctl::Text24, "7M");
    controls.ticked(start + 3 * kSummaryPeriodMs + 1);
    EXPECT_EQ(told(), std::vector<HWND>{});  // looked at a moment ago
    controls.ticked(start + 4 * kSummaryPeriodMs);
    EXPECT_EQ(told(), std::vector{graph});
    // The chart scrolled on: every time label renumbered, told once for the axis.
    for (const int index : controls.indices(Ctl::lblX))
        controls.setText(Ctl::lblX, std::to_string(index + 1), index);
    controls.ticked(start + 5 * kSummaryPeriodMs);
    EXPECT_EQ(told(), (std::vector{graph, timeAxis}));
    UnhookWinEvent(hook);
}

// The timer's own tick, as the window receives it, is what tells a listening reader.
TEST_F(ScreenReader, TheTimersTickTellsTheFigures) {
    controls.setTimerEnabled(false);
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, nameChanged,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    toldNames.clear();
    SendMessageW(controls.window(), WM_TIMER, win32::kTimerId, 0);
    TestWindow::pump();
    const std::vector<HWND> told = std::exchange(toldNames, {});
    UnhookWinEvent(hook);
    EXPECT_EQ(told, (std::vector{controls.handle(Ctl::Picture4), controls.handle(Ctl::Picture1),
                                 controls.handle(Ctl::lblX), controls.handle(Ctl::lblY)}));
}

// A reader asking for a field's window, rather than its contents, gets the standard window
// object, not the named contents a second time.
TEST_F(ScreenReader, AFieldsWindowObjectIsTheStandardOne) {
    for (const Ctl field : {Ctl::Text8, Ctl::Picture4, Ctl::lblY}) {
        IAccessible* object = nullptr;
        ASSERT_TRUE(SUCCEEDED(AccessibleObjectFromWindow(
                        controls.handle(field), static_cast<DWORD>(OBJID_WINDOW),
                        __uuidof(IAccessible), reinterpret_cast<void**>(&object))) &&
                    object)
            << ctlName(field);
        const Accessible contents(controls.handle(field));
        EXPECT_NE(roleOf(object), contents.role()) << ctlName(field);
        object->Release();
    }
}

}  // namespace
}  // namespace zarnel

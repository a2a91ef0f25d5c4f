// What a screen reader learns of the native window's fields through their accessible objects.
#include <gtest/gtest.h>
#include <windows.h>
// oleacc.h needs windows.h before it.
#include <oleacc.h>

#include <string>

#include "tests/win32ui/test_window.h"
#include "ui/win32/text.h"
#include "window/field_names.h"

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

}  // namespace
}  // namespace zarnel

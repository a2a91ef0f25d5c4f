// The native window against the Qt window, control by control, through their dumps: the Qt
// window's dump of the same fake machine is kept beside this test (and checked against the Qt
// window by the Qt tests).
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "tests/win32ui/test_window.h"
#include "tools/form-dump/win32/dump.h"
#include "tools/form-dump/win32/focus_chain.h"
#include "tools/form-dump/win32/json.h"

namespace zarnel {
namespace {

using testing::TestWindow;
using tools::Json;

// Fields that name the toolkit's own choices rather than the window's.
const std::set<std::string> kToolkitFields = {"font"};

Json readJson(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return Json::parse(text.str());
}

std::map<std::string, Json> byElement(const Json& dump) {
    std::map<std::string, Json> found;
    for (const Json& control : dump["controls"].asArray())
        found[control["name"].asString() + "(" +
              std::to_string(static_cast<int>(control["index"].asNumber())) + ")"] = control;
    return found;
}

class LayoutMatch : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        qt_ = new Json(readJson(ZARNEL_QT_DUMP));
        TestWindow window{"two_petabytes.scenario"};
        Json::Object dump = tools::dumpControls(window.controls);
        Json::Array chain;
        for (const std::string& name : tools::focusChain(window.controls)) chain.emplace_back(name);
        dump["focusChain"] = chain;
        Json::Array messages;
        for (const auto& seen : window.closer.seen())
            messages.emplace_back(
                Json::Object{{"title", seen.title}, {"text", seen.text}, {"icon", seen.icon}});
        dump["messages"] = messages;
        native_ = new Json(dump);
    }
    static void TearDownTestSuite() {
        delete qt_;
        delete native_;
    }

    static Json* qt_;
    static Json* native_;
};

Json* LayoutMatch::qt_ = nullptr;
Json* LayoutMatch::native_ = nullptr;

TEST_F(LayoutMatch, EveryControlOfTheQtWindowIsThereWithTheSameFields) {
    const auto qt = byElement(*qt_);
    const auto native = byElement(*native_);
    ASSERT_GT(qt.size(), 100U);
    for (const auto& [element, expected] : qt) {
        SCOPED_TRACE(element);
        const auto found = native.find(element);
        ASSERT_NE(found, native.end());
        for (const auto& [field, value] : expected.asObject()) {
            if (kToolkitFields.contains(field)) continue;
            EXPECT_EQ(found->second[field].print(), value.print()) << field;
        }
    }
    EXPECT_EQ(native.size(), qt.size());
}

TEST_F(LayoutMatch, FontsHaveTheSameSizes) {
    const auto qt = byElement(*qt_);
    int compared = 0;
    for (const auto& [element, control] : byElement(*native_)) {
        if (control["font"].isNull()) continue;
        ++compared;
        SCOPED_TRACE(element);
        const double native = control["font"]["pointSize"].asNumber();
        const double expected = qt.at(element)["font"]["pointSize"].asNumber();
        // A one-line field shows a figure too wide for it in smaller type, and how wide a figure
        // is depends on each toolkit's face: there the native size may only be the smaller.
        if (control["kind"].asString() == "textBox" && native < expected) continue;
        EXPECT_EQ(native, expected);
    }
    // A dump that stopped writing fonts would leave nothing to compare.
    EXPECT_EQ(compared, std::ranges::count_if(
                            qt, [](const auto& entry) { return !entry.second["font"].isNull(); }));
}

TEST_F(LayoutMatch, TheWindowAsAWholeMatches) {
    for (const std::string field :
         {"focusChain", "messages", "selectedTab", "slider", "tabCaptions", "timer", "title"}) {
        EXPECT_EQ((*native_)[field].print(), (*qt_)[field].print()) << field;
    }
}

}  // namespace
}  // namespace zarnel

// The map every front end keeps its controls' elements in.
#include "window/element_map.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace zarnel {
namespace {

struct Named {
    std::string name;
};

// The element found last is remembered: finding another, or adding one, must not make a
// later lookup return the wrong element.
TEST(ElementMapTest, FindsEachElementWhateverWasFoundOrAddedBefore) {
    ElementMap<Named> map;
    map.add(Ctl::lblX, 0).name = "first";
    EXPECT_EQ(map.at(Ctl::lblX, 0).name, "first");
    map.add(Ctl::lblX, 1).name = "second";
    map.add(Ctl::lblY, 0).name = "other";
    EXPECT_EQ(map.at(Ctl::lblX, 1).name, "second");
    EXPECT_EQ(map.at(Ctl::lblX, 0).name, "first");
    map.at(Ctl::lblX, 0).name = "renamed";
    EXPECT_EQ(map.find(Ctl::lblX, 0)->name, "renamed");
    EXPECT_EQ(map.find(Ctl::lblX, 2), nullptr);
}

TEST(ElementMapTest, MissingAndDuplicateElementsAreNamedInTheError) {
    ElementMap<Named> map;
    map.add(Ctl::Picture2, 0);
    try {
        map.at(Ctl::Picture2, 3);
        FAIL() << "no error for a missing element";
    } catch (const std::out_of_range& error) {
        EXPECT_NE(std::string(error.what()).find("Picture2(3)"), std::string::npos) << error.what();
    }
    EXPECT_THROW(map.add(Ctl::Picture2, 0), std::invalid_argument);
}

TEST(ElementMapTest, IndicesAreAnArraysOwnInOrder) {
    ElementMap<Named> map;
    for (const int index : {2, 0, 1}) map.add(Ctl::lblY, index);
    map.add(Ctl::lblX, 0);
    map.add(Ctl::Picture3, 5);
    EXPECT_EQ(map.indices(Ctl::lblY), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(map.indices(Ctl::Picture3), (std::vector<int>{5}));
    EXPECT_TRUE(map.indices(Ctl::Picture2).empty());
}

}  // namespace
}  // namespace zarnel

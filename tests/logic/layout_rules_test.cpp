// Rules the layout table keeps across its rows, whatever each row says.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "window/layout.h"

namespace zarnel {
namespace {

// A column of figures (the memory tab's four, the legend's two) or of row labels reads as one
// column only when every entry in it is aligned alike.
TEST(LayoutRules, FieldsAndLabelsOfOneColumnShareTheirAlignment) {
    using Column = std::tuple<Ctl, Kind, int, int>;  // container, kind, left, width
    std::map<Column, const LayoutRow*> first;
    for (const LayoutRow& row : layoutTable()) {
        if (!row.container || (row.kind != Kind::TextBox && row.kind != Kind::Label)) continue;
        const auto [it, added] =
            first.try_emplace(Column{*row.container, row.kind, row.left, row.width}, &row);
        if (added) continue;
        EXPECT_EQ(row.align, it->second->align)
            << ctlName(row.name) << " and " << ctlName(it->second->name) << " share a column";
    }
}

}  // namespace
}  // namespace zarnel

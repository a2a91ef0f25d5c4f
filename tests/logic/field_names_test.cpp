// A screen reader names each field by what a sighted user reads beside it: the label in front of
// it on its row (or, for the legend and the slider, the caption right above it), or the frame
// it sits in. Checked against the layout's geometry, so a namer of the wrong row shows.
#include "window/field_names.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tests/support/recording_controls.h"
#include "window/layout.h"

namespace zarnel {
namespace {

bool onOneRow(const LayoutRow& a, const LayoutRow& b) {
    return a.top < b.top + b.height && b.top < a.top + a.height;
}

bool overlapsAcross(const LayoutRow& a, const LayoutRow& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width;
}

int centre(const LayoutRow& row) {
    return row.left + row.width / 2;
}

// The labels a reader would take for the field's name: those in front of it on its row; when
// there are none, the lowest caption above it, the one nearest its middle.
std::set<Ctl> labelsReadWith(const LayoutRow& field) {
    std::vector<const LayoutRow*> inFront;
    std::vector<const LayoutRow*> above;
    for (const LayoutRow& row : layoutTable()) {
        if (row.kind != Kind::Label || row.container != field.container) continue;
        // A row label may reach a little under its field; it starts before it.
        if (onOneRow(row, field) && row.left < field.left)
            inFront.push_back(&row);
        else if (row.top < field.top && overlapsAcross(row, field))
            above.push_back(&row);
    }
    std::set<Ctl> names;
    for (const LayoutRow* row : inFront) names.insert(row->name);
    if (!names.empty()) return names;
    int lowest = std::numeric_limits<int>::min();
    for (const LayoutRow* row : above) lowest = std::max(lowest, row->top);
    const LayoutRow* nearest = nullptr;
    for (const LayoutRow* row : above) {
        if (row->top != lowest) continue;
        if (!nearest ||
            std::abs(centre(*row) - centre(field)) < std::abs(centre(*nearest) - centre(field)))
            nearest = row;
    }
    if (nearest) names.insert(nearest->name);
    return names;
}

TEST(FieldNames, EachFieldIsNamedByTheLabelOnItsRowOrTheFrameAroundIt) {
    for (const FieldNamer& entry : fieldNamers()) {
        SCOPED_TRACE(ctlName(entry.field));
        const LayoutRow& field = layoutRow(entry.field);
        const LayoutRow& namer = layoutRow(entry.namer);
        switch (namer.kind) {
            case Kind::Label:
                EXPECT_TRUE(labelsReadWith(field).contains(entry.namer))
                    << "named by " << ctlName(entry.namer) << ", which is not beside it";
                break;
            case Kind::Frame:
                EXPECT_EQ(field.container, std::optional<Ctl>(entry.namer));
                break;
            case Kind::MenuItem:
                EXPECT_FALSE(field.visible) << "only the hidden addresses go by a menu item";
                break;
            default:
                ADD_FAILURE() << "named by a " << static_cast<int>(namer.kind);
        }
    }
}

// Moving from one field to the next, a reader hears a new name: two of one name would sound
// like the same field.
TEST(FieldNames, NoTwoFieldsShareAName) {
    const testing::RecordingControls controls;
    std::set<std::string> heard;
    for (const FieldNamer& entry : fieldNamers()) {
        const std::string name = fieldName(controls, entry);
        EXPECT_TRUE(heard.insert(name).second) << ctlName(entry.field) << ": " << name;
    }
}

}  // namespace
}  // namespace zarnel

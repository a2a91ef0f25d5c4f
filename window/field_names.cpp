#include "window/field_names.h"

#include <array>

namespace zarnel {
namespace {

using enum Ctl;

constexpr std::array kNamers = {
    // Memory figures and the pie's legend.
    FieldNamer{Text23, Label23},
    FieldNamer{Text24, Label25},
    FieldNamer{Text25, Label26},
    FieldNamer{Text26, Label27},
    FieldNamer{Text27, Label31},
    FieldNamer{Text28, Label32},
    FieldNamer{Slider1, Label28},
    // The PC, power and the taskbar.
    FieldNamer{Text1, Label1},
    FieldNamer{Text2, Label2},
    FieldNamer{Text13, Label11},
    FieldNamer{Text14, Label12},
    FieldNamer{Text11, Label7},
    FieldNamer{Text12, Label9},
    FieldNamer{Text3, Label3},
    FieldNamer{Text4, Label6, "状態"},
    FieldNamer{Text5, Label6, "残量"},
    FieldNamer{Text6, Label8, "残留"},
    FieldNamer{Text7, Label8, "完全充電"},
    FieldNamer{Text9, Label4},
    FieldNamer{Text10, Label5},
    // The disk and the special folders.
    FieldNamer{Drive1, Label13},
    FieldNamer{Text15, Label14},
    FieldNamer{Text17, Label16},
    FieldNamer{Text16, Label15},
    FieldNamer{Text18, Label17},
    FieldNamer{Text19, Label18},
    FieldNamer{Text20, Label19},
    FieldNamer{Text21, Label21},
    FieldNamer{Text22, Label22},
    FieldNamer{List4, Label20},
    FieldNamer{Combo1, Frame4},
    FieldNamer{Text8, Frame4, "パス"},
    // The hardware lists, and the two hidden addresses behind the menu.
    FieldNamer{List2, Frame6},
    FieldNamer{List3, Frame7},
    FieldNamer{Text30, book},
    FieldNamer{Text29, game},
};

}  // namespace

std::span<const FieldNamer> fieldNamers() {
    return kNamers;
}

std::string fieldName(const Controls& controls, const FieldNamer& entry) {
    std::string name = controls.text(entry.namer);
    if (entry.detail) name.append(" ").append(entry.detail);
    return name;
}

}  // namespace zarnel

// Who names each control for a screen reader, in both windows: the label in front of it, the
// frame around it, or the menu item its address belongs to.
#pragma once

#include <array>

#include "window/controls.h"

namespace zarnel {

// `detail` tells apart two fields that share one row label.
struct NamedBy {
    Ctl control;
    Ctl namer;
    const char* detail = nullptr;
};

inline constexpr std::array kAccessibleNames = {
    // Memory figures and the pie's legend.
    NamedBy{Ctl::Text23, Ctl::Label23},
    NamedBy{Ctl::Text24, Ctl::Label25},
    NamedBy{Ctl::Text25, Ctl::Label26},
    NamedBy{Ctl::Text26, Ctl::Label27},
    NamedBy{Ctl::Text27, Ctl::Label31},
    NamedBy{Ctl::Text28, Ctl::Label32},
    NamedBy{Ctl::Slider1, Ctl::Label28},
    // The PC, power and the taskbar.
    NamedBy{Ctl::Text1, Ctl::Label1},
    NamedBy{Ctl::Text2, Ctl::Label2},
    NamedBy{Ctl::Text13, Ctl::Label11},
    NamedBy{Ctl::Text14, Ctl::Label12},
    NamedBy{Ctl::Text11, Ctl::Label7},
    NamedBy{Ctl::Text12, Ctl::Label9},
    NamedBy{Ctl::Text3, Ctl::Label3},
    NamedBy{Ctl::Text4, Ctl::Label6, "状態"},
    NamedBy{Ctl::Text5, Ctl::Label6, "残量"},
    NamedBy{Ctl::Text6, Ctl::Label8, "残留"},
    NamedBy{Ctl::Text7, Ctl::Label8, "完全充電"},
    NamedBy{Ctl::Text9, Ctl::Label4},
    NamedBy{Ctl::Text10, Ctl::Label5},
    // The disk and the special folders.
    NamedBy{Ctl::Drive1, Ctl::Label13},
    NamedBy{Ctl::Text15, Ctl::Label14},
    NamedBy{Ctl::Text17, Ctl::Label16},
    NamedBy{Ctl::Text16, Ctl::Label15},
    NamedBy{Ctl::Text18, Ctl::Label17},
    NamedBy{Ctl::Text19, Ctl::Label18},
    NamedBy{Ctl::Text20, Ctl::Label19},
    NamedBy{Ctl::Text21, Ctl::Label21},
    NamedBy{Ctl::Text22, Ctl::Label22},
    NamedBy{Ctl::List4, Ctl::Label20},
    NamedBy{Ctl::Combo1, Ctl::Frame4},
    NamedBy{Ctl::Text8, Ctl::Frame4},
    // The hardware lists, and the two hidden addresses behind the menu.
    NamedBy{Ctl::List2, Ctl::Frame6},
    NamedBy{Ctl::List3, Ctl::Frame7},
    NamedBy{Ctl::Text30, Ctl::book},
    NamedBy{Ctl::Text29, Ctl::game},
};

}  // namespace zarnel

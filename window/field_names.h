// What a screen reader calls each field: the label in front of it, the frame around it, or the
// menu item its address belongs to. Both windows name their controls from this one table.
#pragma once

#include <span>
#include <string>

#include "window/controls.h"

namespace zarnel {

// `detail` tells apart two fields that share one row label.
struct FieldNamer {
    Ctl field;
    Ctl namer;
    const char* detail = nullptr;
};

std::span<const FieldNamer> fieldNamers();

// The namer's caption as the window shows it now, with the detail after it.
std::string fieldName(const Controls& controls, const FieldNamer& entry);

}  // namespace zarnel

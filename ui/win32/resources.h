// Resource numbers shared by the resource script and the code (plain macros: windres reads this).
#pragma once

#define ZARNEL_ICON 1

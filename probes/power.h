// The power frame of the PC tab: the one start-up step whose failure ends start-up.
#pragma once

#include "platform/platform.h"
#include "window/controls.h"

namespace zarnel {

enum class PowerOutcome {
    Shown,         // Text3 to Text7 written; start-up goes on
    NotSupported,  // the information box was shown and closed
    Failed,        // the error box was shown and closed
};

// Text3 to Text7 from the power record, or a message box when the query fails.
PowerOutcome PowerStatus(Controls& controls, Platform& platform);

}  // namespace zarnel

// A share, disc, directory or management service that answered after the window had shown what
// needed the answer without it: what is chosen, and each fact that could not be had, is shown
// again.
#pragma once

#include "platform/bounded_questions.h"
#include "platform/platform.h"
#include "window/controls.h"

namespace zarnel {

// Shows the chosen drive again, and the chosen folder once one is chosen (a start-up that
// stopped before choosing one leaves Combo1 with none).
void showChosenAgain(Controls& controls, Platform& platform);

// Shows again each fact that could not be had (a management service still starting, or a
// directory server slow to answer, when the window opened): its late answer fills it in. The
// taskbar's settings are read again where they lie below a home folder learnt only now, once,
// as start-up reads them: within its deadlines, which this show then waits out.
void showMissingFactsAgain(Controls& controls, Platform& platform, const LateNews& news = {});

}  // namespace zarnel

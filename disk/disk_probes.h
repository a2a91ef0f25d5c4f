// The hard-disk tab: the six probes of the drive selected in Drive1, the drive list's change
// handler that runs them, and the filling of the drive list itself.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "window/controls.h"

namespace zarnel {

// Text15, Text16, Text17: available, total and used bytes ("#,##0").
void disksarh(Controls& controls, Platform& platform);
// Text18: the drive type's text; a code outside the table leaves the field as it was.
void Disksuru(Controls& controls, Platform& platform);
// Text19, Text20: volume name and serial number (upper-case hex, empty for 0).
void BrumSriaru(Controls& controls, Platform& platform);
// List4: one entry per known file-system flag, or the one failure entry.
void DiskFile(Controls& controls, Platform& platform);
// Text21: the file-system name.
void DiskSIsu(Controls& controls, Platform& platform);
// Text22: the maximum length of a file-name component, empty for 0.
void DiskSai(Controls& controls, Platform& platform);

// The six probes in their fixed order, each with its own platform call.
void Drive1_Change(Controls& controls, Platform& platform);

// Fills Drive1 with the system's drives and selects the current one. Runs when the window is
// built, before the start-up sequence; returns the list it shows.
DriveList fillDrive1(Controls& controls, Platform& platform);

// The system's drives changed (a stick put in or taken out): Drive1, which shows `shown`, is
// filled again and keeps the user's drive selected where it still exists: by its text, else by
// its place if its letter moved, else as the same drive with its medium put in or taken out.
// Otherwise the current drive is selected and its facts shown. `changedLetters` names the
// drives whose medium the system says came or went (bit 0 for a:, as Windows gives them): the
// chosen one among them is read again though its entry, a bare letter, did not change. Returns
// the list it shows.
DriveList refreshDrive1(Controls& controls, Platform& platform, const DriveList& shown,
                        std::uint32_t changedLetters = 0);

}  // namespace zarnel

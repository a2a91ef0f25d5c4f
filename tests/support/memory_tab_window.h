// A window on the fake machine, for the memory tab's tests.
#pragma once

#include <cstdint>

#include "app/form1.h"
#include "platform/fake/fake_platform.h"
#include "tests/support/recording_controls.h"

namespace zarnel::testing {

struct MemoryTabWindow {
    FakePlatform platform;
    RecordingControls controls;
    Form1 form{controls, platform};
    MemoryTab& memory = form.memory();

    RecordingPicture& pie() { return controls.recordedPicture(Ctl::Picture4); }
    RecordingPicture& chart() { return controls.recordedPicture(Ctl::Picture1); }

    void setMemory(std::uint64_t total, std::uint64_t available, std::uint32_t load = 0) {
        platform.records.memory.ullTotalPhys = total;
        platform.records.memory.ullAvailPhys = available;
        platform.records.memory.dwMemoryLoad = load;
    }

    // Runs `ticks` ticks of Timer1, forgetting what was drawn before the last one.
    void tick(int ticks = 1) {
        for (int i = 0; i < ticks; ++i) {
            chart().operations.clear();
            pie().operations.clear();
            memory.Timer1_Timer();
        }
    }
};

}  // namespace zarnel::testing

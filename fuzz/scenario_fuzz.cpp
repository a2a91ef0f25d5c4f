// The fake provider's scenario file: loads, or throws runtime_error naming the line, never
// anything else.
#include <sstream>
#include <stdexcept>

#include "fuzz/fuzz_input.h"
#include "platform/fake/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zarnel;
    FakePlatform platform;
    std::istringstream in{std::string(fuzz::textOf(data, size))};
    try {
        loadScenario(platform, in, "fuzz");
    } catch (const std::runtime_error& error) {
        fuzz::require(std::string_view(error.what()).starts_with("fuzz:"));
    }
    return 0;
}

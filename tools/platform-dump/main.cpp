// platform-dump [--root DIR | --scenario FILE]: what the platform answers, as JSON on stdout.
//   (no option)      this machine, through the system's provider
//   --root DIR       the Linux provider reading a captured machine tree (Linux build)
//   --scenario FILE  the fake provider loaded from a scenario file
#include <exception>
#include <iostream>
#include <optional>
#include <string_view>

#include "platform/fake/fake_platform.h"
#include "tools/platform-dump/dump.h"
#include "tools/platform-dump/system_platform.h"

namespace {

constexpr int kUsageError = 2;

constexpr const char* kUsage = "usage: platform-dump [--root DIR | --scenario FILE]\n";

int usage() {
    std::cerr << kUsage;
    return kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
    std::optional<std::filesystem::path> root;
    std::optional<std::filesystem::path> scenario;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            std::cout << kUsage;
            return std::cout.flush() ? 0 : 1;
        }
        if (i + 1 >= argc) return usage();
        if (option == "--root") {
            root = argv[++i];
        } else if (option == "--scenario") {
            scenario = argv[++i];
        } else {
            return usage();
        }
    }
    if (root && scenario) return usage();
    // A mistyped tree would read as a machine where every fact fails.
    if (root && !std::filesystem::is_directory(*root)) {
        std::cerr << "platform-dump: no such directory: " << root->string() << '\n';
        return kUsageError;
    }
    try {
        zarnel::tools::JsonWriter json(std::cout);
        if (scenario) {
            zarnel::FakePlatform fake;
            zarnel::loadScenario(fake, *scenario);
            zarnel::tools::dumpPlatform(fake, json);
        } else {
            zarnel::tools::dumpPlatform(*zarnel::tools::systemPlatform(root), json);
        }
        // A dump that could not be written (a full disk) is no success.
        if (!std::cout.flush()) {
            std::cerr << "platform-dump: cannot write the dump\n";
            return 1;
        }
    } catch (const std::exception& error) {
        std::cerr << "platform-dump: " << error.what() << '\n';
        return 1;
    }
    return 0;
}

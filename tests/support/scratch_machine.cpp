#include "tests/support/scratch_machine.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>

namespace zarnel::testing {

namespace fs = std::filesystem;

ScratchMachine::ScratchMachine() {
    std::string pattern = (fs::temp_directory_path() / "zarnel-machine-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder");
    root_ = pattern;
    fs::create_directories(root_ / "proc/self");
    fs::create_directories(root_ / "sys/class/block");
    fs::create_directories(root_ / "sys/block");
}

ScratchMachine::~ScratchMachine() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

void ScratchMachine::writeMountTable(std::string_view lines) const {
    std::ofstream(root_ / "proc/self/mountinfo") << lines;
}

void ScratchMachine::addDisk(const ScratchDisk& disk) const {
    const std::string device = "devices/bus/block/" + disk.name;
    const fs::path folder = root_ / "sys" / device;
    fs::create_directories(folder / "device");
    std::ofstream(folder / "removable") << (disk.removable ? 1 : 0) << "\n";
    std::ofstream(folder / "size") << disk.sectors << "\n";
    if (!disk.cardType.empty()) std::ofstream(folder / "device/type") << disk.cardType << "\n";
    for (const std::string& partition : disk.partitions) {
        fs::create_directories(folder / partition);
        std::ofstream(folder / partition / "partition") << "1\n";
        fs::create_directory_symlink("../../" + device + "/" + partition,
                                     root_ / "sys/class/block" / partition);
    }
    fs::create_directory_symlink("../../" + device, root_ / "sys/class/block" / disk.name);
    fs::create_directory_symlink("../" + device, root_ / "sys/block" / disk.name);
    fs::create_directories(folder / "slaves");
    // The device node a host's device tree holds for every disk.
    fs::create_directories(root_ / "dev");
    std::ofstream(root_ / "dev" / disk.name);
    for (const std::string& lower : disk.builtOn) {
        const fs::path lowerFolder = fs::canonical(root_ / "sys/class/block" / lower);
        fs::create_directory_symlink(fs::relative(lowerFolder, folder / "slaves"),
                                     folder / "slaves" / lower);
        fs::create_directories(lowerFolder / "holders");
        fs::create_directory_symlink(fs::relative(folder, lowerFolder / "holders"),
                                     lowerFolder / "holders" / disk.name);
    }
}

void ScratchMachine::numberDevice(std::string_view name, std::string_view number) const {
    const fs::path folder = fs::canonical(root_ / "sys/class/block" / name);
    std::ofstream(folder / "dev") << number << "\n";
    const fs::path byNumber = root_ / "sys/dev/block";
    fs::create_directories(byNumber);
    fs::create_directory_symlink(fs::relative(folder, byNumber), byNumber / number);
}

}  // namespace zarnel::testing

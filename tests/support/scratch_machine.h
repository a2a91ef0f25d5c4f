// A machine tree of the test's own, written as the test goes, for the Linux provider to read.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zarnel::testing {

// A whole disk as sysfs shows it.
struct ScratchDisk {
    std::string name;                       // "sdb"
    bool removable = false;                 // its "removable" attribute
    std::string cardType{};                 // an MMC device's card type ("SD"); none if empty
    std::vector<std::string> partitions{};  // "sdb1", each a folder marked "partition"
    std::uint64_t sectors = 0;              // its size; 0 for a drive with no medium
    std::vector<std::string> builtOn{};     // for a mapped device ("dm-0"): its slaves ("sdb1")
};

// A fresh temporary folder, removed with everything in it however the test ends.
class ScratchMachine {
  public:
    ScratchMachine();
    ~ScratchMachine();
    ScratchMachine(const ScratchMachine&) = delete;
    ScratchMachine& operator=(const ScratchMachine&) = delete;

    const std::filesystem::path& root() const { return root_; }

    void writeMountTable(std::string_view lines) const;
    // Linked as sysfs links it: sys/block to the device's folder, sys/class/block to it and to
    // each of its partitions.
    void addDisk(const ScratchDisk& disk) const;
    // Gives a disk or partition added before its device number ("179:2"): its "dev" attribute
    // and its link under sys/dev/block.
    void numberDevice(std::string_view name, std::string_view number) const;

  private:
    std::filesystem::path root_;
};

}  // namespace zarnel::testing

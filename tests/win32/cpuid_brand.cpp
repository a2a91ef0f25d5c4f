// Prints the processor brand string that CPUID gives user programs: what wine reports as the
// processor's name. Some hosts' kernels show another model name in /proc/cpuinfo.
#include <cpuid.h>

#include <array>
#include <cstdio>
#include <cstring>

int main() {
    constexpr unsigned kFirstBrandLeaf = 0x80000002;
    constexpr int kBrandLeaves = 3;
    constexpr int kRegistersPerLeaf = 4;
    std::array<unsigned, kBrandLeaves * kRegistersPerLeaf> registers{};
    for (int leaf = 0; leaf < kBrandLeaves; ++leaf) {
        unsigned* r = &registers[static_cast<std::size_t>(leaf * kRegistersPerLeaf)];
        if (__get_cpuid(kFirstBrandLeaf + static_cast<unsigned>(leaf), &r[0], &r[1], &r[2],
                        &r[3]) == 0) {
            return 1;
        }
    }
    std::array<char, sizeof registers + 1> brand{};
    std::memcpy(brand.data(), registers.data(), sizeof registers);
    std::puts(brand.data());
    return 0;
}

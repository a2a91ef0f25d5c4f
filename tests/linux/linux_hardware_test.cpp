// The Linux processor, BIOS and registration facts: machine trees through the window's
// probes, and the parsers on the architectures no tree here covers.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <vector>

#include "platform/errors.h"
#include "platform/linux/arm_cpu.h"
#include "platform/linux/cpuinfo.h"
#include "platform/linux/dmi.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/passwd.h"
#include "platform/linux/processor.h"
#include "platform/linux/smbios.h"
#include "platform/text_fields.h"
#include "probes/wmi_probes.h"
#include "tests/support/recording_controls.h"
#include "tests/support/scratch_machine.h"

namespace zarnel {
namespace {

using Lines = std::vector<std::string>;
using testing::RecordingControls;
using testing::ScratchMachine;

std::filesystem::path fixture(std::string_view machine) {
    return std::filesystem::path(ZARNEL_FIXTURES_DIR) / machine;
}

std::string testName(std::string_view name) {
    std::string result(name);
    std::replace(result.begin(), result.end(), '-', '_');
    return result;
}

Lines processorLines(std::string maker, std::string name, std::string version, std::string mhz,
                     std::string socket) {
    return {"製造\t" + maker, "名称\t" + name, "Ver.\t" + version, "周波数\t" + mhz,
            "ソケット\t" + socket};
}

Lines biosLines(std::string maker, std::string date, std::string version) {
    return {"製造\t" + maker, "リリース日\t" + date, "SM Ver.\t" + version, "状態\tOK", "Ver.\t"};
}

const Lines kTrapped = {"取得不能"};

struct HardwareMachine {
    std::string_view machine;
    Lines list2;
    Lines list3;
};

class LinuxHardware : public ::testing::TestWithParam<HardwareMachine> {};

TEST_P(LinuxHardware, ProbesShowTheMachine) {
    LinuxPlatform platform(fixture(GetParam().machine));
    RecordingControls controls;
    Pruseltusa(controls, platform);
    Biosjyouhou(controls, platform);
    EXPECT_EQ(controls.items(Ctl::List2), GetParam().list2);
    EXPECT_EQ(controls.items(Ctl::List3), GetParam().list3);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, LinuxHardware,
    ::testing::Values(
        // cpufreq's 2112000 kHz wins over cpuinfo's 800 MHz.
        HardwareMachine{"laptop-two-batteries-discharging",
                        processorLines("GenuineIntel", "Intel(R) Core(TM) i7-8650U CPU @ 1.90GHz",
                                       "Model 142, Stepping 10", "2112", ""),
                        biosLines("LENOVO", "20230922000000.000000+000", "N23ET87W (1.62 )")},
        HardwareMachine{"laptop-charging-high-charge",
                        processorLines("AuthenticAMD", "AMD Ryzen 7 5800U with Radeon Graphics",
                                       "Model 80, Stepping 0", "1397", ""),
                        biosLines("Insyde Corp.", "20220307000000.000000+000", "F.21")},
        HardwareMachine{"laptop-on-ac-full",
                        processorLines("GenuineIntel", "Intel(R) Core(TM)2 Duo CPU T7700 @ 2.40GHz",
                                       "Model 15, Stepping 11", "2401", ""),
                        biosLines("Phoenix Technologies LTD", "20071108000000.000000+000", "1.05")},
        HardwareMachine{"desktop-no-battery",
                        processorLines("AuthenticAMD", "AMD Ryzen 9 7950X 16-Core Processor",
                                       "Model 97, Stepping 2", "4500", "AM5"),
                        biosLines("American Megatrends International, LLC.",
                                  "20240615000000.000000+000", "1813")},
        HardwareMachine{"desktop-wireless-mouse-battery",
                        processorLines("GenuineIntel", "13th Gen Intel(R) Core(TM) i5-13400",
                                       "Model 191, Stepping 2", "2500", ""),
                        biosLines("Dell Inc.", "20240201000000.000000+000", "1.12.0")},
        // The second package (physical id 1, first CPU 2, stepping 7) is the one shown.
        HardwareMachine{"two-socket-server",
                        processorLines("GenuineIntel", "Intel(R) Xeon(R) Gold 6230 CPU @ 2.10GHz",
                                       "Model 85, Stepping 7", "2100", "CPU2"),
                        biosLines("Dell Inc.", "20231113000000.000000+000", "2.19.1")},
        HardwareMachine{"arm-board-no-dmi", processorLines("ARM", "Cortex-A72", "", "1500", ""),
                        kTrapped},
        HardwareMachine{"vm-no-dmi",
                        processorLines("GenuineIntel", "QEMU Virtual CPU version 2.5+",
                                       "Model 6, Stepping 3", "2400", ""),
                        kTrapped},
        HardwareMachine{"laptop-malformed-sysfs",
                        processorLines("", "Odd CPU", "", "", ""),
                        {"製造\t", "リリース日\t", "SM Ver.\t", "状態\tOK", "Ver.\t"}},
        HardwareMachine{"no-such-machine", kTrapped, kTrapped}),
    [](const auto& row) { return testName(row.param.machine); });

struct CpuRow {
    std::string_view name;
    std::string_view cpuinfo;
    WmiValue manufacturer;
    WmiValue cpuName;
    WmiValue version;
    WmiValue clock;
};

class CpuinfoKinds : public ::testing::TestWithParam<CpuRow> {};

TEST_P(CpuinfoKinds, OneProcessorWithItsFacts) {
    const auto cpus = linux_fs::parseCpuinfo(GetParam().cpuinfo);
    const auto instances = linux_fs::processorInstances(cpus, {}, {});
    ASSERT_EQ(instances.size(), 1U);
    const WmiInstance expected = {{"Manufacturer", GetParam().manufacturer},
                                  {"Name", GetParam().cpuName},
                                  {"Version", GetParam().version},
                                  {"CurrentClockSpeed", GetParam().clock},
                                  {"SocketDesignation", std::monostate{}}};
    EXPECT_EQ(instances[0], expected);
}

const WmiValue kNull = std::monostate{};

INSTANTIATE_TEST_SUITE_P(
    Architectures, CpuinfoKinds,
    ::testing::Values(
        CpuRow{"Power9",
               "processor\t: 0\ncpu\t\t: POWER9 (architected), altivec supported\n"
               "clock\t\t: 3550.000000MHz\nrevision\t: 2.2 (pvr 004e 1202)\n\n"
               "timebase\t: 512000000\nplatform\t: pSeries\nmodel\t\t: IBM,9009-22A\n",
               kNull, "POWER9 (architected), altivec supported", kNull, std::int64_t{3550}},
        CpuRow{"RiscV",
               "processor\t: 0\nhart\t\t: 1\nisa\t\t: rv64imafdc\nmmu\t\t: sv39\n"
               "uarch\t\t: sifive,u74-mc\n\nprocessor\t: 1\nhart\t\t: 2\nuarch\t\t: "
               "sifive,u74-mc\n",
               kNull, "sifive,u74-mc", kNull, kNull},
        CpuRow{"LoongArch",
               "system type\t\t: generic-loongson-machine\n\nprocessor\t\t: 0\npackage\t\t\t: "
               "0\nCPU Family\t\t: Loongson-64bit\nModel Name\t\t: Loongson-3A5000\n"
               "CPU MHz\t\t\t: 2500.00\n",
               kNull, "Loongson-3A5000", kNull, std::int64_t{2500}},
        // The capital "Processor" is 32-bit ARM's name line; the numbered ones are indexes.
        // Its text is the architecture's, so a core the table knows goes by the table.
        CpuRow{"Arm32",
               "Processor\t: ARMv7 Processor rev 10 (v7l)\nprocessor\t: 0\nBogoMIPS\t: 790.52\n\n"
               "processor\t: 1\nBogoMIPS\t: 790.52\n\nFeatures\t: swp half thumb\n"
               "CPU implementer\t: 0x41\nCPU part\t: 0xc09\nHardware\t: Freescale i.MX 6Quad\n",
               "ARM", "Cortex-A9", kNull, kNull},
        CpuRow{"Arm32UnknownCore",
               "Processor\t: ARMv7 Processor rev 10 (v7l)\nprocessor\t: 0\n\n"
               "CPU implementer\t: 0x41\nCPU part\t: 0xfff\n",
               "ARM", "ARMv7 Processor rev 10 (v7l)", kNull, kNull},
        // A vendor's own name line names the chip, not only its core.
        CpuRow{"VendorModelName",
               "processor\t: 0\nmodel name\t: phytium FT1500a\nCPU implementer\t: 0x70\n"
               "CPU part\t: 0x660\n",
               "Phytium", "phytium FT1500a", kNull, kNull},
        CpuRow{"AndroidArchitectureLine",
               "Processor\t: AArch64 Processor rev 4 (aarch64)\nprocessor\t: 0\n"
               "CPU implementer\t: 0x41\nCPU part\t: 0xd05\n",
               "ARM", "Cortex-A55", kNull, kNull},
        // A 32-bit big.LITTLE kernel gives both kinds the same model name.
        CpuRow{"Arm32BigLittle",
               "processor\t: 0\nmodel name\t: ARMv7 Processor rev 3 (v7l)\n"
               "CPU implementer\t: 0x41\nCPU part\t: 0xc07\n\n"
               "processor\t: 1\nmodel name\t: ARMv7 Processor rev 3 (v7l)\n"
               "CPU implementer\t: 0x41\nCPU part\t: 0xc0f\n",
               "ARM", "Cortex-A7 + Cortex-A15", kNull, kNull},
        CpuRow{"IndexesListedTogetherAreNoName",
               "processor\t: 0\nprocessor\t: 1\nCPU implementer\t: 0x41\nCPU part\t: 0xd03\n",
               "ARM", "Cortex-A53", kNull, kNull},
        CpuRow{"Graviton2",
               "processor\t: 0\nBogoMIPS\t: 243.75\nCPU implementer\t: 0x41\nCPU architecture: "
               "8\nCPU variant\t: 0x3\nCPU part\t: 0xd0c\nCPU revision\t: 1\n",
               "ARM", "Neoverse-N1", kNull, kNull},
        // A part number names a core only together with its maker.
        CpuRow{"QualcommCore", "processor\t: 0\nCPU implementer\t: 0x51\nCPU part\t: 0x803\n",
               "Qualcomm", "Kryo-3XX-Silver", kNull, kNull},
        CpuRow{"AppleCore",
               "processor\t: 0\nBogoMIPS\t: 48.00\nCPU implementer\t: 0x61\nCPU architecture: "
               "8\nCPU variant\t: 0x1\nCPU part\t: 0x022\nCPU revision\t: 1\n",
               "Apple", "Icestorm-M1", kNull, kNull},
        // big.LITTLE: the small cores come first, and both kinds name the chip.
        CpuRow{"BigLittle",
               "processor\t: 0\nCPU implementer\t: 0x41\nCPU part\t: 0xd05\n\n"
               "processor\t: 1\nCPU implementer\t: 0x41\nCPU part\t: 0xd05\n\n"
               "processor\t: 2\nCPU implementer\t: 0x41\nCPU part\t: 0xd0b\n\n"
               "processor\t: 3\nCPU implementer\t: 0x41\nCPU part\t: 0xd0b\n",
               "ARM", "Cortex-A55 + Cortex-A76", kNull, kNull},
        // Two part numbers of one name are one kind.
        CpuRow{"TwoPartsOneName",
               "processor\t: 0\nCPU implementer\t: 0x51\nCPU part\t: 0x201\n\n"
               "processor\t: 1\nCPU implementer\t: 0x51\nCPU part\t: 0x205\n",
               "Qualcomm", "Kryo", kNull, kNull},
        CpuRow{"AppleM2ProCore", "processor\t: 0\nCPU implementer\t: 0x61\nCPU part\t: 0x035\n",
               "Apple", "Avalanche-M2-Pro", kNull, kNull},
        // A core the table does not know yet goes by its number rather than by nothing.
        CpuRow{"MakerWithoutThatPart",
               "processor\t: 0\nCPU implementer\t: 0x48\nCPU part\t: 0xd03\n", "HiSilicon",
               "CPU part 0xd03", kNull, kNull},
        CpuRow{"UnknownImplementerAsWritten",
               "processor\t: 0\nCPU implementer\t: 0x99\nCPU part\t: 0xd85\n", "0x99",
               "CPU part 0xd85", kNull, kNull},
        // s390 numbers its CPUs by "cpu number" and names only the machine type.
        CpuRow{"S390x",
               "vendor_id       : IBM/S390\n# processors    : 2\nbogomips per cpu: 3033.00\n"
               "processor 0: version = 00,  identification = 0B1562,  machine = 2964\n"
               "processor 1: version = 00,  identification = 0B1562,  machine = 2964\n\n"
               "cpu number      : 0\nphysical id     : 0\nversion         : 00\n"
               "machine         : 2964\ncpu MHz dynamic : 5000\ncpu MHz static  : 5000\n\n"
               "cpu number      : 1\nphysical id     : 0\nmachine         : 2964\n"
               "cpu MHz dynamic : 5000\n",
               "IBM/S390", "2964", kNull, std::int64_t{5000}},
        // MIPS names its core under "cpu model" and its board under "machine".
        CpuRow{"MipsMalta",
               "system type\t\t: MIPS Malta\nmachine\t\t\t: Unknown\nprocessor\t\t: 0\n"
               "cpu model\t\t: MIPS 24Kc V0.0  FPU V0.0\nBogoMIPS\t\t: 1238.63\n",
               kNull, "MIPS 24Kc V0.0 FPU V0.0", kNull, kNull},
        CpuRow{"MipsLoongson",
               "system type\t\t: Generic Loongson64 System\nmachine\t\t\t: loongson,generic\n"
               "processor\t\t: 0\ncpu model\t\t: ICT Loongson-3 V0.1  FPU V0.1\n"
               "model name\t\t: Loongson-3B4000 @ 1800MHz\nCPU MHz\t\t\t: 1800.00\n",
               kNull, "Loongson-3B4000 @ 1800MHz", kNull, std::int64_t{1800}},
        CpuRow{"SparcMachineWideOnly",
               "cpu\t\t: TI UltraSparc IIi (Sabre)\nfpu\t\t: UltraSparc IIi integrated FPU\n"
               "ncpus probed\t: 1\n",
               kNull, "TI UltraSparc IIi (Sabre)", kNull, kNull},
        CpuRow{"Itanium",
               "processor  : 0\nvendor     : GenuineIntel\nfamily     : Itanium 2\nmodel      : "
               "1\nrevision   : 5\n",
               "GenuineIntel", kNull, kNull, kNull},
        CpuRow{"BadClockAndBlankName",
               "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel name\t:   \ncpu MHz\t\t: -5\n"
               "model\t\t: 1\nstepping\t: 9\n",
               "GenuineIntel", kNull, "Model 1, Stepping 9", kNull},
        // The first line of a name wins, a blank one too; a CPU's own line wins over the
        // machine-wide one; a paragraph of other names still counts as the machine's.
        CpuRow{"FirstValueWinsAndOwnOverMachineWide",
               "vendor_id\t: MachineWide\nmodel name\t: Machine CPU\n\n"
               "processor\t: 0\nmodel name\t: Own   CPU\nmodel name\t: Later CPU\n"
               "cpu MHz\t\t:\ncpu MHz\t\t: 900\n",
               "MachineWide", "Own CPU", kNull, kNull},
        CpuRow{"OnlyUnreadNames", "flags\t\t: fpu vme\n\nbogomips\t: 4800.00\n", kNull, kNull,
               kNull, kNull},
        CpuRow{"ClockBeyondAnyNumber",
               "processor\t: 0\nvendor_id\t: GenuineIntel\ncpu MHz\t\t: 1e300\n", "GenuineIntel",
               kNull, kNull, kNull}),
    [](const auto& row) { return std::string(row.param.name); });

// A hostile cpufreq file: the largest figure rounds without overflowing, a negative one or 0
// (a driver that cannot read its clock) is no clock and leaves cpuinfo's.
TEST(LinuxProcessor, SysfsClockAtTheEdgesOfItsNumber) {
    const auto cpus = linux_fs::parseCpuinfo("processor\t: 0\ncpu MHz\t\t: 800.000\n");
    const auto clockWith = [&cpus](std::int64_t kHz) {
        const std::map<int, linux_fs::CpuSysfs> sysfs = {
            {0, {.packageId = std::nullopt, .curFreqKHz = kHz}}};
        return linux_fs::processorInstances(cpus, sysfs, {}).at(0)[3].second;
    };
    constexpr std::int64_t kLargest = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(clockWith(kLargest), WmiValue(kLargest / 1000 + 1));
    EXPECT_EQ(clockWith(-2000000), WmiValue(std::int64_t{800}));
    EXPECT_EQ(clockWith(0), WmiValue(std::int64_t{800}));
    EXPECT_EQ(clockWith(1499), WmiValue(std::int64_t{1}));
    EXPECT_EQ(clockWith(1500), WmiValue(std::int64_t{2}));
}

TEST(LinuxProcessor, EmptyCpuinfoHasNoProcessor) {
    EXPECT_TRUE(linux_fs::parseCpuinfo("").empty());
    EXPECT_TRUE(linux_fs::parseCpuinfo("\n\n\n").empty());
    EXPECT_TRUE(linux_fs::processorInstances({}, {}, {}).empty());
}

TEST(LinuxProcessor, PackagesFromTopologyInAscendingOrder) {
    const auto cpus = linux_fs::parseCpuinfo(
        "processor\t: 0\nmodel name\t: X\n\nprocessor\t: 1\nmodel name\t: X\n\n"
        "processor\t: 2\nmodel name\t: X\n\nprocessor\t: 3\nmodel name\t: X\n");
    const std::map<int, linux_fs::CpuSysfs> sysfs = {{0, {.packageId = 1, .curFreqKHz = 2000000}},
                                                     {1, {.packageId = 1, .curFreqKHz = 3000000}},
                                                     {2, {.packageId = 0, .curFreqKHz = 1000499}},
                                                     {3, {.packageId = 0, .curFreqKHz = 4000000}}};
    const std::vector<linux_fs::FirmwareProcessor> firmware = {
        {.socket = "P0", .currentMHz = std::nullopt}, {.socket = "", .currentMHz = std::nullopt}};
    const auto instances = linux_fs::processorInstances(cpus, sysfs, firmware);
    ASSERT_EQ(instances.size(), 2U);
    EXPECT_EQ(instances[0][3].second, WmiValue(std::int64_t{1000}));  // CPU 2, package 0
    EXPECT_EQ(instances[0][4].second, WmiValue("P0"));
    EXPECT_EQ(instances[1][3].second, WmiValue(std::int64_t{2000}));  // CPU 0, package 1
    EXPECT_EQ(instances[1][4].second, kNull);
}

// Kernels before 6.0 number each cluster of a device-tree machine as a package: a big.LITTLE
// board is still one processor named by both its kinds, unless its tree names sockets.
TEST(LinuxProcessor, ClustersOfADeviceTreeAreOneProcessor) {
    const ScratchMachine machine;
    const std::filesystem::path root = machine.root();
    std::filesystem::create_directories(root / "proc");
    std::ofstream cpuinfo(root / "proc/cpuinfo");
    for (int cpu = 0; cpu < 6; ++cpu) {
        cpuinfo << "processor\t: " << cpu
                << "\nCPU implementer\t: 0x41\nCPU part\t: " << (cpu < 4 ? "0xd03" : "0xd08")
                << "\n\n";
        const auto topology =
            root / ("sys/devices/system/cpu/cpu" + std::to_string(cpu)) / "topology";
        std::filesystem::create_directories(topology);
        std::ofstream(topology / "physical_package_id") << (cpu < 4 ? 0 : 1) << "\n";
    }
    cpuinfo.close();
    const std::filesystem::path map = root / "sys/firmware/devicetree/base/cpus/cpu-map";
    std::filesystem::create_directories(map / "cluster0");
    std::filesystem::create_directories(map / "cluster1");
    const auto names = [&root] {
        std::vector<WmiValue> found;
        for (const WmiInstance& processor : LinuxPlatform(root).wmiInstances("Win32_Processor")) {
            found.push_back(processor[1].second);
        }
        return found;
    };
    EXPECT_EQ(names(), std::vector<WmiValue>{WmiValue("Cortex-A53 + Cortex-A72")});
    std::filesystem::rename(map / "cluster0", map / "socket0");
    std::filesystem::rename(map / "cluster1", map / "socket1");
    EXPECT_EQ(names(), (std::vector<WmiValue>{WmiValue("Cortex-A53"), WmiValue("Cortex-A72")}));
}

// A POWER server boots from a device tree with no CPU map; its package ids are its chips'.
TEST(LinuxProcessor, ChipsOfAPowerServerAreProcessorsOfTheirOwn) {
    const ScratchMachine machine;
    const std::filesystem::path root = machine.root();
    std::filesystem::create_directories(root / "proc");
    std::filesystem::create_directories(root /
                                        "sys/firmware/devicetree/base/cpus/PowerPC,POWER9@0");
    std::ofstream cpuinfo(root / "proc/cpuinfo");
    constexpr std::array kChips = {0, 0, 8, 8};
    for (std::size_t cpu = 0; cpu < kChips.size(); ++cpu) {
        cpuinfo << "processor\t: " << cpu << "\ncpu\t\t: POWER9, altivec supported\n\n";
        const auto folder = root / ("sys/devices/system/cpu/cpu" + std::to_string(cpu));
        std::filesystem::create_directories(folder / "topology");
        std::filesystem::create_directories(folder / "cpufreq");
        std::ofstream(folder / "topology/physical_package_id") << kChips[cpu] << "\n";
        std::ofstream(folder / "cpufreq/scaling_cur_freq")
            << (kChips[cpu] == 0 ? 2300000 : 3800000);
    }
    cpuinfo.close();
    const std::vector<WmiInstance> processors = LinuxPlatform(root).wmiInstances("Win32_Processor");
    ASSERT_EQ(processors.size(), 2U);
    EXPECT_EQ(processors.back()[3].second, WmiValue(std::int64_t{3800}));
}

TEST(LinuxProcessor, S390DrawersAreProcessorsOfTheirOwn) {
    const auto cpus = linux_fs::parseCpuinfo(
        "vendor_id       : IBM/S390\n\ncpu number      : 0\nphysical id     : 3\n"
        "machine         : 8561\n\ncpu number      : 1\nphysical id     : 1\n"
        "machine         : 8561\n\ncpu number      : 2\nphysical id     : 3\n");
    ASSERT_EQ(cpus.size(), 3U);
    EXPECT_EQ(cpus[2].index, 2);
    const auto instances = linux_fs::processorInstances(cpus, {}, {});
    ASSERT_EQ(instances.size(), 2U);
    EXPECT_EQ(instances[0][1].second, WmiValue("8561"));  // package 1: CPU 1
    EXPECT_EQ(instances[1][1].second, WmiValue("8561"));  // package 3: CPU 0
    EXPECT_EQ(instances[1][0].second, WmiValue("IBM/S390"));
}

TEST(LinuxProcessor, ArmCodes) {
    EXPECT_EQ(linux_fs::armImplementerName(0x41), "ARM");
    EXPECT_EQ(linux_fs::armImplementerName(0x4d), "Motorola/Freescale");
    EXPECT_EQ(linux_fs::armImplementerName(0xc0), "Ampere");
    EXPECT_EQ(linux_fs::armImplementerName(0x45), std::nullopt);
    EXPECT_EQ(linux_fs::armCoreName(0x41, 0xd03), "Cortex-A53");
    EXPECT_EQ(linux_fs::armCoreName(0x41, 0xd08), "Cortex-A72");
    EXPECT_EQ(linux_fs::armCoreName(0x41, 0xd0c), "Neoverse-N1");
    EXPECT_EQ(linux_fs::armCoreName(0x41, 0xd4e), "Cortex-X3");
    EXPECT_EQ(linux_fs::armCoreName(0x41, 0xc0d), "Cortex-A17");
    EXPECT_EQ(linux_fs::armCoreName(0x41, 0xc60), "Cortex-M0+");
    EXPECT_EQ(linux_fs::armCoreName(0x41, 0xfff), std::nullopt);
    // The same part number is another core at another maker, and nothing at a third.
    EXPECT_EQ(linux_fs::armCoreName(0x48, 0xd01), "Kunpeng-920");
    EXPECT_EQ(linux_fs::armCoreName(0x41, 0xd01), "Cortex-A32");
    EXPECT_EQ(linux_fs::armCoreName(0x4e, 0x003), "Denver 2");
    EXPECT_EQ(linux_fs::armCoreName(0x61, 0x003), std::nullopt);
    // A cloud's own core, on Arm's number for another.
    EXPECT_EQ(linux_fs::armCoreName(0x6d, 0xd49), "Azure-Cobalt-100");
    EXPECT_EQ(linux_fs::armCoreName(0x41, 0xd49), "Neoverse-N2");
    EXPECT_EQ(linux_fs::armCoreName(0x99, 0xd03), std::nullopt);
    EXPECT_EQ(linux_fs::armCoreName(0x53, 0x002), "exynos-m3");
    EXPECT_EQ(linux_fs::armCoreName(0x53, 0x004), "exynos-m5");
}

std::string processorRecord(std::uint8_t length, std::uint8_t socketString,
                            std::string_view strings) {
    std::string raw(length, '\0');
    raw[0] = 4;
    raw[1] = static_cast<char>(length);
    if (length > 4) raw[4] = static_cast<char>(socketString);
    return raw + std::string(strings);
}

// A cloud's ARM machine has no clock driver and writes no clock in cpuinfo: the firmware's
// record tells it, where it knows it; a clock the system tells wins.
TEST(LinuxProcessor, TheFirmwaresClockWhereTheSystemTellsNone) {
    std::string record = processorRecord(0x30, 1, std::string("CPU 0\0\0", 7));
    record[0x16] = static_cast<char>(2500 & 0xff);
    record[0x17] = static_cast<char>(2500 >> 8);
    EXPECT_EQ(processorCurrentSpeed(record), 2500);
    EXPECT_EQ(processorCurrentSpeed(record.substr(0, 0x17)), std::nullopt);  // cut short
    std::string unknown = processorRecord(0x30, 1, std::string("CPU 0\0\0", 7));
    EXPECT_EQ(processorCurrentSpeed(unknown), std::nullopt);
    std::string shortFormat = record;
    shortFormat[1] = 0x16;  // an old structure that ends before the field
    EXPECT_EQ(processorCurrentSpeed(shortFormat), std::nullopt);

    const std::vector<linux_fs::FirmwareProcessor> firmware = {
        {.socket = socketDesignation(record), .currentMHz = processorCurrentSpeed(record)}};
    const auto clock = [&firmware](std::string_view cpuinfo) {
        return linux_fs::processorInstances(linux_fs::parseCpuinfo(cpuinfo), {}, firmware)
            .at(0)[3]
            .second;
    };
    EXPECT_EQ(clock("processor\t: 0\nCPU implementer\t: 0x41\nCPU part\t: 0xd0c\n"),
              WmiValue(std::int64_t{2500}));
    EXPECT_EQ(clock("processor\t: 0\nvendor_id\t: GenuineIntel\ncpu MHz\t\t: 3000.0\n"),
              WmiValue(std::int64_t{3000}));
}

struct SocketRow {
    std::string raw;
    std::string_view socket;
};

class SocketRecord : public ::testing::TestWithParam<SocketRow> {};

TEST_P(SocketRecord, NamedString) {
    EXPECT_EQ(socketDesignation(GetParam().raw), GetParam().socket);
}

INSTANTIATE_TEST_SUITE_P(
    Records, SocketRecord,
    ::testing::Values(
        SocketRow{processorRecord(0x30, 1, std::string("CPU1\0Intel\0\0", 12)), "CPU1"},
        SocketRow{processorRecord(0x30, 2, std::string("Intel\0LGA1700\0\0", 15)), "LGA1700"},
        SocketRow{processorRecord(0x30, 0, std::string("CPU1\0\0", 6)), ""},
        SocketRow{processorRecord(0x30, 3, std::string("A\0B\0\0", 5)), ""},
        SocketRow{processorRecord(0x30, 1, ""), ""}, SocketRow{std::string("\x04\x30\x00", 3), ""},
        SocketRow{std::string("\x11\x08\x00\x00\x01\x00\x00\x00X\0\0", 11), ""},
        SocketRow{std::string("\x04\xff\x00\x00\x01\x00", 6), ""}));

struct DateRow {
    std::string_view dmi;
    std::optional<std::string> cim;
};

class BiosDate : public ::testing::TestWithParam<DateRow> {};

TEST_P(BiosDate, AsCimDateTime) {
    EXPECT_EQ(linux_fs::cimDate(GetParam().dmi), GetParam().cim);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, BiosDate,
    ::testing::Values(DateRow{"09/22/2023", "20230922000000.000000+000"},
                      DateRow{"3/7/2022", "20220307000000.000000+000"},
                      DateRow{"11/08/07", "20071108000000.000000+000"},
                      DateRow{"12/31/1999", "19991231000000.000000+000"},
                      DateRow{"06/30/98", "19980630000000.000000+000"},
                      DateRow{"01/01/69", "19690101000000.000000+000"},
                      DateRow{"01/01/68", "20680101000000.000000+000"},
                      DateRow{"2023-01-01", std::nullopt}, DateRow{"13/01/2023", std::nullopt},
                      DateRow{"00/10/2023", std::nullopt}, DateRow{"01/32/2023", std::nullopt},
                      DateRow{"01/01/123", std::nullopt}, DateRow{"//", std::nullopt},
                      DateRow{"", std::nullopt}, DateRow{"1a/01/2023", std::nullopt},
                      DateRow{"03/10/-042", std::nullopt}, DateRow{"+3/10/2023", std::nullopt},
                      DateRow{"03/-1/99", std::nullopt}));

// A stand-in for getpwuid_r that needs `needed` bytes of scratch, as glibc's file backend does
// when a long line precedes the user's, and notes each size it was offered.
linux_fs::PasswdLookup lookupNeeding(std::size_t needed, std::vector<std::size_t>& offered) {
    return [needed, &offered](unsigned, passwd* entry, char* scratch, std::size_t bytes,
                              passwd** found) {
        offered.push_back(bytes);
        *found = nullptr;
        if (bytes < needed) return ERANGE;
        std::snprintf(scratch, bytes, "hanako");
        *entry = passwd{};
        entry->pw_name = scratch;
        *found = entry;
        return 0;
    };
}

TEST(EffectiveUser, AsksAgainWithMoreRoomUntilALimit) {
    std::vector<std::size_t> offered;
    const auto user = linux_fs::userEntryOf(1000, lookupNeeding(70'000, offered));
    ASSERT_TRUE(user.has_value());
    EXPECT_EQ(user->login, "hanako");
    EXPECT_EQ(user->home, "");
    EXPECT_GE(offered.back(), 70'000u);
    EXPECT_GT(offered.size(), 1u);

    // A lookup that never has room ends with nothing, not in a loop or out of memory.
    offered.clear();
    EXPECT_FALSE(linux_fs::userEntryOf(1000, lookupNeeding(SIZE_MAX, offered)).has_value());
    EXPECT_LE(offered.back(), std::size_t{1} << 20);
}

struct OwnerRow {
    std::string_view passwd;
    unsigned uid;
    std::optional<std::string> owner;
};

class RegisteredOwner : public ::testing::TestWithParam<OwnerRow> {};

TEST_P(RegisteredOwner, FullNameElseLogin) {
    EXPECT_EQ(linux_fs::registeredUser(GetParam().passwd, GetParam().uid), GetParam().owner);
}

constexpr std::string_view kPasswd =
    "root:x:0:0:root:/root:/bin/bash\n"
    "hanako:x:1000:1000:Hanako Yamada,Room 1,,:/home/hanako:/bin/bash\n"
    "taro:x:1001:1001::/home/taro:/bin/bash\n"
    "broken line without fields\n"
    "jiro:x:1002:1002:,,,:/home/jiro:/bin/sh";

INSTANTIATE_TEST_SUITE_P(
    Entries, RegisteredOwner,
    ::testing::Values(OwnerRow{kPasswd, 0, "root"}, OwnerRow{kPasswd, 1000, "Hanako Yamada"},
                      OwnerRow{kPasswd, 1001, "taro"}, OwnerRow{kPasswd, 1002, "jiro"},
                      OwnerRow{kPasswd, 4242, std::nullopt}, OwnerRow{"", 0, std::nullopt}));

TEST(LinuxRegistration, OrganisationEmptyAndOwnerFromTheTreesPasswd) {
    const ScratchMachine machine;
    std::filesystem::create_directories(machine.root() / "etc");
    // The user's own entry between two others: the owner is found by uid, not by place.
    std::ofstream(machine.root() / "etc/passwd")
        << "before:x:" << geteuid() + 1 << ":0:Taro Suzuki:/home/before:/bin/sh\n"
        << "owner:x:" << geteuid() << ":0:Hanako Yamada,Room 1,,:/home/owner:/bin/sh\n"
        << "after:x:" << geteuid() + 2 << ":0:Jiro Sato:/home/after:/bin/sh\n";
    LinuxPlatform platform(machine.root());
    RecordingControls controls;
    TourokuKaisya(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text11), "");
    EXPECT_EQ(controls.text(Ctl::Text12), "Hanako Yamada");
}

// A full name set by an old tool in Latin-1, or with terminal escapes, is written out as the
// processor's and the firmware's texts are, not shown raw.
TEST(LinuxRegistration, OwnersControlAndStrayBytesAreWrittenOut) {
    const ScratchMachine machine;
    std::filesystem::create_directories(machine.root() / "etc");
    std::ofstream(machine.root() / "etc/passwd") << "user:x:" << geteuid()
                                                 << ":0:Jos\xe9 \x1b[5mGarc\xed"
                                                    "a\x1b[0m:/home/user:/bin/sh\n";
    LinuxPlatform platform(machine.root());
    RecordingControls controls;
    TourokuKaisya(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text12), "Jos\\xE9 \\x1B[5mGarc\\xEDa\\x1B[0m");
}

TEST(LinuxRegistration, UnknownClassIsAServiceError) {
    LinuxPlatform platform(fixture("vm-no-dmi"));
    EXPECT_THROW(platform.wmiInstances("Win32_DiskDrive"), WmiError);
    EXPECT_EQ(platform.wmiInstances("Win32_BIOS").size(), 0U);
    EXPECT_EQ(platform.wmiInstances("Win32_OperatingSystem").size(), 1U);
}

TEST(LinuxRegistration, FirmwareTablesWithoutTheBiosFactsAreNoBios) {
    const ScratchMachine machine;
    const std::filesystem::path dmi = machine.root() / "sys/class/dmi/id";
    std::filesystem::create_directories(dmi);
    std::ofstream(dmi / "sys_vendor") << "Board Maker\n";
    LinuxPlatform platform(machine.root());
    EXPECT_EQ(platform.wmiInstances("Win32_BIOS").size(), 0U);
    std::ofstream(dmi / "bios_date") << "03/04/2021\n";
    const std::vector<WmiInstance> bios = platform.wmiInstances("Win32_BIOS");
    ASSERT_EQ(bios.size(), 1U);
    EXPECT_EQ(bios[0][1].second, WmiValue("20210304000000.000000+000"));
}

// The "Model name"s lscpu prints on this machine: one, or one for each kind of core (an ARM
// board with big and little cores); blank or "-" ones left out.
std::vector<std::string> lscpuModelNames() {
    FILE* pipe = popen("LC_ALL=C lscpu 2>/dev/null", "r");
    if (!pipe) return {};
    std::string output;
    char chunk[512];
    while (std::fgets(chunk, sizeof chunk, pipe)) output += chunk;
    pclose(pipe);
    // Only lines that are the label, indented or not: as root lscpu also prints the firmware's
    // "BIOS Model name:".
    constexpr std::string_view kLabel = "Model name:";
    std::vector<std::string> names;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        const std::string_view text = trimmed(line);
        if (!text.starts_with(kLabel)) continue;
        // Older processors pad their names with runs of blanks, which lscpu keeps and the
        // window shows as one.
        std::string name;
        for (const char c : trimmed(text.substr(kLabel.size()))) {
            if (c != ' ' || (!name.empty() && name.back() != ' ')) name += c;
        }
        if (!name.empty() && name != "-") names.push_back(name);
    }
    return names;
}

// One kind of core is the processor's name; several are each named in it.
TEST(LinuxProcessorOracle, NameMatchesLscpu) {
    const std::vector<std::string> expected = lscpuModelNames();
    if (expected.empty()) GTEST_SKIP() << "no lscpu name";
    LinuxPlatform platform;
    const auto instances = platform.wmiInstances("Win32_Processor");
    ASSERT_FALSE(instances.empty());
    const auto* name = std::get_if<std::string>(&instances.back()[1].second);
    ASSERT_NE(name, nullptr);
    if (expected.size() == 1) {
        EXPECT_EQ(*name, expected.front());
    } else {
        for (const std::string& kind : expected)
            EXPECT_NE(name->find(kind), std::string::npos) << kind;
    }
}

}  // namespace
}  // namespace zarnel

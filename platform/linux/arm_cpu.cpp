#include "platform/linux/arm_cpu.h"

#include <algorithm>
#include <span>

namespace zarnel::linux_fs {
namespace {

struct CodeName {
    unsigned code;
    std::string_view name;
};

// Main ID Register implementer codes, as the Arm Architecture Reference Manual assigns them.
constexpr CodeName kImplementers[] = {
    {0x41, "ARM"},       {0x42, "Broadcom"},  {0x43, "Cavium"},   {0x44, "DEC"},
    {0x46, "FUJITSU"},   {0x48, "HiSilicon"}, {0x49, "Infineon"}, {0x4d, "Motorola/Freescale"},
    {0x4e, "NVIDIA"},    {0x50, "APM"},       {0x51, "Qualcomm"}, {0x53, "Samsung"},
    {0x56, "Marvell"},   {0x61, "Apple"},     {0x66, "Faraday"},  {0x69, "Intel"},
    {0x6d, "Microsoft"}, {0x70, "Phytium"},   {0xc0, "Ampere"},
};

constexpr CodeName kArmParts[] = {
    {0x810, "ARM810"},        {0x920, "ARM920"},        {0x922, "ARM922"},
    {0x926, "ARM926"},        {0x940, "ARM940"},        {0x946, "ARM946"},
    {0x966, "ARM966"},        {0xa20, "ARM1020"},       {0xa22, "ARM1022"},
    {0xa26, "ARM1026"},       {0xb02, "ARM11 MPCore"},  {0xb36, "ARM1136"},
    {0xb56, "ARM1156"},       {0xb76, "ARM1176"},       {0xc05, "Cortex-A5"},
    {0xc07, "Cortex-A7"},     {0xc08, "Cortex-A8"},     {0xc09, "Cortex-A9"},
    {0xc0d, "Cortex-A17"},  // first sold as the Cortex-A12
    {0xc0e, "Cortex-A17"},    {0xc0f, "Cortex-A15"},    {0xc14, "Cortex-R4"},
    {0xc15, "Cortex-R5"},     {0xc17, "Cortex-R7"},     {0xc18, "Cortex-R8"},
    {0xc20, "Cortex-M0"},     {0xc21, "Cortex-M1"},     {0xc23, "Cortex-M3"},
    {0xc24, "Cortex-M4"},     {0xc27, "Cortex-M7"},     {0xc60, "Cortex-M0+"},
    {0xd01, "Cortex-A32"},    {0xd02, "Cortex-A34"},    {0xd03, "Cortex-A53"},
    {0xd04, "Cortex-A35"},    {0xd05, "Cortex-A55"},    {0xd06, "Cortex-A65"},
    {0xd07, "Cortex-A57"},    {0xd08, "Cortex-A72"},    {0xd09, "Cortex-A73"},
    {0xd0a, "Cortex-A75"},    {0xd0b, "Cortex-A76"},    {0xd0c, "Neoverse-N1"},
    {0xd0d, "Cortex-A77"},    {0xd0e, "Cortex-A76AE"},  {0xd13, "Cortex-R52"},
    {0xd15, "Cortex-R82"},    {0xd16, "Cortex-R52+"},   {0xd20, "Cortex-M23"},
    {0xd21, "Cortex-M33"},    {0xd22, "Cortex-M55"},    {0xd23, "Cortex-M85"},
    {0xd40, "Neoverse-V1"},   {0xd41, "Cortex-A78"},    {0xd42, "Cortex-A78AE"},
    {0xd43, "Cortex-A65AE"},  {0xd44, "Cortex-X1"},     {0xd46, "Cortex-A510"},
    {0xd47, "Cortex-A710"},   {0xd48, "Cortex-X2"},     {0xd49, "Neoverse-N2"},
    {0xd4a, "Neoverse-E1"},   {0xd4b, "Cortex-A78C"},   {0xd4c, "Cortex-X1C"},
    {0xd4d, "Cortex-A715"},   {0xd4e, "Cortex-X3"},     {0xd4f, "Neoverse-V2"},
    {0xd80, "Cortex-A520"},   {0xd81, "Cortex-A720"},   {0xd82, "Cortex-X4"},
    {0xd83, "Neoverse-V3AE"}, {0xd84, "Neoverse-V3"},   {0xd85, "Cortex-X925"},
    {0xd87, "Cortex-A725"},   {0xd88, "Cortex-A520AE"}, {0xd89, "Cortex-A720AE"},
    {0xd8e, "Neoverse-N3"},   {0xd8f, "Cortex-A320"},
};

// Cores of other makers, as lscpu prints them; a maker's own parts reuse ARM Ltd.'s numbers.
constexpr CodeName kBroadcomParts[] = {
    {0x00f, "Brahma-B15"}, {0x100, "Brahma-B53"}, {0x516, "ThunderX2"}};
constexpr CodeName kCaviumParts[] = {
    {0x0a0, "ThunderX"},        {0x0a1, "ThunderX-88XX"},    {0x0a2, "ThunderX-81XX"},
    {0x0a3, "ThunderX-83XX"},   {0x0af, "ThunderX2-99xx"},   {0x0b0, "OcteonTX2"},
    {0x0b1, "OcteonTX2-98XX"},  {0x0b2, "OcteonTX2-96XX"},   {0x0b3, "OcteonTX2-95XX"},
    {0x0b4, "OcteonTX2-95XXN"}, {0x0b5, "OcteonTX2-95XXMM"}, {0x0b6, "OcteonTX2-95XXO"},
    {0x0b8, "ThunderX3-T110"},
};
constexpr CodeName kFujitsuParts[] = {{0x001, "A64FX"}, {0x003, "MONAKA"}};
// Kirin's cores give Arm's later numbers under HiSilicon's code.
constexpr CodeName kHiSiliconParts[] = {
    {0xd01, "Kunpeng-920"}, {0xd02, "TaiShan-v120"}, {0xd40, "Cortex-A76"}, {0xd41, "Cortex-A77"}};
constexpr CodeName kNvidiaParts[] = {{0x000, "Denver"}, {0x003, "Denver 2"}, {0x004, "Carmel"}};
constexpr CodeName kApmParts[] = {{0x000, "X-Gene"}};
constexpr CodeName kQualcommParts[] = {
    {0x001, "Oryon"},          {0x00f, "Scorpion"},
    {0x02d, "Scorpion"},       {0x04d, "Krait"},
    {0x06f, "Krait"},          {0x201, "Kryo"},
    {0x205, "Kryo"},           {0x211, "Kryo"},
    {0x800, "Falkor-V1/Kryo"}, {0x801, "Kryo-V2"},
    {0x802, "Kryo-3XX-Gold"},  {0x803, "Kryo-3XX-Silver"},
    {0x804, "Kryo-4XX-Gold"},  {0x805, "Kryo-4XX-Silver"},
    {0xc00, "Falkor"},         {0xc01, "Saphira"},
};
constexpr CodeName kSamsungParts[] = {
    {0x001, "exynos-m1"}, {0x002, "exynos-m3"}, {0x003, "exynos-m4"}, {0x004, "exynos-m5"}};
constexpr CodeName kMarvellParts[] = {
    {0x131, "Feroceon-88FR131"}, {0x581, "PJ4/PJ4b"}, {0x584, "PJ4B-MP"}};
constexpr CodeName kAppleParts[] = {
    {0x020, "Icestorm-A14"},    {0x021, "Firestorm-A14"},    {0x022, "Icestorm-M1"},
    {0x023, "Firestorm-M1"},    {0x024, "Icestorm-M1-Pro"},  {0x025, "Firestorm-M1-Pro"},
    {0x028, "Icestorm-M1-Max"}, {0x029, "Firestorm-M1-Max"}, {0x030, "Blizzard-A15"},
    {0x031, "Avalanche-A15"},   {0x032, "Blizzard-M2"},      {0x033, "Avalanche-M2"},
    {0x034, "Blizzard-M2-Pro"}, {0x035, "Avalanche-M2-Pro"}, {0x036, "Sawtooth-A16"},
    {0x037, "Everest-A16"},     {0x038, "Blizzard-M2-Max"},  {0x039, "Avalanche-M2-Max"},
};
constexpr CodeName kPhytiumParts[] = {{0x303, "FTC310"}, {0x660, "FTC660"}, {0x661, "FTC661"},
                                      {0x662, "FTC662"}, {0x663, "FTC663"}, {0x664, "FTC664"},
                                      {0x862, "FTC862"}};
constexpr CodeName kMicrosoftParts[] = {{0xd49, "Azure-Cobalt-100"}};
constexpr CodeName kAmpereParts[] = {{0xac3, "Ampere-1"}, {0xac4, "Ampere-1a"}};

struct MakerParts {
    unsigned implementer;
    std::span<const CodeName> parts;
};

constexpr MakerParts kPartsByMaker[] = {
    {0x41, kArmParts},       {0x42, kBroadcomParts}, {0x43, kCaviumParts}, {0x46, kFujitsuParts},
    {0x48, kHiSiliconParts}, {0x4e, kNvidiaParts},   {0x50, kApmParts},    {0x51, kQualcommParts},
    {0x53, kSamsungParts},   {0x56, kMarvellParts},  {0x61, kAppleParts},  {0x6d, kMicrosoftParts},
    {0x70, kPhytiumParts},   {0xc0, kAmpereParts},
};

std::optional<std::string_view> lookUp(std::span<const CodeName> table, unsigned code) {
    const auto found = std::ranges::find(table, code, &CodeName::code);
    if (found == table.end()) return std::nullopt;
    return found->name;
}

}  // namespace

std::optional<std::string_view> armImplementerName(unsigned code) {
    return lookUp(kImplementers, code);
}

std::optional<std::string_view> armCoreName(unsigned implementer, unsigned part) {
    const auto maker = std::ranges::find(kPartsByMaker, implementer, &MakerParts::implementer);
    if (maker == std::end(kPartsByMaker)) return std::nullopt;
    return lookUp(maker->parts, part);
}

}  // namespace zarnel::linux_fs

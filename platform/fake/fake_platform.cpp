#include "platform/fake/fake_platform.h"

#include "platform/errors.h"
#include "platform/name_copy.h"

namespace zarnel {

WmiClasses defaultWmiClasses() {
    return {
        {"Win32_OperatingSystem", {{{"Organization", ""}, {"RegisteredUser", "user"}}}},
        {"Win32_Processor",
         {{{"Manufacturer", "GenuineIntel"},
           {"Name", "Fake Processor 2400"},
           {"Version", "Model 1, Stepping 0"},
           {"CurrentClockSpeed", std::int64_t{2400}},
           {"SocketDesignation", "CPU0"}}}},
        {"Win32_BIOS",
         {{{"Manufacturer", "Fake Firmware"},
           {"ReleaseDate", "20240115000000.000000+000"},
           {"SMBIOSBIOSVersion", "1.0.0"},
           {"Status", "OK"},
           {"Version", "FAKE - 1"}}}},
    };
}

FakePlatform::FakePlatform(std::string codePage) : codec_(makeAnsiCodec(std::move(codePage))) {}

void FakePlatform::clearLastError() {
    calls.emplace_back("SetLastError(0)");
    lastError_ = win32_error::kSuccess;
}

bool FakePlatform::enter(const std::string& function, const std::string& arguments) {
    calls.push_back(function + "(" + arguments + ")");
    if (missing.contains(function)) throw BindingError(function);
    const auto failure = failures.find(function);
    lastError_ = failure == failures.end() ? win32_error::kSuccess : failure->second;
    return failure != failures.end();
}

int FakePlatform::copyName(const std::string& text, std::span<char> buffer, std::uint32_t& len,
                           bool lengthWithNul, std::uint32_t tooSmallError) {
    return zarnel::copyName(codec_->fromText(text), buffer, len,
                            lengthWithNul ? LengthOnSuccess::WithNul : LengthOnSuccess::WithoutNul,
                            tooSmallError, lastError_);
}

int FakePlatform::getThousandsSeparator(std::span<char> data) {
    if (enter("GetLocaleInfoA", "STHOUSAND," + std::to_string(data.size()))) return 0;
    std::uint32_t len = static_cast<std::uint32_t>(data.size());
    if (copyName(records.thousandsSeparator, data, len, true, win32_error::kInsufficientBuffer) ==
        0) {
        return 0;
    }
    return static_cast<int>(len);
}

int FakePlatform::getComputerName(std::span<char> buffer, std::uint32_t& len) {
    if (enter("GetComputerNameA", std::to_string(len))) return 0;
    return copyName(records.computerName, buffer, len, false, win32_error::kBufferOverflow);
}

int FakePlatform::getUserName(std::span<char> buffer, std::uint32_t& len) {
    if (enter("GetUserNameA", std::to_string(len))) return 0;
    return copyName(records.userName, buffer, len, true, win32_error::kInsufficientBuffer);
}

int FakePlatform::getComputerNameEx(ComputerNameFormat format, std::span<char> buffer,
                                    std::uint32_t& len) {
    const int type = static_cast<int>(format);
    if (enter("GetComputerNameExA", std::to_string(type) + "," + std::to_string(len))) return 0;
    const std::string& name =
        format == ComputerNameFormat::DnsHostname ? records.dnsHostname : records.dnsDomain;
    return copyName(name, buffer, len, false, win32_error::kMoreData);
}

void FakePlatform::globalMemoryStatus(MemoryStatus& status) {
    if (enter("GlobalMemoryStatusEx", std::to_string(status.dwLength))) return;
    const std::uint32_t length = status.dwLength;
    status = records.memory;
    status.dwLength = length;
}

void FakePlatform::sleep(std::uint32_t milliseconds) {
    enter("Sleep", std::to_string(milliseconds));
    sleptMilliseconds += milliseconds;
}

std::intptr_t FakePlatform::shellOpen(Hwnd owner, std::string_view file) {
    if (enter("ShellExecuteA", std::to_string(owner) + ",open," + std::string(file) + ",,,1")) {
        return static_cast<std::intptr_t>(lastError_);
    }
    return kShellOpened;
}

int FakePlatform::getSystemPowerStatus(SystemPowerStatus& status) {
    if (enter("GetSystemPowerStatus")) return 0;
    status = records.power;
    return 1;
}

std::uint32_t FakePlatform::appBarGetState() {
    constexpr int kGetState = 4;  // ABM_GETSTATE
    if (enter("SHAppBarMessage", std::to_string(kGetState))) return 0;
    return records.appBarState;
}

std::vector<WmiInstance> FakePlatform::wmiInstances(std::string_view className) {
    calls.push_back("InstancesOf(" + std::string(className) + ")");
    if (!records.wmiAvailable) throw WmiError("winmgmts: not available");
    const auto found = records.wmi.find(className);
    if (found == records.wmi.end()) throw WmiError("invalid class " + std::string(className));
    return found->second;
}

}  // namespace zarnel

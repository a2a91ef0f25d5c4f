#include "platform/fake/fake_platform.h"

#include "platform/errors.h"
#include "platform/name_copy.h"

namespace zarnel {

FakePlatform::FakePlatform(std::string codePage) : codec_(std::move(codePage)) {}

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
    return zarnel::copyName(codec_.fromText(text), buffer, len,
                            lengthWithNul ? LengthOnSuccess::WithNul : LengthOnSuccess::WithoutNul,
                            tooSmallError, lastError_);
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

}  // namespace zarnel

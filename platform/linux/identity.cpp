// Names of the machine and its user.
#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "platform/errors.h"
#include "platform/linux/hosts.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/passwd.h"
#include "platform/linux/read_file.h"
#include "platform/linux/visible_text.h"
#include "platform/name_copy.h"

namespace zarnel {
namespace {

// A NetBIOS-style computer name holds at most 15 bytes.
constexpr std::size_t kComputerNameBytes = 15;

std::string firstLabel(const std::string& host) {
    return host.substr(0, host.find('.'));
}

std::string asciiUpper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
    return text;
}

}  // namespace

std::optional<std::string> LinuxPlatform::hostname() const {
    // The kernel's node name is what the machine calls itself now; etc/hostname is what it
    // will call itself at the next boot, and the only source in a bare tree.
    // Files under etc may be links (a configuration manager's store); procfs files never are.
    constexpr std::array<std::pair<const char*, linux_fs::FinalLink>, 2> kSources = {{
        {"proc/sys/kernel/hostname", linux_fs::FinalLink::Refuse},
        {"etc/hostname", linux_fs::FinalLink::Follow},
    }};
    for (const auto& [file, link] : kSources) {
        if (const auto text = linux_fs::readFile(root_, file, link)) {
            if (auto name = linux_fs::parseHostname(*text)) return name;
        }
    }
    return std::nullopt;
}

int LinuxPlatform::getComputerName(std::span<char> buffer, std::uint32_t& len) {
    const auto host = hostname();
    if (!host) {
        lastError_ = win32_error::kInvalidData;
        return 0;
    }
    const std::string label = asciiUpper(firstLabel(*host));
    // The host name is well-formed UTF-8 (parseHostname refuses any other), so cutting it at
    // the limit and dropping a character the cut splits keeps it so.
    const std::string name(
        linux_fs::withoutCutCharacter(std::string_view(label).substr(0, kComputerNameBytes)));
    return copyName(name, buffer, len, LengthOnSuccess::WithoutNul, win32_error::kBufferOverflow,
                    lastError_);
}

int LinuxPlatform::getUserName(std::span<char> buffer, std::uint32_t& len) {
    const auto answer = linux_fs::askEffectiveUser(nameService);
    if (!answer || !*answer) {
        lastError_ = answer ? win32_error::kFileNotFound : win32_error::kNotReady;
        return 0;
    }
    return copyName((*answer)->login, buffer, len, LengthOnSuccess::WithNul,
                    win32_error::kInsufficientBuffer, lastError_);
}

std::string LinuxPlatform::dnsDomain(const std::string& host) const {
    if (const auto dot = host.find('.'); dot != std::string::npos) return host.substr(dot + 1);
    // A blocking list makes etc/hosts run to megabytes after the machine's own lines: its head
    // is read, as much as any other file.
    if (const auto hosts =
            linux_fs::readFileHead(root_, "etc/hosts", linux_fs::FinalLink::Follow)) {
        if (auto domain = linux_fs::domainFromHosts(*hosts, host)) return *domain;
    }
    if (const auto resolv =
            linux_fs::readFile(root_, "etc/resolv.conf", linux_fs::FinalLink::Follow)) {
        if (auto domain = linux_fs::domainFromResolvConf(*resolv)) return *domain;
    }
    return {};  // no domain is an answer, not a failure
}

int LinuxPlatform::getComputerNameEx(ComputerNameFormat format, std::span<char> buffer,
                                     std::uint32_t& len) {
    const auto host = hostname();
    if (!host) {
        lastError_ = win32_error::kInvalidData;
        return 0;
    }
    const std::string name =
        format == ComputerNameFormat::DnsHostname ? firstLabel(*host) : dnsDomain(*host);
    return copyName(name, buffer, len, LengthOnSuccess::WithoutNul, win32_error::kMoreData,
                    lastError_);
}

}  // namespace zarnel

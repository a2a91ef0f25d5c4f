#include "probes/identity.h"

#include <cstdint>
#include <exception>
#include <string>

#include "platform/errors.h"
#include "probes/trapped.h"

namespace zarnel {
namespace {

constexpr std::uint32_t kComputerNameBuffer = 16;  // MAX_COMPUTERNAME_LENGTH + 1
constexpr std::uint32_t kUserNameBuffer = 257;     // UNLEN + 1
constexpr std::uint32_t kDnsNameBuffer = 128;

std::string_view dnsErrorText(std::uint32_t code) {
    switch (code) {
        case win32_error::kBufferOverflow:
            return "バッファの長さが足りません。";
        case win32_error::kEnvVarNotFound:
            return "環境オプションが見つかりません。";
        case win32_error::kMoreData:
            return "より多くのデータが使えます。";
        default:
            return "取得できません。";
    }
}

template <typename Call>
void showFixedBuffer(Controls& controls, Platform& platform, Ctl field, std::uint32_t size,
                     Call call) {
    std::string buffer(size, '\0');
    std::uint32_t len = size;
    call(std::span<char>(buffer), len);  // result not examined: a failure leaves it all NUL
    controls.setText(field, textBeforeNul(platform.ansi(), buffer));
}

void dnsName(Controls& controls, Platform& platform, ComputerNameFormat format, Ctl field) {
    std::string buffer(kDnsNameBuffer, '\0');
    try {
        std::uint32_t len = kDnsNameBuffer;
        if (platform.getComputerNameEx(format, buffer, len) != 0) {
            controls.setText(field, textBeforeNul(platform.ansi(), buffer));
        } else {
            controls.setText(field, dnsErrorText(platform.lastError()));
        }
    } catch (const std::exception&) {
        controls.setText(field, kTrapped);
    }
}

}  // namespace

void ComputerName(Controls& controls, Platform& platform) {
    showFixedBuffer(controls, platform, Ctl::Text1, kComputerNameBuffer,
                    [&](std::span<char> buffer, std::uint32_t& len) {
                        return platform.getComputerName(buffer, len);
                    });
}

void UserName(Controls& controls, Platform& platform) {
    showFixedBuffer(controls, platform, Ctl::Text2, kUserNameBuffer,
                    [&](std::span<char> buffer, std::uint32_t& len) {
                        return platform.getUserName(buffer, len);
                    });
}

void DNShoustomei(Controls& controls, Platform& platform) {
    dnsName(controls, platform, ComputerNameFormat::DnsHostname, Ctl::Text13);
}

void DOMEINmei(Controls& controls, Platform& platform) {
    dnsName(controls, platform, ComputerNameFormat::PhysicalDnsDomain, Ctl::Text14);
}

}  // namespace zarnel

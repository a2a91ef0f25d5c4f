// etc/hosts, etc/resolv.conf and the host name: a name or domain found is one word, without
// blanks or control characters.
#include "fuzz/fuzz_input.h"
#include "platform/linux/hosts.h"

namespace {

using namespace zarnel;

// Parts: etc/hosts, etc/resolv.conf, the host name file, the host looked up.
enum Part : std::size_t { kHosts, kResolvConf, kHostname, kHost, kPartCount };

constexpr unsigned char kFirstPrintable = 0x21;  // past the blank
constexpr unsigned char kDelete = 0x7f;

void requireOneWord(const std::optional<std::string>& name) {
    if (!name) return;
    fuzz::require(!name->empty());
    for (const char c : *name) {
        const auto byte = static_cast<unsigned char>(c);
        fuzz::require(byte >= kFirstPrintable && byte != kDelete);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = fuzz::partsOf(fuzz::textOf(data, size), kPartCount);
    requireOneWord(linux_fs::domainFromHosts(parts[kHosts], parts[kHost]));
    requireOneWord(linux_fs::domainFromResolvConf(parts[kResolvConf]));
    requireOneWord(linux_fs::parseHostname(parts[kHostname]));
    return 0;
}

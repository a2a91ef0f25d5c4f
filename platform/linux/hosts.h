// etc/hosts and etc/resolv.conf: where a machine without a dotted host name keeps its domain.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zarnel::linux_fs {

// The domain of the first fully qualified alias "host.domain" that etc/hosts gives for `host`
// (host compared without regard to case). Comments and blank lines are skipped.
std::optional<std::string> domainFromHosts(std::string_view hostsText, std::string_view host);

// The "domain" entry of etc/resolv.conf, the last where there are several: the machine's own
// domain. A "search" list is what a network hands out to its members, not the machine's name.
std::optional<std::string> domainFromResolvConf(std::string_view resolvText);

// The host name as the kernel or etc/hostname gives it: first line, blanks trimmed. Nothing
// when that is empty, not UTF-8 or holds control characters: such a name is no name.
std::optional<std::string> parseHostname(std::string_view text);

}  // namespace zarnel::linux_fs

#include "platform/linux/passwd.h"

#include <pwd.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <vector>

#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

constexpr std::size_t kPasswdFields = 7;  // name:password:uid:gid:gecos:home:shell
constexpr std::size_t kNameField = 0;
constexpr std::size_t kUidField = 2;
constexpr std::size_t kGecosField = 4;

std::optional<std::array<std::string_view, kPasswdFields>> fields(std::string_view line) {
    std::array<std::string_view, kPasswdFields> result;
    for (std::size_t i = 0; i < kPasswdFields; ++i) {
        const auto colon = line.find(':');
        if (colon == std::string_view::npos && i + 1 < kPasswdFields) return std::nullopt;
        result[i] = line.substr(0, colon);
        line = colon == std::string_view::npos ? std::string_view() : line.substr(colon + 1);
    }
    return result;
}

std::optional<unsigned> uidOf(std::string_view text) {
    return wholeNumber<unsigned>(text);
}

}  // namespace

std::string registeredUser(std::string_view login, std::string_view gecos) {
    const std::string_view fullName = gecos.substr(0, gecos.find(','));
    return std::string(fullName.empty() ? login : fullName);
}

std::optional<std::string> registeredUser(std::string_view passwdText, unsigned uid) {
    while (!passwdText.empty()) {
        const auto entry = fields(takeLine(passwdText));
        if (entry && uidOf((*entry)[kUidField]) == uid) {
            return registeredUser((*entry)[kNameField], (*entry)[kGecosField]);
        }
    }
    return std::nullopt;
}

// getpwuid_r's own hint for its scratch buffer, where the system gives none.
constexpr std::size_t kFallbackScratchBytes = 16384;
// The hint is only where to start: glibc's file backend reads every line of etc/passwd into
// the buffer, so one long line (a service account's description) anywhere before the user's
// asks for more. Past a megabyte the entry is not worth the memory.
constexpr std::size_t kMaxScratchBytes = 1 << 20;

std::optional<UserEntry> userEntryOf(unsigned uid, const PasswdLookup& lookup) {
    const long hint = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> scratch(hint > 0 ? static_cast<std::size_t>(hint) : kFallbackScratchBytes);
    passwd entry{};
    passwd* found = nullptr;
    int error = 0;
    while ((error = lookup(uid, &entry, scratch.data(), scratch.size(), &found)) == ERANGE &&
           scratch.size() < kMaxScratchBytes) {
        scratch.resize(scratch.size() * 2);
    }
    if (error != 0 || !found) return std::nullopt;
    return UserEntry{.login = found->pw_name ? found->pw_name : "",
                     .gecos = found->pw_gecos ? found->pw_gecos : "",
                     .home = found->pw_dir ? found->pw_dir : ""};
}

std::optional<UserEntry> effectiveUser() {
    return userEntryOf(::geteuid(), ::getpwuid_r);
}

unsigned effectiveUid() {
    return ::geteuid();
}

}  // namespace zarnel::linux_fs

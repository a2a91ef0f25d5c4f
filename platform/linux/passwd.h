// etc/passwd: who the registered owner of the machine is.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct passwd;

namespace zarnel::linux_fs {

// The user's full name (the GECOS field up to its first comma), else the login name; nothing
// when no line has that uid.
std::optional<std::string> registeredUser(std::string_view passwdText, unsigned uid);

// The same rule for one entry already looked up.
std::string registeredUser(std::string_view login, std::string_view gecos);

// One user as the name service knows it.
struct UserEntry {
    std::string login;
    std::string gecos;
    std::string home;
};

// The name service's entry for the effective user (getpwuid_r): etc/passwd, LDAP or
// systemd-homed alike; nothing when it has none.
std::optional<UserEntry> effectiveUser();

// getpwuid_r's shape, so that a test can stand in for the name service.
using PasswdLookup = std::function<int(unsigned uid, passwd* entry, char* scratch,
                                       std::size_t scratchBytes, passwd** found)>;
// The entry for `uid` through `lookup`, given a larger scratch buffer each time it asks for
// one, up to a limit.
std::optional<UserEntry> userEntryOf(unsigned uid, const PasswdLookup& lookup);
// The effective user's id, for looking it up in a root's etc/passwd.
unsigned effectiveUid();

}  // namespace zarnel::linux_fs

// etc/passwd: who the registered owner of the machine is.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zarnel::linux_fs {

// The user's full name (the GECOS field up to its first comma), else the login name; nothing
// when no line has that uid.
std::optional<std::string> registeredUser(std::string_view passwdText, unsigned uid);

// The same rule for one entry already looked up.
std::string registeredUser(std::string_view login, std::string_view gecos);

}  // namespace zarnel::linux_fs

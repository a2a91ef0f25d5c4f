// etc/passwd: the registered user is the text of one field: no colon, no line break.
#include <string>

#include "fuzz/fuzz_input.h"
#include "platform/linux/passwd.h"

namespace {

// Parts: etc/passwd, the uid looked up (each byte one decimal digit, so any uid is reachable).
enum Part : std::size_t { kPasswd, kUid, kPartCount };

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zarnel;
    const auto parts = zarnel::fuzz::partsOf(fuzz::textOf(data, size), kPartCount);
    unsigned uid = 0;
    for (const char c : parts[kUid]) uid = uid * 10 + static_cast<unsigned char>(c) % 10;
    if (const auto user = linux_fs::registeredUser(parts[kPasswd], uid)) {
        fuzz::require(user->find_first_of(":\n") == std::string::npos);
    }
    return 0;
}

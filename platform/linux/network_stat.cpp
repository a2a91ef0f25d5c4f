#include "platform/linux/network_stat.h"

#include <cerrno>
#include <utility>

namespace zarnel::linux_fs {
namespace {

struct StatAnswer {
    int error = 0;
    struct statvfs info {};
};

}  // namespace

NetworkStat::NetworkStat(Stat stat, std::optional<AnswerKeeping> keeping)
    : stat_(std::move(stat)), questions_(std::move(keeping)) {}

int NetworkStat::systemStat(const char* path, struct statvfs* info) {
    return ::statvfs(path, info);
}

int NetworkStat::operator()(const std::string& path, std::string_view share, struct statvfs& info,
                            std::chrono::milliseconds deadline) const {
    const auto answer = questions_.ask<StatAnswer>(
        path + '\n' + std::string(share),
        [stat = stat_, path] {
            StatAnswer found;
            if (stat(path.c_str(), &found.info) != 0) found.error = errno;
            return found;
        },
        deadline);
    if (!answer) return ETIMEDOUT;
    if (answer->error == 0) info = answer->info;
    return answer->error;
}

}  // namespace zarnel::linux_fs

#include "platform/linux/network_stat.h"

#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>
#include <utility>

namespace zarnel::linux_fs {

struct NetworkStat::Unanswered {
    std::mutex mutex;
    std::set<std::string> paths;

    void forget(const std::string& path) {
        const std::lock_guard lock(mutex);
        paths.erase(path);
    }
};

namespace {

// One question's answer, handed from the helper thread to the asker if it still waits.
struct Answer {
    std::mutex mutex;
    std::condition_variable ready;
    bool done = false;
    int error = 0;
    struct statvfs info {};
};

}  // namespace

NetworkStat::NetworkStat(Stat stat)
    : stat_(std::move(stat)), unanswered_(std::make_shared<Unanswered>()) {}

int NetworkStat::systemStat(const char* path, struct statvfs* info) {
    return ::statvfs(path, info);
}

int NetworkStat::operator()(const std::string& path, struct statvfs& info,
                            std::chrono::milliseconds deadline) const {
    {
        const std::lock_guard lock(unanswered_->mutex);
        if (!unanswered_->paths.insert(path).second) return ETIMEDOUT;
    }
    auto answer = std::make_shared<Answer>();
    try {
        // The thread owns what it touches: it may outlive this call and the provider.
        std::thread([unanswered = unanswered_, answer, path, stat = stat_] {
            struct statvfs found {};
            const int error = stat(path.c_str(), &found) == 0 ? 0 : errno;
            // Forgotten before the answer is given, so a caller that got it may ask again.
            unanswered->forget(path);
            {
                const std::lock_guard lock(answer->mutex);
                answer->error = error;
                answer->info = found;
                answer->done = true;
            }
            answer->ready.notify_one();
        }).detach();
    } catch (const std::system_error&) {
        unanswered_->forget(path);
        return EAGAIN;
    }
    std::unique_lock lock(answer->mutex);
    if (!answer->ready.wait_for(lock, deadline, [&answer] { return answer->done; })) {
        return ETIMEDOUT;
    }
    if (answer->error == 0) info = answer->info;
    return answer->error;
}

}  // namespace zarnel::linux_fs

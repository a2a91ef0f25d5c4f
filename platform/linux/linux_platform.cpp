#include "platform/linux/linux_platform.h"

#include <utility>

namespace zarnel {

// Linux keeps text in UTF-8 where Windows would use its ANSI code page.
LinuxPlatform::LinuxPlatform(std::filesystem::path root)
    : root_(std::move(root)), codec_(makeAnsiCodec("UTF-8")) {}

void LinuxPlatform::showLateAnswers(const std::function<void(const LateNews&)>& show) {
    lateShareAnswers.drain();
    const auto spaceShown = networkStat.showingLateAnswers();
    const auto settingsShown = userDirsFile.showingLateAnswers();
    const auto foldersShown = folderCheck.showingLateAnswers();
    const auto userShown = nameService.showingLateAnswers();
    show({.homeLearnt = environment.learnHomeFrom(nameService)});
}

void LinuxPlatform::askNameServiceBy(linux_fs::NameService::Call call) {
    nameService = linux_fs::NameService(std::move(call), shareAnswerKeeping());
}

AnswerKeeping LinuxPlatform::shareAnswerKeeping(
    std::function<std::chrono::steady_clock::time_point()> now) const {
    return {.late = lateShareAnswers.teller(), .now = std::move(now)};
}

AnswerKeeping LinuxPlatform::folderAnswerKeeping() const {
    AnswerKeeping keeping = shareAnswerKeeping();
    keeping.stands = std::chrono::milliseconds::zero();
    return keeping;
}

}  // namespace zarnel

// The Linux provider: every fact read from files under a root directory ("/" on a live
// machine, a fixture tree in tests), answered with the Win32 contract of Platform.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace zarnel {

class LinuxPlatform : public Platform {
  public:
    explicit LinuxPlatform(std::filesystem::path root = "/");

    const std::filesystem::path& root() const { return root_; }

    const AnsiCodec& ansi() const override { return codec_; }
    std::uint32_t lastError() const override { return lastError_; }
    void clearLastError() override { lastError_ = 0; }

    int getComputerName(std::span<char> buffer, std::uint32_t& len) override;
    int getUserName(std::span<char> buffer, std::uint32_t& len) override;
    int getComputerNameEx(ComputerNameFormat format, std::span<char> buffer,
                          std::uint32_t& len) override;
    int getSystemPowerStatus(SystemPowerStatus& status) override;
    // The docks of the X display named by DISPLAY; none without one.
    std::uint32_t appBarGetState() override;
    std::vector<WmiInstance> wmiInstances(std::string_view className) override;
    // proc/meminfo; missing gives error 2, unreadable figures error 13, the record stays zero.
    void globalMemoryStatus(MemoryStatus& status) override;
    void sleep(std::uint32_t milliseconds) override;
    // Starts xdg-open with the address as its one argument, never through a shell, and does
    // not wait for the browser.
    std::intptr_t shellOpen(Hwnd owner, std::string_view file) override;

  private:
    std::vector<WmiInstance> processors() const;
    std::vector<WmiInstance> bioses() const;
    std::vector<WmiInstance> operatingSystems() const;

    // The machine's host name; nothing when no source holds a usable one.
    std::optional<std::string> hostname() const;
    std::string dnsDomain(const std::string& host) const;

    std::filesystem::path root_;
    AnsiCodec codec_;
    std::uint32_t lastError_ = 0;
};

}  // namespace zarnel

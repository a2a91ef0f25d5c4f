#include "tools/platform-dump/dump.h"

#include <exception>
#include <string>

#include "platform/errors.h"
#include "window/special_folders.h"

namespace zarnel::tools {
namespace {

// The buffer sizes the window's probes use.
constexpr std::uint32_t kComputerNameBuffer = 16;
constexpr std::uint32_t kUserNameBuffer = 257;
constexpr std::uint32_t kDnsNameBuffer = 128;
constexpr std::size_t kFileSystemNameBuffer = 32;

constexpr std::string_view kWmiClasses[] = {"Win32_OperatingSystem", "Win32_Processor",
                                            "Win32_BIOS"};

void callResult(JsonWriter& json, Platform& platform, std::int64_t result) {
    json.key("result").value(result);
    json.key("lastError").value(platform.lastError());
}

// Runs one question; a provider that throws (a missing function, an absent service) is
// written as the exception's text in place of the answer.
template <typename Ask>
void question(JsonWriter& json, std::string_view call, Ask ask) {
    json.beginObject();
    json.key("call").value(call);
    try {
        ask();
    } catch (const BindingError& error) {
        json.key("bindingError").value(error.what());
    } catch (const std::exception& error) {
        json.key("error").value(error.what());
    }
    json.endObject();
}

template <typename Call>
void name(JsonWriter& json, Platform& platform, std::string_view call, std::uint32_t size,
          Call ask) {
    question(json, call, [&] {
        std::string buffer(size, '\0');
        std::uint32_t len = size;
        const int result = ask(std::span<char>(buffer), len);
        callResult(json, platform, result);
        json.key("len").value(len);
        json.key("text").value(textBeforeNul(platform.ansi(), buffer));
    });
}

void names(JsonWriter& json, Platform& platform) {
    json.key("names").beginArray();
    name(json, platform, "GetComputerNameA", kComputerNameBuffer,
         [&](std::span<char> buffer, std::uint32_t& len) {
             return platform.getComputerName(buffer, len);
         });
    name(json, platform, "GetUserNameA", kUserNameBuffer,
         [&](std::span<char> buffer, std::uint32_t& len) {
             return platform.getUserName(buffer, len);
         });
    for (const ComputerNameFormat format :
         {ComputerNameFormat::DnsHostname, ComputerNameFormat::PhysicalDnsDomain}) {
        const std::string call =
            "GetComputerNameExA(" + std::to_string(static_cast<int>(format)) + ")";
        name(json, platform, call, kDnsNameBuffer, [&](std::span<char> buffer, std::uint32_t& len) {
            return platform.getComputerNameEx(format, buffer, len);
        });
    }
    json.endArray();
}

void memory(JsonWriter& json, Platform& platform) {
    json.key("memory");
    question(json, "GlobalMemoryStatusEx", [&] {
        MemoryStatus status{};
        status.dwLength = sizeof(MemoryStatus);
        platform.globalMemoryStatus(status);
        json.key("lastError").value(platform.lastError());
        json.key("memoryLoad").value(status.dwMemoryLoad);
        json.key("totalPhys").value(status.ullTotalPhys);
        json.key("availPhys").value(status.ullAvailPhys);
    });
}

void power(JsonWriter& json, Platform& platform) {
    json.key("power");
    question(json, "GetSystemPowerStatus", [&] {
        SystemPowerStatus status{};
        platform.clearLastError();
        callResult(json, platform, platform.getSystemPowerStatus(status));
        json.key("ACLineStatus").value(std::uint32_t{status.ACLineStatus});
        json.key("BatteryFlag").value(std::uint32_t{status.BatteryFlag});
        json.key("BatteryLifePercent").value(std::uint32_t{status.BatteryLifePercent});
        json.key("SystemStatusFlag").value(std::uint32_t{status.SystemStatusFlag});
        json.key("BatteryLifeTime").value(std::int64_t{status.BatteryLifeTime});
        json.key("BatteryFullLifeTime").value(std::int64_t{status.BatteryFullLifeTime});
    });
}

void taskbar(JsonWriter& json, Platform& platform) {
    json.key("taskbar");
    question(json, "SHAppBarMessage(ABM_GETSTATE)",
             [&] { callResult(json, platform, platform.appBarGetState()); });
}

void wmiValue(JsonWriter& json, const WmiValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        json.value(*text);
    } else if (const auto* number = std::get_if<std::int64_t>(&value)) {
        json.value(*number);
    } else {
        json.null();
    }
}

void wmi(JsonWriter& json, Platform& platform) {
    json.key("wmi").beginArray();
    for (const std::string_view className : kWmiClasses) {
        question(json, className, [&] {
            const std::vector<WmiInstance> instances = platform.wmiInstances(className);
            json.key("instances").beginArray();
            for (const WmiInstance& instance : instances) {
                json.beginObject();
                for (const auto& [property, value] : instance) {
                    json.key(property);
                    wmiValue(json, value);
                }
                json.endObject();
            }
            json.endArray();
        });
    }
    json.endArray();
}

void volume(JsonWriter& json, Platform& platform, const std::string& root) {
    json.key("volume");
    question(json, "GetVolumeInformationA", [&] {
        std::string name(kMaxPath, '\0');
        std::string fileSystem(kFileSystemNameBuffer, '\0');
        std::uint32_t serial = 0;
        std::uint32_t maximumComponentLength = 0;
        std::uint32_t flags = 0;
        callResult(json, platform,
                   platform.getVolumeInformation(root, name, serial, maximumComponentLength, flags,
                                                 fileSystem));
        json.key("name").value(textBeforeNul(platform.ansi(), name));
        json.key("serialNumber").value(serial);
        json.key("maximumComponentLength").value(maximumComponentLength);
        json.key("fileSystemFlags").value(flags);
        json.key("fileSystemName").value(textBeforeNul(platform.ansi(), fileSystem));
    });
}

void space(JsonWriter& json, Platform& platform, const std::string& root) {
    json.key("space");
    question(json, "GetDiskFreeSpaceExA", [&] {
        std::uint64_t available = 0;
        std::uint64_t total = 0;
        std::uint64_t totalFree = 0;
        callResult(json, platform, platform.getDiskFreeSpaceEx(root, available, total, totalFree));
        json.key("freeBytesAvailable").value(available);
        json.key("totalBytes").value(total);
        json.key("totalFreeBytes").value(totalFree);
    });
}

void drives(JsonWriter& json, Platform& platform) {
    const DriveList list = platform.drives();
    json.key("drives").beginObject();
    json.key("selected").value(list.selected);
    json.key("entries").beginArray();
    for (const std::string& entry : list.entries) {
        // The window's root path: the entry's first two characters and a backslash.
        const std::string root = platform.ansi().fromText(entry.substr(0, 2)) + "\\";
        json.beginObject();
        json.key("entry").value(entry);
        json.key("root").value(root);
        json.key("type");
        question(json, "GetDriveTypeA",
                 [&] { callResult(json, platform, platform.getDriveType(root)); });
        volume(json, platform, root);
        space(json, platform, root);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

// Asked without the create flag the window adds: a dump looks and never writes.
void folders(JsonWriter& json, Platform& platform) {
    json.key("folders").beginArray();
    for (const FolderEntry& folder : kCombo1Folders) {
        question(json, "SHGetFolderPathA", [&] {
            std::string path(kMaxPath, '\0');
            json.key("entry").value(folder.caption);
            json.key("csidl").value(folder.csidl);
            callResult(json, platform, platform.getFolderPath(0, folder.csidl, path));
            json.key("path").value(textBeforeNul(platform.ansi(), path));
        });
    }
    json.endArray();
}

}  // namespace

void dumpPlatform(Platform& platform, JsonWriter& json) {
    json.beginObject();
    json.key("codePage").value(platform.ansi().codePage());
    names(json, platform);
    memory(json, platform);
    power(json, platform);
    taskbar(json, platform);
    wmi(json, platform);
    drives(json, platform);
    folders(json, platform);
    json.endObject();
}

}  // namespace zarnel::tools

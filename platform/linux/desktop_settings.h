// A desktop's settings database (GSettings: dconf on a live session), seen as text values.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zarnel::linux_fs {

class DesktopSettings {
  public:
    virtual ~DesktopSettings() = default;
    // One key of a schema in GVariant text form ("true", "uint32 1", "['1:false']"); nothing
    // when the schema is not installed or lacks the key. `path` places a relocatable schema
    // ("/org/mate/panel/toplevels/bottom/") and is ignored for a fixed one.
    virtual std::optional<std::string> value(std::string_view schema, std::string_view path,
                                             std::string_view key) const = 0;
    // The same database, its schemas joined by the compiled ones in folder `schemaDir`: where
    // a desktop's extension installed by its user keeps its own.
    virtual std::unique_ptr<DesktopSettings> withSchemasFrom(
        const std::filesystem::path& schemaDir) const = 0;
};

// The session's own database through GIO, with the schemas installed on the machine.
std::unique_ptr<DesktopSettings> sessionDesktopSettings();

// The same through GIO from a schema folder (compiled schemas) and a key file in GSettings'
// keyfile form: a machine kept in a folder.
std::unique_ptr<DesktopSettings> keyFileDesktopSettings(const std::filesystem::path& schemaDir,
                                                        const std::filesystem::path& keyFile);

}  // namespace zarnel::linux_fs

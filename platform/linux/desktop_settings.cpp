#include "platform/linux/desktop_settings.h"

#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>

namespace zarnel::linux_fs {
namespace {

template <typename T>
struct GObjectRelease {
    void operator()(T* object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectRelease<T>>;

struct SchemaSourceRelease {
    void operator()(GSettingsSchemaSource* source) const { g_settings_schema_source_unref(source); }
};
struct SchemaRelease {
    void operator()(GSettingsSchema* schema) const { g_settings_schema_unref(schema); }
};
struct VariantRelease {
    void operator()(GVariant* value) const { g_variant_unref(value); }
};
struct TextRelease {
    void operator()(gchar* text) const { g_free(text); }
};

class GioSettings : public DesktopSettings {
  public:
    // The machine's schemas and the session's database.
    GioSettings() = default;
    // Schemas and values kept elsewhere; a source that could not be read holds no schema.
    GioSettings(GSettingsSchemaSource* source, GSettingsBackend* backend)
        : session_(false), source_(source), backend_(backend) {}

    std::optional<std::string> value(std::string_view schemaId, std::string_view path,
                                     std::string_view key) const override {
        GSettingsSchemaSource* source =
            session_ ? g_settings_schema_source_get_default() : source_.get();
        if (source == nullptr || (!session_ && !backend_)) return std::nullopt;
        const std::string id(schemaId);
        const std::unique_ptr<GSettingsSchema, SchemaRelease> schema(
            g_settings_schema_source_lookup(source, id.c_str(), TRUE));
        const std::string keyName(key);
        // Asking GSettings for a missing schema or key aborts the program; look first.
        if (!schema || !g_settings_schema_has_key(schema.get(), keyName.c_str())) {
            return std::nullopt;
        }
        const std::string relocatedPath(path);
        const char* place =
            g_settings_schema_get_path(schema.get()) ? nullptr : relocatedPath.c_str();
        const GObjectPtr<GSettings> settings(
            g_settings_new_full(schema.get(), backend_.get(), place));
        const std::unique_ptr<GVariant, VariantRelease> value(
            g_settings_get_value(settings.get(), keyName.c_str()));
        const std::unique_ptr<gchar, TextRelease> text(g_variant_print(value.get(), FALSE));
        return std::string(text.get());
    }

  private:
    bool session_ = true;
    std::unique_ptr<GSettingsSchemaSource, SchemaSourceRelease> source_;
    GObjectPtr<GSettingsBackend> backend_;
};

}  // namespace

std::unique_ptr<DesktopSettings> sessionDesktopSettings() {
    return std::make_unique<GioSettings>();
}

std::unique_ptr<DesktopSettings> keyFileDesktopSettings(const std::filesystem::path& schemaDir,
                                                        const std::filesystem::path& keyFile) {
    GSettingsSchemaSource* source =
        g_settings_schema_source_new_from_directory(schemaDir.c_str(), nullptr, FALSE, nullptr);
    // The keyfile backend wants an absolute file name; without one nothing can be read.
    if (source == nullptr || !keyFile.is_absolute()) {
        if (source) g_settings_schema_source_unref(source);
        return std::make_unique<GioSettings>(nullptr, nullptr);
    }
    GSettingsBackend* backend = g_keyfile_settings_backend_new(keyFile.c_str(), "/", nullptr);
    return std::make_unique<GioSettings>(source, backend);
}

}  // namespace zarnel::linux_fs

#include "platform/linux/desktop_settings.h"

#include "platform/linux/gio_library.h"

namespace zarnel::linux_fs {
namespace {

// Deleters for what GIO hands out; they run only on objects GIO made, so it is bound.
struct GObjectRelease {
    void operator()(gpointer object) const { gioLibrary()->objectUnref(object); }
};
struct SchemaSourceRelease {
    void operator()(GSettingsSchemaSource* source) const {
        gioLibrary()->schemaSourceUnref(source);
    }
};
struct SchemaRelease {
    void operator()(GSettingsSchema* schema) const { gioLibrary()->schemaUnref(schema); }
};
struct VariantRelease {
    void operator()(GVariant* value) const { gioLibrary()->variantUnref(value); }
};
struct TextRelease {
    void operator()(gchar* text) const { gioLibrary()->free(text); }
};

// GSettings refuses a path that does not begin and end with a slash or that holds two slashes
// running, and then hands out nothing; a panel id taken from the settings ('' or 'a/b') makes
// one.
bool isSettingsPath(std::string_view path) {
    return path.starts_with('/') && path.ends_with('/') &&
           path.find("//") == std::string_view::npos;
}

class GioSettings : public DesktopSettings {
  public:
    // The machine's schemas and the session's database.
    GioSettings() = default;
    // Schemas and values kept elsewhere; a source that could not be read holds no schema.
    GioSettings(GSettingsSchemaSource* source, GSettingsBackend* backend)
        : session_(false), source_(source), backend_(backend) {}

    std::optional<std::string> value(std::string_view schemaId, std::string_view path,
                                     std::string_view key) const override {
        const GioLibrary* gio = gioLibrary();
        if (gio == nullptr) return std::nullopt;
        GSettingsSchemaSource* source = session_ ? gio->schemaSourceGetDefault() : source_.get();
        if (source == nullptr || (!session_ && !backend_)) return std::nullopt;
        const std::string id(schemaId);
        const std::unique_ptr<GSettingsSchema, SchemaRelease> schema(
            gio->schemaSourceLookup(source, id.c_str(), TRUE));
        const std::string keyName(key);
        // Asking GSettings for a missing schema or key aborts the program; look first.
        if (!schema || !gio->schemaHasKey(schema.get(), keyName.c_str())) return std::nullopt;
        const std::string relocatedPath(path);
        const bool relocatable = gio->schemaGetPath(schema.get()) == nullptr;
        if (relocatable && !isSettingsPath(relocatedPath)) return std::nullopt;
        const std::unique_ptr<GSettings, GObjectRelease> settings(gio->settingsNewFull(
            schema.get(), backend_.get(), relocatable ? relocatedPath.c_str() : nullptr));
        if (!settings) return std::nullopt;
        const std::unique_ptr<GVariant, VariantRelease> value(
            gio->settingsGetValue(settings.get(), keyName.c_str()));
        if (!value) return std::nullopt;
        const std::unique_ptr<gchar, TextRelease> text(gio->variantPrint(value.get(), FALSE));
        if (!text) return std::nullopt;
        return std::string(text.get());
    }

  private:
    bool session_ = true;
    std::unique_ptr<GSettingsSchemaSource, SchemaSourceRelease> source_;
    std::unique_ptr<GSettingsBackend, GObjectRelease> backend_;
};

}  // namespace

std::unique_ptr<DesktopSettings> sessionDesktopSettings() {
    return std::make_unique<GioSettings>();
}

std::unique_ptr<DesktopSettings> keyFileDesktopSettings(const std::filesystem::path& schemaDir,
                                                        const std::filesystem::path& keyFile) {
    const GioLibrary* gio = gioLibrary();
    GSettingsSchemaSource* source =
        gio ? gio->schemaSourceNewFromDirectory(schemaDir.c_str(), nullptr, FALSE, nullptr)
            : nullptr;
    // The keyfile backend wants an absolute file name; without one nothing can be read.
    if (source == nullptr || !keyFile.is_absolute()) {
        if (source) gio->schemaSourceUnref(source);
        return std::make_unique<GioSettings>(nullptr, nullptr);
    }
    GSettingsBackend* backend = gio->keyfileSettingsBackendNew(keyFile.c_str(), "/", nullptr);
    return std::make_unique<GioSettings>(source, backend);
}

}  // namespace zarnel::linux_fs

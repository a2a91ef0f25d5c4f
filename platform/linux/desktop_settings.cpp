#include "platform/linux/desktop_settings.h"

#include <memory>
#include <utility>

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

using SchemaSource = std::unique_ptr<GSettingsSchemaSource, SchemaSourceRelease>;
using Backend = std::shared_ptr<GSettingsBackend>;

class GioSettings : public DesktopSettings {
  public:
    // The machine's schemas and the session's database.
    GioSettings() = default;
    // Schemas kept elsewhere, read from the session's database (`backend` null) or from
    // `backend`. A source that could not be read holds no schema.
    GioSettings(SchemaSource source, Backend backend, bool session)
        : session_(session), source_(std::move(source)), backend_(std::move(backend)) {}

    std::optional<std::string> value(std::string_view schemaId, std::string_view path,
                                     std::string_view key) const override {
        const GioLibrary* gio = gioLibrary();
        GSettingsSchemaSource* source = schemaSource();
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

    std::unique_ptr<DesktopSettings> withSchemasFrom(
        const std::filesystem::path& schemaDir) const override {
        const GioLibrary* gio = gioLibrary();
        GSettingsSchemaSource* parent = schemaSource();
        SchemaSource joined(
            parent ? gio->schemaSourceNewFromDirectory(schemaDir.c_str(), parent, FALSE, nullptr)
                   : nullptr);
        // A folder without compiled schemas adds none.
        if (!joined && parent) joined.reset(gio->schemaSourceRef(parent));
        return std::make_unique<GioSettings>(std::move(joined), backend_, session_);
    }

  private:
    // The schemas asked through; null when GIO is missing or the source could not be read.
    GSettingsSchemaSource* schemaSource() const {
        const GioLibrary* gio = gioLibrary();
        if (gio == nullptr) return nullptr;
        return session_ && !source_ ? gio->schemaSourceGetDefault() : source_.get();
    }

    bool session_ = true;
    SchemaSource source_;
    Backend backend_;
};

}  // namespace

std::unique_ptr<DesktopSettings> sessionDesktopSettings() {
    return std::make_unique<GioSettings>();
}

std::unique_ptr<DesktopSettings> keyFileDesktopSettings(const std::filesystem::path& schemaDir,
                                                        const std::filesystem::path& keyFile) {
    const GioLibrary* gio = gioLibrary();
    SchemaSource source(
        gio ? gio->schemaSourceNewFromDirectory(schemaDir.c_str(), nullptr, FALSE, nullptr)
            : nullptr);
    // The keyfile backend wants an absolute file name; without one nothing can be read.
    if (!source || !keyFile.is_absolute()) {
        return std::make_unique<GioSettings>(nullptr, nullptr, false);
    }
    Backend backend(gio->keyfileSettingsBackendNew(keyFile.c_str(), "/", nullptr),
                    GObjectRelease{});
    return std::make_unique<GioSettings>(std::move(source), std::move(backend), false);
}

}  // namespace zarnel::linux_fs

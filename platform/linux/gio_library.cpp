#include "platform/linux/gio_library.h"

#include <dlfcn.h>

#include <optional>

namespace zarnel::linux_fs {
namespace {

// The library's name as installed for programs to run, not the development link.
constexpr const char* kGioSoname = "libgio-2.0.so.0";

// Binds `name` into `function`; false when the library has no such symbol.
template <typename Function>
bool bind(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(::dlsym(library, name));
    return function != nullptr;
}

std::optional<GioLibrary> load() {
    // Kept loaded for the life of the program: GSettings objects live in the library's types.
    void* library = ::dlopen(kGioSoname, RTLD_LAZY | RTLD_LOCAL);
    if (library == nullptr) return std::nullopt;
    GioLibrary gio{};
    // dlsym looks through the library's own dependencies too, where GLib's calls live.
    const bool complete =
        bind(library, "g_settings_schema_source_get_default", gio.schemaSourceGetDefault) &&
        bind(library, "g_settings_schema_source_new_from_directory",
             gio.schemaSourceNewFromDirectory) &&
        bind(library, "g_settings_schema_source_lookup", gio.schemaSourceLookup) &&
        bind(library, "g_settings_schema_source_ref", gio.schemaSourceRef) &&
        bind(library, "g_settings_schema_source_unref", gio.schemaSourceUnref) &&
        bind(library, "g_settings_schema_has_key", gio.schemaHasKey) &&
        bind(library, "g_settings_schema_get_path", gio.schemaGetPath) &&
        bind(library, "g_settings_schema_unref", gio.schemaUnref) &&
        bind(library, "g_settings_new_full", gio.settingsNewFull) &&
        bind(library, "g_settings_get_value", gio.settingsGetValue) &&
        bind(library, "g_keyfile_settings_backend_new", gio.keyfileSettingsBackendNew) &&
        bind(library, "g_variant_print", gio.variantPrint) &&
        bind(library, "g_variant_unref", gio.variantUnref) &&
        bind(library, "g_object_unref", gio.objectUnref) && bind(library, "g_free", gio.free);
    if (!complete) return std::nullopt;
    return gio;
}

}  // namespace

const GioLibrary* gioLibrary() {
    static const std::optional<GioLibrary> gio = load();
    return gio ? &*gio : nullptr;
}

}  // namespace zarnel::linux_fs

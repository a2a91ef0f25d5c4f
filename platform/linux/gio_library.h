// GIO's settings calls, bound at their first use rather than linked: only the desktops whose
// panels keep their state in GSettings ask for them, and linking GIO made every start-up load
// it and the five libraries it pulls in.
#pragma once

#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>

namespace zarnel::linux_fs {

struct GioLibrary {
    decltype(&g_settings_schema_source_get_default) schemaSourceGetDefault;
    decltype(&g_settings_schema_source_new_from_directory) schemaSourceNewFromDirectory;
    decltype(&g_settings_schema_source_lookup) schemaSourceLookup;
    decltype(&g_settings_schema_source_ref) schemaSourceRef;
    decltype(&g_settings_schema_source_unref) schemaSourceUnref;
    decltype(&g_settings_schema_has_key) schemaHasKey;
    decltype(&g_settings_schema_get_path) schemaGetPath;
    decltype(&g_settings_schema_unref) schemaUnref;
    decltype(&g_settings_new_full) settingsNewFull;
    decltype(&g_settings_get_value) settingsGetValue;
    decltype(&g_keyfile_settings_backend_new) keyfileSettingsBackendNew;
    decltype(&g_variant_print) variantPrint;
    decltype(&g_variant_unref) variantUnref;
    decltype(&g_object_unref) objectUnref;
    decltype(&g_free) free;
};

// The calls, bound once; null where GIO is not installed or lacks one of them.
const GioLibrary* gioLibrary();

}  // namespace zarnel::linux_fs

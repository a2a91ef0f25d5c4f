// The words settings files start a path with to name the user's folders, as the programs that
// read them put them in.
#pragma once

#include <filesystem>
#include <string>

namespace zarnel::linux_fs {

// `path` with a leading ~, $HOME or ${HOME} made `home`, and a leading $XDG_CONFIG_HOME or
// ${XDG_CONFIG_HOME} made `configHome`; any other path as it is.
std::string withHomeWords(std::string path, const std::filesystem::path& home,
                          const std::filesystem::path& configHome);

}  // namespace zarnel::linux_fs

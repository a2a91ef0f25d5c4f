#include "platform/linux/home_words.h"

#include <array>
#include <string_view>
#include <utility>

namespace zarnel::linux_fs {

std::string withHomeWords(std::string path, const std::filesystem::path& home,
                          const std::filesystem::path& configHome) {
    const std::array<std::pair<std::string_view, const std::filesystem::path*>, 5> words = {
        {{"~", &home},
         {"${HOME}", &home},
         {"$HOME", &home},
         {"${XDG_CONFIG_HOME}", &configHome},
         {"$XDG_CONFIG_HOME", &configHome}}};
    for (const auto& [word, place] : words) {
        if (path.starts_with(word) && (path.size() == word.size() || path[word.size()] == '/')) {
            return place->string() + path.substr(word.size());
        }
    }
    return path;
}

}  // namespace zarnel::linux_fs

// Pictures saved as PNG with nothing but the standard library: 8-bit RGB, deflate's stored
// blocks (no compression), so no image library has to be cross-built.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace zarnel::tools {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // rows top to bottom, three bytes a pixel
};

// Throws std::runtime_error when the file cannot be written.
void writePng(const RgbImage& image, const std::filesystem::path& file);

}  // namespace zarnel::tools

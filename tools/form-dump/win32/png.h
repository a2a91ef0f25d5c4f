// Pictures saved as PNG with nothing but the standard library: 8-bit RGB, deflate's stored
// blocks (no compression), so no image library has to be cross-built.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace zarnel::tools {

// Red, green and blue, a byte each.
inline constexpr std::size_t kRgbBytesPerPixel = 3;

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // rows top to bottom, kRgbBytesPerPixel a pixel
};

// Throws std::runtime_error when the file cannot be written.
void writePng(const RgbImage& image, const std::filesystem::path& file);

}  // namespace zarnel::tools

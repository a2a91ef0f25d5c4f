// The tab pictures' PNG files: the standard's framing, its CRC and the pixels uncompressed.
#include "tools/form-dump/win32/png.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace zarnel {
namespace {

TEST(Png, ATinyImageIsFramedAsTheStandardSays) {
    const tools::RgbImage image{.width = 2,
                                .height = 2,
                                .rgb = {255, 0, 0, 0, 255, 0,  //
                                        0, 0, 255, 9, 8, 7}};
    const auto file = std::filesystem::temp_directory_path() / "zarnel-png-test.png";
    tools::writePng(image, file);
    std::vector<unsigned char> bytes;
    {
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }  // closed: Windows keeps an open file from being removed
    std::filesystem::remove(file);

    const std::vector<unsigned char> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_GT(bytes.size(), 60U);
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), bytes.begin()));
    // Every PNG ends with the same empty IEND chunk, CRC included.
    const std::vector<unsigned char> end{0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    EXPECT_TRUE(std::equal(end.begin(), end.end(), bytes.end() - 12));

    // IDAT after the 8-byte signature and the 25-byte IHDR chunk: length, type, zlib header,
    // one final stored block of 14 bytes (two rows of a filter byte and six colour bytes).
    const std::size_t idat = 8 + 25;
    EXPECT_EQ(std::string(bytes.begin() + idat + 4, bytes.begin() + idat + 8), "IDAT");
    const std::size_t block = idat + 8 + 2;
    EXPECT_EQ(bytes[block], 1);  // final, stored
    EXPECT_EQ(bytes[block + 1], 14);
    const std::vector<unsigned char> raw{0, 255, 0, 0, 0, 255, 0, 0, 0, 0, 255, 9, 8, 7};
    EXPECT_TRUE(std::equal(raw.begin(), raw.end(), bytes.begin() + block + 5));

    // The checksums over bodies, as zlib computes them: the IHDR chunk's CRC (over its type and
    // its 13 bytes) and the Adler-32 of the pixels after the stored block.
    const auto bigEndian = [&bytes](std::size_t at) {
        return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
               std::uint32_t{bytes[at + 2]} << 8 | std::uint32_t{bytes[at + 3]};
    };
    constexpr std::size_t kIhdrCrc = 8 + 8 + 13;
    EXPECT_EQ(bigEndian(kIhdrCrc), 0xFDD49A73U);
    EXPECT_EQ(bigEndian(block + 5 + raw.size()), 0x1A260316U);
}

}  // namespace
}  // namespace zarnel

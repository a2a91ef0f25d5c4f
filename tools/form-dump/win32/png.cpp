#include "tools/form-dump/win32/png.h"

#include <array>
#include <fstream>
#include <stdexcept>
#include <string>

namespace zarnel::tools {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint32_t kCrcPolynomial = 0xEDB88320;  // PNG's CRC-32, reflected
constexpr std::uint32_t kAdlerModulus = 65521;
constexpr std::size_t kStoredBlockLimit = 65535;
constexpr std::uint8_t kZlibMethod = 0x78;     // deflate, 32 KB window
constexpr std::uint8_t kZlibCheckBits = 0x01;  // makes the header a multiple of 31
constexpr std::uint8_t kBitDepth = 8;
constexpr std::uint8_t kColourTypeRgb = 2;
constexpr std::uint8_t kNoFilter = 0;
constexpr int kByteBits = 8;
constexpr std::uint32_t kByteMask = 0xFF;
constexpr std::size_t kChunkTypeBytes = 4;  // "IHDR", "IDAT", "IEND"

using Bytes = std::vector<std::uint8_t>;

std::uint32_t crc32(const Bytes& data, std::size_t from) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < t.size(); ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < kByteBits; ++k) c = (c & 1) ? kCrcPolynomial ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFF;
    for (std::size_t i = from; i < data.size(); ++i)
        c = table[(c ^ data[i]) & kByteMask] ^ (c >> kByteBits);
    return c ^ 0xFFFFFFFF;
}

void putBigEndian(Bytes& out, std::uint32_t value) {
    for (int shift = 3 * kByteBits; shift >= 0; shift -= kByteBits)
        out.push_back(static_cast<std::uint8_t>((value >> shift) & kByteMask));
}

void chunk(Bytes& out, const char (&type)[kChunkTypeBytes + 1], const Bytes& body) {
    putBigEndian(out, static_cast<std::uint32_t>(body.size()));
    const std::size_t typeStart = out.size();
    out.insert(out.end(), type, type + kChunkTypeBytes);
    out.insert(out.end(), body.begin(), body.end());
    putBigEndian(out, crc32(out, typeStart));
}

Bytes zlibStored(const Bytes& raw) {
    Bytes out{kZlibMethod, kZlibCheckBits};
    std::size_t at = 0;
    do {
        const std::size_t length = std::min(kStoredBlockLimit, raw.size() - at);
        const bool last = at + length == raw.size();
        out.push_back(last ? 1 : 0);
        const auto size = static_cast<std::uint16_t>(length);
        out.push_back(static_cast<std::uint8_t>(size & kByteMask));
        out.push_back(static_cast<std::uint8_t>(size >> kByteBits));
        out.push_back(static_cast<std::uint8_t>(~size & kByteMask));
        out.push_back(static_cast<std::uint8_t>((~size >> kByteBits) & kByteMask));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                   raw.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
    } while (at < raw.size());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : raw) {
        a = (a + byte) % kAdlerModulus;
        b = (b + a) % kAdlerModulus;
    }
    putBigEndian(out, (b << (2 * kByteBits)) | a);
    return out;
}

}  // namespace

void writePng(const RgbImage& image, const std::filesystem::path& file) {
    Bytes header;
    putBigEndian(header, static_cast<std::uint32_t>(image.width));
    putBigEndian(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(), {kBitDepth, kColourTypeRgb, 0, 0, 0});

    const auto rowBytes = static_cast<std::size_t>(image.width) * kRgbBytesPerPixel;
    Bytes raw;
    raw.reserve((rowBytes + 1) * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(kNoFilter);
        const auto row = image.rgb.begin() + static_cast<std::ptrdiff_t>(rowBytes * y);
        raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
    }

    Bytes png(kSignature.begin(), kSignature.end());
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", zlibStored(raw));
    chunk(png, "IEND", {});
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace zarnel::tools

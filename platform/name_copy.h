// The buffer contract shared by the name functions of the platform, so that every provider
// answers a too-small buffer the way the system does.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

namespace zarnel {

// What a successful call leaves in the length argument.
enum class LengthOnSuccess {
    WithoutNul,  // GetComputerNameA, GetComputerNameExA
    WithNul,     // GetUserNameA
};

// Copies `ansi` and its NUL into `buffer` when they fit in `len` bytes (and the buffer), and
// returns 1; else returns 0 with `error` = tooSmallError and `len` = the bytes needed.
int copyName(std::string_view ansi, std::span<char> buffer, std::uint32_t& len,
             LengthOnSuccess lengthOnSuccess, std::uint32_t tooSmallError, std::uint32_t& error);

// One text bound for a buffer of its own, with its NUL.
struct TextCopy {
    std::string_view ansi;
    std::span<char> buffer;
};

// Copies every text into its buffer when all of them fit, and returns true; else returns false
// with `error` = ERROR_MORE_DATA and every buffer left as it was, as a failed call leaves them.
bool copyTextsWhole(std::initializer_list<TextCopy> copies, std::uint32_t& error);

}  // namespace zarnel

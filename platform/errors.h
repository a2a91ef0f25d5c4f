// Win32 error numbers the window reads, and the exceptions a provider may raise.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace zarnel {

namespace win32_error {
inline constexpr std::uint32_t kSuccess = 0;
inline constexpr std::uint32_t kFileNotFound = 2;
inline constexpr std::uint32_t kPathNotFound = 3;
inline constexpr std::uint32_t kAccessDenied = 5;
inline constexpr std::uint32_t kInvalidData = 13;
inline constexpr std::uint32_t kNotReady = 21;
inline constexpr std::uint32_t kGenFailure = 31;
inline constexpr std::uint32_t kNotSupported = 50;
inline constexpr std::uint32_t kInvalidParameter = 87;
inline constexpr std::uint32_t kBufferOverflow = 111;
inline constexpr std::uint32_t kCallNotImplemented = 120;
inline constexpr std::uint32_t kInsufficientBuffer = 122;
inline constexpr std::uint32_t kEnvVarNotFound = 203;
inline constexpr std::uint32_t kFileTooLarge = 223;
inline constexpr std::uint32_t kMoreData = 234;
inline constexpr std::uint32_t kNoUnicodeTranslation = 1113;
inline constexpr std::uint32_t kCantResolveFilename = 1921;
}  // namespace win32_error

// A Win32 error number as the failure result of a shell call (HRESULT_FROM_WIN32).
inline constexpr std::int32_t hresultFromWin32(std::uint32_t error) {
    constexpr std::uint32_t kWin32Failure = 0x80070000;  // failure bit and the Win32 facility
    constexpr std::uint32_t kCodeMask = 0xFFFF;
    return error == win32_error::kSuccess
               ? 0
               : static_cast<std::int32_t>(kWin32Failure | (error & kCodeMask));
}

// A declared function that the system does not export (bound lazily, so it surfaces at the
// call, never at start-up).
class BindingError : public std::runtime_error {
  public:
    explicit BindingError(const std::string& function)
        : std::runtime_error("function not available: " + function) {}
};

// Any failure of the management service: absent, refused, unknown class, bad query.
class WmiError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace zarnel

// Conversions between UTF-8 text and a Windows code page through the system's own tables
// (MultiByteToWideChar / WideCharToMultiByte), with the replacement rules of the ANSI codec.
#pragma once

#include <string>
#include <string_view>

namespace zarnel::win32 {

// "UTF-8", "CP<number>" or "ACP" (the system's ANSI code page) to a code page number the
// system knows; std::invalid_argument otherwise.
unsigned codePageNumber(std::string_view name);
// The name of a code page number: "UTF-8" or "CP<number>".
std::string codePageName(unsigned codePage);

// Bytes in the code page to UTF-8; every byte that starts no valid character becomes U+FFFD.
std::string decode(unsigned codePage, std::string_view bytes);
// UTF-16 text of the system (BSTRs, wide API results) to UTF-8.
std::string utf8Of(std::wstring_view wide);
// Bytes in the code page to the system's UTF-16; every byte that starts no valid character
// becomes U+FFFD.
std::wstring wideOf(unsigned codePage, std::string_view bytes);

// UTF-8 to bytes in the code page; each character the page lacks becomes one '?', never a
// look-alike ("é" is not written as "e").
std::string encode(unsigned codePage, std::string_view text);

}  // namespace zarnel::win32

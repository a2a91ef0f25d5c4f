// Descriptors 0 to 2 held open before anything else opens a file or a socket.
#pragma once

#include <array>

namespace zarnel::linux_fs {

// The standard streams by their descriptors.
enum StandardStream : int { kStandardInput, kStandardOutput, kStandardError, kStandardStreams };

// Which of the standard streams, by descriptor, had to be reopened.
using ReopenedStreams = std::array<bool, kStandardStreams>;

// A launcher may start the program with standard input, output or error closed. The next
// descriptor opened (the display's socket) would then take that number, and a library's
// warning written to stderr would go into it. Each closed one is opened on /dev/null.
ReopenedStreams keepStandardStreamsOpen();

}  // namespace zarnel::linux_fs

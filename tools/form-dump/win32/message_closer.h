// Closes every message box that opens on this thread while the tool runs and remembers what it
// said, so that an unattended run never waits for a user.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace zarnel::tools {

struct SeenMessage {
    std::string title;
    std::string text;
    std::string icon;    // "information", "critical" or "none"
    bool owned = false;  // it had an owner window
};

class MessageCloser {
  public:
    MessageCloser();
    ~MessageCloser();
    MessageCloser(const MessageCloser&) = delete;
    MessageCloser& operator=(const MessageCloser&) = delete;

    const std::vector<SeenMessage>& seen() const { return seen_; }

  private:
    static LRESULT CALLBACK watch(int code, WPARAM wParam, LPARAM lParam);

    HHOOK hook_;
    std::vector<SeenMessage> seen_;
};

}  // namespace zarnel::tools

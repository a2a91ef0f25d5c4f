// A small streaming JSON writer: keys in the order written, texts escaped, two-space indent.
#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

namespace zarnel::tools {

class JsonWriter {
  public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The key of the next value inside an object.
    JsonWriter& key(std::string_view name);

    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void value(std::int64_t number);
    void value(std::uint64_t number);
    void value(std::uint32_t number) { value(std::uint64_t{number}); }
    void value(int number) { value(std::int64_t{number}); }
    void value(bool flag);
    void null();

  private:
    // Separator and indent before a value or a key.
    void next();
    void open(char bracket);
    void close(char bracket);

    std::ostream& out_;
    // One entry per open container: whether it holds anything yet.
    std::vector<bool> filled_;
    bool afterKey_ = false;
};

}  // namespace zarnel::tools

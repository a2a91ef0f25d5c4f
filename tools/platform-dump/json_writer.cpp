#include "tools/platform-dump/json_writer.h"

#include <string>

#include "tools/json-string/json_string.h"

namespace zarnel::tools {
namespace {

constexpr int kIndent = 2;

}  // namespace

void JsonWriter::next() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (filled_.empty()) return;
    if (filled_.back()) out_ << ',';
    filled_.back() = true;
    out_ << '\n' << std::string(filled_.size() * kIndent, ' ');
}

void JsonWriter::open(char bracket) {
    next();
    out_ << bracket;
    filled_.push_back(false);
}

void JsonWriter::close(char bracket) {
    const bool filled = filled_.back();
    filled_.pop_back();
    if (filled) out_ << '\n' << std::string(filled_.size() * kIndent, ' ');
    out_ << bracket;
    if (filled_.empty()) out_ << '\n';
}

void JsonWriter::beginObject() {
    open('{');
}
void JsonWriter::endObject() {
    close('}');
}
void JsonWriter::beginArray() {
    open('[');
}
void JsonWriter::endArray() {
    close(']');
}

JsonWriter& JsonWriter::key(std::string_view name) {
    value(name);
    out_ << ": ";
    afterKey_ = true;
    return *this;
}

void JsonWriter::value(std::string_view text) {
    next();
    std::string quoted;
    appendJsonString(quoted, text);
    out_ << quoted;
}

void JsonWriter::value(std::int64_t number) {
    next();
    out_ << number;
}

void JsonWriter::value(std::uint64_t number) {
    next();
    out_ << number;
}

void JsonWriter::value(bool flag) {
    next();
    out_ << (flag ? "true" : "false");
}

void JsonWriter::null() {
    next();
    out_ << "null";
}

}  // namespace zarnel::tools

// Just enough JSON to print the dump: values built in memory, printed with sorted keys and
// four-space indents, as the Qt tool prints them.
#pragma once

#include <map>
#include <string>
#include <variant>
#include <vector>

namespace zarnel::tools {

class Json {
  public:
    using Array = std::vector<Json>;
    using Object = std::map<std::string, Json>;

    Json() = default;  // null
    Json(bool value) : value_(value) {}
    Json(int value) : value_(static_cast<double>(value)) {}
    Json(double value) : value_(value) {}
    Json(std::string value) : value_(std::move(value)) {}
    Json(const char* value) : value_(std::string(value)) {}
    Json(Array value) : value_(std::move(value)) {}
    Json(Object value) : value_(std::move(value)) {}

    std::string print() const;

  private:
    void print(std::string& out, int depth) const;

    std::variant<std::nullptr_t, bool, double, std::string, Array, Object> value_ = nullptr;
};

}  // namespace zarnel::tools

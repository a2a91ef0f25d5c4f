// Just enough JSON for the dumps: values built in memory and printed with sorted keys and
// four-space indents, as the Qt tool prints them, and read back for comparison.
#pragma once

#include <map>
#include <string>
#include <string_view>
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
    // Throws std::invalid_argument on text that is not one JSON value.
    static Json parse(std::string_view text);

    bool isNull() const { return std::holds_alternative<std::nullptr_t>(value_); }
    // The value as that type; throws std::bad_variant_access if it is another.
    double asNumber() const { return std::get<double>(value_); }
    const std::string& asString() const { return std::get<std::string>(value_); }
    const Array& asArray() const { return std::get<Array>(value_); }
    const Object& asObject() const { return std::get<Object>(value_); }
    // A member of an object; null when absent.
    const Json& operator[](const std::string& key) const;

    bool operator==(const Json& other) const = default;

  private:
    void print(std::string& out, int depth) const;

    std::variant<std::nullptr_t, bool, double, std::string, Array, Object> value_ = nullptr;
};

}  // namespace zarnel::tools

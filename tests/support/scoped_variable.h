// An environment variable set, or unset, for as long as the object lives, then put back as it
// was, whatever the test does in between.
#pragma once

#include <stdlib.h>

#include <optional>
#include <string>

namespace zarnel::testing {

class ScopedVariable {
  public:
    // A null `value` unsets the variable.
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* saved = ::getenv(name)) saved_ = saved;
        set(value);
    }
    ~ScopedVariable() { set(saved_ ? saved_->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

    // Sets it again while the object lives; null unsets it.
    void set(const char* value) const {
        if (value) {
            ::setenv(name_, value, 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> saved_;
};

}  // namespace zarnel::testing

// The platform contract, written once against Platform& and run against every provider that
// can answer it: the fake everywhere, the Linux provider on Linux, the Win32 provider under
// wine. Each provider file instantiates the suite with what its machine is known to report.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace zarnel::contract {

struct ContractCase {
    std::string name;
    std::function<std::unique_ptr<Platform>()> make;
    // Win32_Processor: a property whose values tell the instances apart, in the service's
    // order; empty where the machine has one processor only.
    std::string orderedProperty;
    std::vector<WmiValue> orderedValues;
    // A property of a class that this machine reports as null.
    std::string nullClass;
    std::string nullProperty;
};

class PlatformContract : public ::testing::TestWithParam<ContractCase> {
  protected:
    void SetUp() override { platform = GetParam().make(); }
    std::unique_ptr<Platform> platform;
};

inline std::string caseName(const ::testing::TestParamInfo<ContractCase>& info) {
    return info.param.name;
}

}  // namespace zarnel::contract

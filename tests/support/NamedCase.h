#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace vk::test {

// Table rows carry a `name`: it names the generated test and stands for the row in messages.
template <typename Case>
concept NamedCase = requires(const Case& c)
{
    std::string(c.name);
};

template <NamedCase Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info)
{
    return info.param.name;
}

template <NamedCase Case>
void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

}  // namespace vk::test

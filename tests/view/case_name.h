#pragma once

#include <gtest/gtest.h>

#include <string>

// Names each instance of a parameterised test after its case's `name`.
struct TCaseName {
  template <class TCase>
  std::string operator()(const ::testing::TestParamInfo<TCase>& info) const {
    return info.param.name;
  }
};

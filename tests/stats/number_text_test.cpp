// Numbers typed in the panels' boxes and values of a data text.
#include "stats/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

#include "stat_test_support.h"

namespace {

TEST(NumberText, TypedNumbersAndDataValues) {
  const std::pair<const char*, std::optional<double>> typed[] = {
      {"12.6", 12.6}, {"10,9", 10.9}, {" -0,8", -0.8}, {",5", 0.5}, {"2.5e3", 2500}, {"1E-400", 0.0},
      {"1E400", std::nullopt}, {"-1e400", std::nullopt}, {"", std::nullopt}, {"  ", std::nullopt}, {"-", std::nullopt}, {".", std::nullopt}, {"e5", std::nullopt},
  };
  for (const auto& [text, value] : typed) EXPECT_EQ(stats::typedNumber(text), value) << text;

  const std::tuple<const char*, bool, std::vector<double>> data[] = {
      {"1;;2; ;0;abc;3", false, {1, 2, 0, 0}},   // blank items are no value, "abc" is 0
      {"1,5;2.5;", false, {1.5, 2.5}},
      {"5", false, {}},
      {"1;0;-2;;2.718281828459045;", true, {0, std::log(2.718281828459045)}},
  };
  for (const auto& [text, logs, values] : data) EXPECT_EQ(stats::dataValues(text, logs), values) << text;
}

}  // namespace

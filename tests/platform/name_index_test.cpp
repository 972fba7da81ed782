#include "platform/name_index.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(NameIndex, FindsEveryNameWithoutRegardToCaseAcrossGrowth) {
  std::vector<std::string> names;
  NameIndex index;
  auto nameAt = [&](size_t position) -> std::string_view { return names[position]; };
  for (int i = 0; i < 5000; ++i) {
    names.push_back("Value" + std::to_string(i));
    ASSERT_TRUE(index.Insert(names.back(), names.size() - 1, nameAt).second) << names.back();
  }
  for (int i = 0; i < 5000; ++i) {
    EXPECT_EQ(index.Find("vALUE" + std::to_string(i), nameAt), static_cast<size_t>(i));
  }
  EXPECT_FALSE(index.Find("Value5000", nameAt));
  EXPECT_FALSE(index.Find("Value", nameAt));
  // A name already there keeps its first position.
  EXPECT_EQ(index.Insert("VALUE17", 5000, nameAt), (std::pair<size_t, bool>{17, false}));
}

}  // namespace
}  // namespace tarnwick

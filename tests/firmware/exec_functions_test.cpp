// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/exec_functions.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace qorvi {
namespace {

TEST(ExecFunctions, FindsThePairsIndex) {
  EXPECT_EQ(FindExecIndex(19, 0, 40), 27);
  EXPECT_EQ(ExecFunctionName(27, 1), "Camera");
  EXPECT_EQ(ExecFunctionName(27, 0), "カメラ");
  EXPECT_EQ(FindExecIndex(4, 0, 35), 0);
  EXPECT_EQ(FindExecIndex(31, 6, 40), 39);
  EXPECT_EQ(FindExecIndex(2, 11, 40), std::nullopt);
}

TEST(ExecFunctions, OnlyTheFirstItemCountEntriesTakePart) {
  EXPECT_EQ(FindExecIndex(30, 0, 35), std::nullopt);  // entry 36, a 3.90 set
  EXPECT_EQ(FindExecIndex(30, 0, 36), std::nullopt);
  EXPECT_EQ(FindExecIndex(30, 0, 40), 36);
  EXPECT_EQ(FindExecIndex(29, 6, 36), 35);
  EXPECT_EQ(FindExecIndex(4, 0, 0), std::nullopt);
  EXPECT_EQ(FindExecIndex(4, 0, -1), std::nullopt);
  EXPECT_EQ(FindExecIndex(31, 6, 1000), 39);
}

TEST(ExecFunctions, EveryPairIsDistinctAndFindsItself) {
  std::set<std::pair<uint32_t, uint32_t>> pairs;
  const auto& table = ExecFunctionTable();
  for (int k = 0; k < kExecFunctionCount; ++k) {
    EXPECT_TRUE(pairs.insert({table[k].Group, table[k].Function}).second) << k;
    EXPECT_EQ(FindExecIndex(table[k].Group, table[k].Function, kExecFunctionCount), k);
  }
}

TEST(ExecFunctions, NamesAsTheMenuShowsThem) {
  EXPECT_EQ(ExecFunctionName(2, 1), "Video Setings");
  EXPECT_EQ(ExecFunctionName(14, 0), "UMD / PHOTO?");
  EXPECT_EQ(ExecFunctionName(32, 0), "PS Spot");
  EXPECT_EQ(ExecFunctionName(32, 1), "PlayStation Spot");
  EXPECT_EQ(ExecFunctionName(0, 0), "ネットワークアップデート");
  EXPECT_EQ(ExecFunctionName(40, 1), "");
  EXPECT_EQ(ExecFunctionName(-1, 0), "");
  // Each name fits the 32-byte slot the windows give it, with its terminating zero.
  for (int k = 0; k < kExecFunctionCount; ++k) {
    EXPECT_LT(ExecFunctionName(k, 1).size(), 32u) << k;
  }
}

}  // namespace
}  // namespace qorvi

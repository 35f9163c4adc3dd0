// SPDX-License-Identifier: GPL-3.0-or-later
// The functions a menu item can run, known by their (group, function) pair.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace qorvi {

struct ExecFunction {
  std::string_view English;
  std::string_view Japanese;  // UTF-8
  uint32_t Group;
  uint32_t Function;
};

inline constexpr int kExecFunctionCount = 40;

const std::array<ExecFunction, kExecFunctionCount>& ExecFunctionTable();

// The display name in a language (0 Japanese, 1 English).
std::string_view ExecFunctionName(int index, int language);

// The first index below `itemCount` whose pair equals (group, function).
std::optional<int> FindExecIndex(uint32_t group, uint32_t function, int itemCount);

}  // namespace qorvi

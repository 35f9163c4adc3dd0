// SPDX-License-Identifier: GPL-3.0-or-later
// Result codes of the load and save sequences and their texts. The library
// returns codes; the desktop program shows each in a box captioned "Qorvi",
// the command-line tool prints it.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qorvi {

enum class Message : int {
  CannotAllocateMemory = 0,
  VshmainOpenError = 1,
  VshmainSizeMismatch = 2,
  PafOpenError = 3,
  PafSizeMismatch = 4,
  TopmenuPluginOpenError = 5,
  TopmenuPluginSizeMismatch = 6,
  SystemPluginFgOpenError = 7,
  SystemPluginFgSizeMismatch = 8,
  VshmainWriteError = 9,
  PafWriteError = 10,
  OpeningWriteError = 11,
  TopmenuPluginWriteError = 12,
  SystemPluginFgWriteError = 13,
  TopmenuIconWriteError = 14,
  WavTooBig = 15,
  OpeningOpenError = 16,
  OpeningSizeMismatch = 17,
  TopmenuIconOpenError = 18,
  TopmenuIconSizeMismatch = 19,
  TopmenuIconCannotInflate = 20,
  TopmenuPluginCannotInflate = 21,
  SystemPluginFgCannotInflate = 22,
};

inline constexpr int kMessageCount = 23;

// A message raised by a load or a save, with its cause: which check failed, at
// which offset, what was found (empty when there is nothing to add to the text).
// The text the user sees first is always the message's own; the cause is the
// detail behind it.
struct Failure {
  Failure(Message c, std::string why = {}) : code(c), cause(std::move(why)) {}  // NOLINT: a code is a failure

  Message code;
  std::string cause;

  bool operator==(Message m) const { return code == m; }
  bool operator==(const Failure&) const = default;
};

// The codes of a list of failures, in order.
std::vector<Message> Codes(const std::vector<Failure>& failures);

// The text of a code; "\n" separates its lines.
std::string_view MessageText(Message code);

// The text on one line, its line breaks shown as " / ".
std::string MessageLine(Message code);

// The text of the box that ends every save.
inline constexpr std::string_view kDoneText = "done";
inline constexpr std::string_view kMessageCaption = "Qorvi";

}  // namespace qorvi

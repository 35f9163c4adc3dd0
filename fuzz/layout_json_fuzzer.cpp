// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a layout document. A document that is accepted is applied to a
// model of its version; that model, written as a document, must be accepted
// again and give back the same document.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "layout_json/layout_json.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qorvi::layout_json;
  const ParsedLayout parsed = ParseLayoutText(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!parsed.changes) return 0;
  qorvi::FirmwareState state;
  state.FirmwareVersion = static_cast<int32_t>(parsed.changes->version.value_or(390));
  ApplyLayoutChanges(*parsed.changes, state);
  const std::string text = ModelToText(state);
  const ParsedLayout again = ParseLayoutText(text);
  if (!again.changes) __builtin_trap();
  qorvi::FirmwareState copy;
  copy.FirmwareVersion = state.FirmwareVersion;
  ApplyLayoutChanges(*again.changes, copy);
  if (ModelToText(copy) != text) __builtin_trap();
  return 0;
}

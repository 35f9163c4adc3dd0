// SPDX-License-Identifier: GPL-3.0-or-later
// Conversions between the colour forms of the firmware files.
#pragma once

#include <cmath>
#include <cstdint>

namespace qorvi {

// A float channel (0.0 .. 1.0) as a byte: times 255 in single precision,
// truncated toward zero, and the low 8 bits of that integer kept. A value outside
// the range (only a corrupt file holds one) therefore wraps: 1.5 gives 382 & 255 =
// 126, -0.5 gives -127 & 255 = 129. NaN and the infinities give 0. This is the one
// rule for every such conversion, at load and in the Color window.
inline uint8_t ColorByteFromFloat(float channel) {
  const float scaled = channel * 255.0f;
  if (!std::isfinite(scaled)) return 0;
  // From 2^63 on a single is a multiple of 2^40, whose low 8 bits are zero; below
  // that the truncated value fits an int64_t, whose low byte (two's complement) is
  // the wrap.
  if (std::fabs(scaled) >= 9223372036854775808.0f) return 0;
  return static_cast<uint8_t>(static_cast<uint64_t>(static_cast<int64_t>(scaled)) & 0xFF);
}

// A byte as a float channel: times the constant 1/255 in extended precision,
// rounded to single.
inline float FloatFromColorByte(uint8_t byte) {
  return static_cast<float>(static_cast<long double>(byte) * 0.00392156862745098L);
}

// A colour value as the desktop colour dialog and the preview use it: R + 256 G + 65536 B.
inline uint32_t ColorValue(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

}  // namespace qorvi

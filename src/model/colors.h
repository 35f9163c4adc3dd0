// Conversions between the colour forms of the firmware files.
#pragma once

#include <cstdint>

namespace qorvi {

// A float channel (0.0 .. 1.0) as a byte: times 255 in single precision, truncated.
// Values outside the range (only a corrupt file holds them) are clamped first.
inline uint8_t ColorByteFromFloat(float channel) {
  float scaled = channel * 255.0f;
  if (!(scaled > 0.0f)) return 0;  // also NaN
  if (scaled >= 255.0f) return 255;
  return static_cast<uint8_t>(scaled);
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/psp_header.h"

#include <cstring>

namespace qorvi {
namespace {

struct HeaderValues {
  uint16_t attributes;
  uint32_t imageSize;
  uint32_t entry;
  uint32_t moduleInfo;
  uint32_t bssSize;
  std::array<uint16_t, 4> alignments;
  std::array<uint32_t, 4> addresses;
  std::array<uint32_t, 4> sizes;
  uint8_t kind;  // byte at 0x7C
  uint32_t tag;  // word at 0xD0
};

void Put16(PspHeader& h, std::size_t at, uint16_t v) {
  h[at] = static_cast<uint8_t>(v);
  h[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Put32(PspHeader& h, std::size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) h[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

PspHeader Build(const HeaderValues& v) {
  PspHeader h{};
  std::memcpy(h.data(), "~PSP", 4);
  Put16(h, 0x04, v.attributes);
  Put16(h, 0x06, 0x0001);  // compressed
  h[0x08] = 1;             // module version
  h[0x09] = 1;
  h[0x26] = 1;
  h[0x27] = 2;  // segment count
  Put32(h, kPspImageSizeOffset, v.imageSize);
  Put32(h, 0x30, v.entry);
  Put32(h, 0x34, v.moduleInfo);
  Put32(h, 0x38, v.bssSize);
  for (int i = 0; i < 4; ++i) {
    Put16(h, 0x3C + 2 * i, v.alignments[i]);
    Put32(h, 0x44 + 4 * i, v.addresses[i]);
    Put32(h, 0x54 + 4 * i, v.sizes[i]);
  }
  Put32(h, 0x78, 0x05000010);
  h[0x7C] = v.kind;
  Put32(h, 0xB4, 0x80);
  Put32(h, 0xD0, v.tag);
  // The opaque blocks stay zero except the one word custom-firmware loaders
  // look at to take the file as decrypted and gzip-compressed.
  Put32(h, kPspTagOffset, kPspDecryptedGzipTag);
  return h;
}

}  // namespace

PspHeader BuiltinVshmainPspHeader() {
  return Build({0x0800,
                0x4F6DC,
                0xC8A0,
                0x354D8,
                0x20F4,
                {64, 16, 0, 0},
                {0, 0x454E0, 0, 0},
                {0x454D8, 0x3CAC, 0, 0},
                3,
                0x38020AF0});
}

PspHeader BuiltinPafPspHeader() {
  return Build({0x0000,
                0x1ADABC,
                0x33CB4,
                0x15F468,
                0x45364,
                {64, 64, 0, 0},
                {0, 0x18F300, 0, 0},
                {0x18F2F0, 0x46C94, 0, 0},
                4,
                0x457B0AF0});
}

}  // namespace qorvi

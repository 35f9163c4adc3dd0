// SPDX-License-Identifier: GPL-3.0-or-later
// The 336-byte header of a compressed "~PSP" module and the two built-in
// headers used when the loaded module was a plain decrypted image.
#pragma once

#include <array>
#include <cstdint>

namespace qorvi {

inline constexpr std::size_t kPspHeaderSize = 0x150;
using PspHeader = std::array<uint8_t, kPspHeaderSize>;

// Header fields the compressed module writer fills in.
inline constexpr std::size_t kPspNameOffset = 0x0A;       // zero-terminated tool name
inline constexpr std::size_t kPspImageSizeOffset = 0x28;  // uncompressed module length
inline constexpr std::size_t kPspFileSizeOffset = 0x2C;   // whole output file length
inline constexpr std::size_t kPspGzipSizeOffset = 0xB0;   // gzip member length
// The word module loaders check to accept a decrypted, gzip-compressed file.
inline constexpr std::size_t kPspTagOffset = 0x130;
inline constexpr uint32_t kPspDecryptedGzipTag = 0x28796DAA;

// Built-in headers describing the 5.00 modules; used for every version unless a
// compressed input module brought its own header.
PspHeader BuiltinVshmainPspHeader();  // also serves opening_plugin.prx
PspHeader BuiltinPafPspHeader();

}  // namespace qorvi

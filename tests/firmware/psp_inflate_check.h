// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a compressed "~PSP" module with an inflater that is not this program's:
// python3's zlib and gzip modules.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "support/scoped_temp_dir.h"

namespace qorvi::testing {

// The member behind the 0x150-byte header must be exactly one gzip member (the
// header 1F 8B 08 00 00000000 00 03, raw deflate data, CRC-32 and length) ending
// at the end of the file, and gzip.decompress must agree. Returns the image it
// holds, or nothing (with python's complaint on standard error) when any of that
// fails.
inline std::optional<std::vector<uint8_t>> InflateWithPython(const std::string& pspFile) {
  static constexpr char kScript[] = R"(
import gzip, struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
member = data[0x150:]
assert member[:10] == bytes([0x1F, 0x8B, 8, 0, 0, 0, 0, 0, 0, 3]), 'gzip member header'
d = zlib.decompressobj(-15)
image = d.decompress(member[10:]) + d.flush()
assert d.eof, 'deflate stream does not end'
assert len(d.unused_data) == 8, 'member does not end with its 8-byte trailer at the end of the file'
crc, size = struct.unpack('<II', d.unused_data)
assert crc == zlib.crc32(image), 'CRC-32'
assert size == len(image), 'length'
assert gzip.decompress(member) == image
open(sys.argv[2], 'wb').write(image)
)";
  ScopedTempDir dir;
  WriteBytes(dir / "check.py", std::vector<uint8_t>(kScript, kScript + sizeof kScript - 1));
  const std::string command =
      "/usr/bin/python3 '" + (dir / "check.py") + "' '" + pspFile + "' '" + (dir / "image") + "'";
  if (std::system(command.c_str()) != 0) return std::nullopt;
  return ReadBytes(dir / "image");
}

}  // namespace qorvi::testing

// SPDX-License-Identifier: GPL-3.0-or-later
// The records of vshmain.prx as the file holds them, written down once for the
// loader, the apply step of Save and the synthetic sets alike. All multi-byte
// values are little-endian.
#pragma once

#include <array>
#include <cstdint>

#include "model/fixed_string.h"
#include "model/layout_record.h"
#include "model/model.h"

namespace qorvi {

// Menu entry (VshOffsets slot 0): four 32-bit words; the entry's four bytes are
// their low bytes. Only those bytes belong to the entry: a writer leaves the upper
// three bytes of every word as the file had them.
struct CategoryEntryRecord {
  static constexpr uint64_t kSize = 16;
  // The byte of each word, in file order.
  static constexpr std::array<uint8_t CategoryEntry::*, 4> kBytes{&CategoryEntry::Category, &CategoryEntry::Item,
                                                                  &CategoryEntry::Show, &CategoryEntry::Region};
  static constexpr uint64_t kWordSize = 4;
};

// Colour entry of the TextColor and BGColor tables (VshOffsets slots 5 and 8):
// red, green, blue as IEEE singles.
struct ColorEntryRecord {
  static constexpr uint64_t kSize = 12;
  static constexpr std::array<float RgbF::*, 3> kChannels{&RgbF::r, &RgbF::g, &RgbF::b};
};

// Item record (VshOffsets slot 11), 140 bytes:
//
//   0..27    seven 32-bit words: word 0, Media, ExecGroup, ExecFunction, words 4..6
//   28       UmdFlag
//   29, 30   not the program's (kept as the file has them)
//   31..54   MainImageTag     55..78   ShadowImageTag
//   79..102  ConfImageTag    103..126  NameTag
//   127..139 not the program's
//
// Each tag is a 24-byte text field; a writer puts the text and its zero (all 24
// bytes when the field holds no zero) and leaves what lies behind a shorter text.
struct ItemRecordLayout {
  static constexpr uint64_t kSize = 140;

  struct Word {
    uint64_t offset;
    uint32_t ItemRecord::*field;
  };
  static constexpr std::array<Word, 7> kWords{{
      {0, &ItemRecord::Word0},
      {4, &ItemRecord::Media},
      {8, &ItemRecord::ExecGroup},
      {12, &ItemRecord::ExecFunction},
      {16, &ItemRecord::Word4},
      {20, &ItemRecord::Word5},
      {24, &ItemRecord::Word6},
  }};

  static constexpr uint64_t kUmdFlag = 28;

  struct Tag {
    uint64_t offset;
    ItemTag ItemRecord::*field;
    const char* name;
  };
  static constexpr std::array<Tag, 4> kTags{{
      {31, &ItemRecord::MainImageTag, "MainImageTag"},
      {55, &ItemRecord::ShadowImageTag, "ShadowImageTag"},
      {79, &ItemRecord::ConfImageTag, "ConfImageTag"},
      {103, &ItemRecord::NameTag, "NameTag"},
  }};

  // Bytes of the record that belong to none of the fields above.
  static constexpr std::array<uint64_t, 2> kForeignBytes{29, 30};
  static constexpr uint64_t kForeignTail = 127;  // 127..139
};

}  // namespace qorvi

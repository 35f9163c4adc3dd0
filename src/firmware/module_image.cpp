// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/module_image.h"

#include <algorithm>
#include <optional>
#include <variant>

#include "firmware/byte_reader.h"
#include "firmware/constants_harvest.h"
#include "firmware/exec_functions.h"
#include "firmware/psp_package.h"
#include "firmware/read_input.h"
#include "model/record_layouts.h"
#include "model/value_text.h"

namespace qorvi {
namespace {

// Where a slot's 32-bit value comes from: the module image (byte offset) or, where
// the profile HarvestsConstants, the constant table (byte offset / 4 = entry).
class WordSource {
 public:
  explicit WordSource(std::span<const uint8_t> image) : image_(image) {}
  explicit WordSource(std::span<const uint32_t> constants)
      : image_(std::span<const uint8_t>{}), constants_(constants), from_constants_(true) {}

  uint32_t word(uint32_t offset) {
    if (!from_constants_) return image_.u32(offset);
    if (offset % 4 != 0 || offset / 4 >= constants_.size()) {
      image_.fail("constant place " + Hex(offset) + " lies outside the " + std::to_string(constants_.size()) +
                  "-entry table");
      return 0;
    }
    return constants_[offset / 4];
  }
  int32_t truncated(uint32_t offset) { return TruncateToInt(BitsFloat(word(offset))); }
  float single(uint32_t offset) { return BitsFloat(word(offset)); }
  bool ok() const { return image_.ok(); }
  std::string failure() const { return image_.failure(); }

 private:
  ByteReader image_;
  std::span<const uint32_t> constants_;
  bool from_constants_ = false;
};

// Takes one scalar field from its 32-bit place.
void TakeScalar(WordSource& source, uint32_t place, const LayoutField& field, LayoutRecord& layout) {
  if (auto* whole = std::get_if<int32_t LayoutRecord::*>(&field.member)) {
    layout.*(*whole) = source.truncated(place);
  } else {
    layout.*std::get<float LayoutRecord::*>(field.member) = source.single(place);
  }
}

WordSource ScalarSource(const FirmwareState& state, std::span<const uint8_t> image,
                        std::span<const uint32_t> constants) {
  return state.Profile.HarvestsConstants ? WordSource(constants) : WordSource(image);
}

RgbF ColorAt(ByteReader& r, uint64_t offset) {
  RgbF c;
  for (std::size_t k = 0; k < ColorEntryRecord::kChannels.size(); ++k) {
    c.*ColorEntryRecord::kChannels[k] = r.f32(offset + 4 * k);
  }
  return c;
}

void ReadItem(ByteReader& r, uint64_t at, ItemRecord& item) {
  for (const ItemRecordLayout::Word& w : ItemRecordLayout::kWords) item.*w.field = r.u32(at + w.offset);
  item.UmdFlag = r.u8(at + ItemRecordLayout::kUmdFlag);
  // The text as stored, all 24 bytes when it has no zero, so that an unedited tag
  // goes back unchanged.
  for (const ItemRecordLayout::Tag& t : ItemRecordLayout::kTags) {
    item.*t.field = ItemTag::FromBytes(r.bytes(at + t.offset, kItemTagBytes));
  }
}

std::string Bytes(int64_t n) { return std::to_string(n) + " bytes"; }

// Replaces the "~PSP" image of `length` bytes in `area` by its content. Returns the
// content's size. `keep` receives the ~PSP header; `accept` decides on the unpacked
// size (returning the reason for a refusal, empty to accept) before `area` is touched.
template <typename Accept>
Result<int64_t> UnpackInPlace(std::span<uint8_t> area, std::size_t length, std::span<uint8_t> scratch, PspHeader* keep,
                              Accept accept) {
  Result<std::size_t> n = UnpackPsp(area.first(length), scratch);
  if (!n) return Refusal{"~PSP image: " + n.cause()};
  if (std::string why = accept(static_cast<int64_t>(*n)); !why.empty()) return Refusal{why};
  if (*n > area.size()) return Refusal{"~PSP image unpacks to " + Bytes(*n) + ", more than its area holds"};
  if (keep != nullptr) {
    std::span<const uint8_t> header = ByteReader(area).bytes(0, kPspHeaderSize);
    if (header.size() != kPspHeaderSize) return Refusal{"~PSP header cut off"};
    std::copy(header.begin(), header.end(), keep->begin());
  }
  ByteWriter(area).bytes(0, scratch.first(*n));
  return static_cast<int64_t>(*n);
}

Result<int64_t, ModuleRefusal> FromImage(const Result<int64_t>& r) {
  if (r) return *r;
  return ModuleRefusal{ModuleFailure::SizeMismatch, r.cause()};
}

// Reads a module file into `area`: its length, or why it could not be read.
Result<int64_t, ModuleRefusal> ReadModuleFile(const std::string& path, std::span<uint8_t> area) {
  Result<std::size_t, InputRefusal> r = ReadInput(path, area);
  if (r) return static_cast<int64_t>(*r);
  const ModuleFailure kind =
      r.refusal().kind == InputFailure::TooLong ? ModuleFailure::SizeMismatch : ModuleFailure::CannotOpen;
  return ModuleRefusal{kind, r.cause()};
}

}  // namespace

void SelectProfile(FirmwareState& state, int32_t version) {
  const FirmwareProfile* profile = ProfileFor(version);
  if (profile == nullptr) return;
  state.FirmwareVersion = version;
  state.Profile = *profile;
  state.CategoryEntryCount = profile->CategoryEntryCount;
  state.ItemCount = profile->ItemCount;
  state.UnlistedEntriesCounted = false;
}

Status ExtractVshmain(std::span<const uint8_t> image, FirmwareState& state) {
  const FirmwareProfile& p = state.Profile;
  const auto& S = p.VshOffsets;
  LayoutRecord& L = state.Layout;
  ByteReader f(image);
  WordSource b = ScalarSource(state, image, state.VshConstants);

  for (const VshScalar& scalar : VshScalarTable()) {
    if (!scalar.loaded) continue;
    if (scalar.halfword) {
      L.*std::get<int32_t LayoutRecord::*>(scalar.field->member) = f.u16(S[scalar.slot]);
    } else {
      TakeScalar(b, S[scalar.slot], *scalar.field, L);
    }
  }

  const int colors = std::min(p.ColorEntryCount, kColorTableEntries);
  for (int i = 0; i < colors; ++i) {
    L.TextColor[i] = ColorAt(f, S[kVshTextColor] + ColorEntryRecord::kSize * i);
    L.BGColor[i] = ColorAt(f, S[kVshBGColor] + ColorEntryRecord::kSize * i);
  }

  const int entries = std::min(p.CategoryEntryCount, kCategoryEntrySlots);
  for (int i = 0; i < entries; ++i) {
    const uint64_t at = S[kVshCategoryEntries] + CategoryEntryRecord::kSize * i;
    for (std::size_t k = 0; k < CategoryEntryRecord::kBytes.size(); ++k) {
      state.CategoryEntries[i].*CategoryEntryRecord::kBytes[k] =
          static_cast<uint8_t>(f.u32(at + CategoryEntryRecord::kWordSize * k));
    }
  }

  const int items = std::min(p.ItemCount, kItemSlots);
  for (int i = 0; i < items; ++i) {
    ItemRecord& item = state.ItemTable[i];
    ReadItem(f, S[kVshItemTable] + ItemRecordLayout::kSize * i, item);
    if (std::optional<int> k = FindExecIndex(item.ExecGroup, item.ExecFunction, p.ItemCount)) item.ExecIndex = *k;
  }
  if (!b.ok()) return Refusal{"a value place lies outside: " + b.failure()};
  if (!f.ok()) return Refusal{"a table lies outside the image: " + f.failure()};
  return {};
}

Status ExtractPaf(std::span<const uint8_t> image, FirmwareState& state) {
  const FirmwareProfile& p = state.Profile;
  LayoutRecord& L = state.Layout;
  WordSource b = ScalarSource(state, image, state.PafConstants);

  for (const PafSlot& slot : PafSlotTable()) {
    if (!slot.loaded || (slot.extended && !p.HasExtendedFields)) continue;
    TakeScalar(b, p.PafOffsets[slot.slot], *slot.field, L);
  }
  if (p.SubIconSecondSpacing) L.SubIconUpperSpace2 = kFixedSubIconUpperSpace2;
  if (!b.ok()) return Refusal{"a value place lies outside: " + b.failure()};
  return {};
}

Result<int64_t> LoadVshmainImage(std::span<uint8_t> area, std::size_t length, FirmwareState& state,
                                 std::span<uint8_t> scratch) {
  if (length > area.size()) return Refusal{Bytes(length) + ", more than its area holds"};
  // Everything goes into a copy first, so that a refusal leaves `state` as it was.
  FirmwareState next = state;
  int64_t n = static_cast<int64_t>(length);
  int32_t version = VersionFromSize(n);
  if (version == 0) {
    if (!HasPspSignature(area.first(length))) {
      return Refusal{Bytes(n) + ", no known version has this size and it has no ~PSP signature"};
    }
    Result<int64_t> unpacked = UnpackInPlace(area, length, scratch, &next.VshmainPspHeader, [](int64_t size) {
      return VersionFromSize(size) != 0 ? std::string()
                                        : "~PSP image unpacks to " + Bytes(size) + ", no known version has this size";
    });
    if (!unpacked) return unpacked;
    n = *unpacked;
    version = VersionFromSize(n);
  }
  SelectProfile(next, version);
  std::span<const uint8_t> image = area.first(static_cast<std::size_t>(n));
  if (next.Profile.HarvestsConstants) HarvestConstants(image, next.VshConstants);
  if (Status s = ExtractVshmain(image, next); !s) return s.refusal();
  next.VshmainLoadedSize = static_cast<int32_t>(n);
  state = next;
  return n;
}

Result<int64_t> LoadModuleImage(std::span<uint8_t> area, std::size_t length, int64_t expectedSize, FirmwareState& state,
                                std::span<uint8_t> scratch) {
  if (length > area.size()) return Refusal{Bytes(length) + ", more than its area holds"};
  // No expected size (no version detected yet) or one the area cannot hold: refused.
  if (expectedSize <= 0 || static_cast<uint64_t>(expectedSize) > area.size()) {
    return Refusal{"no size to expect: no firmware version is known"};
  }
  FirmwareState next = state;
  const bool is_paf = expectedSize == state.Profile.PafSize;
  const std::string expected =
      "expected " + Bytes(expectedSize) + " for firmware " + std::to_string(state.FirmwareVersion);
  int64_t n = static_cast<int64_t>(length);
  if (n != expectedSize) {
    if (!HasPspSignature(area.first(length))) {
      return Refusal{Bytes(n) + ", " + expected + ", and it has no ~PSP signature"};
    }
    Result<int64_t> unpacked =
        UnpackInPlace(area, length, scratch, is_paf ? &next.PafPspHeader : nullptr, [&](int64_t size) {
          return size == expectedSize ? std::string() : "~PSP image unpacks to " + Bytes(size) + ", " + expected;
        });
    if (!unpacked) return unpacked;
    n = *unpacked;
  }
  if (is_paf) {
    std::span<const uint8_t> image = area.first(static_cast<std::size_t>(n));
    if (next.Profile.HarvestsConstants) HarvestConstants(image, next.PafConstants);
    if (Status s = ExtractPaf(image, next); !s) return s.refusal();
    next.PafLoadedSize = static_cast<int32_t>(n);
  } else if (expectedSize == state.Profile.OpeningSize) {
    next.OpeningLoadedSize = static_cast<int32_t>(n);
  }
  state = next;
  return n;
}

Result<int64_t, ModuleRefusal> LoadVshmain(const std::string& path, std::span<uint8_t> area, FirmwareState& state,
                                           std::span<uint8_t> scratch) {
  Result<int64_t, ModuleRefusal> length = ReadModuleFile(path, area);
  if (!length) return length;
  return FromImage(LoadVshmainImage(area, static_cast<std::size_t>(*length), state, scratch));
}

Result<int64_t, ModuleRefusal> LoadModule(const std::string& path, std::span<uint8_t> area, int64_t expectedSize,
                                          FirmwareState& state, std::span<uint8_t> scratch) {
  Result<int64_t, ModuleRefusal> length = ReadModuleFile(path, area);
  if (!length) return length;
  return FromImage(LoadModuleImage(area, static_cast<std::size_t>(*length), expectedSize, state, scratch));
}

}  // namespace qorvi

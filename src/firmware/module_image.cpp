#include "firmware/module_image.h"

#include <algorithm>
#include <optional>
#include <variant>

#include "firmware/byte_reader.h"
#include "firmware/constants_harvest.h"
#include "firmware/exec_functions.h"
#include "firmware/file_io.h"
#include "firmware/psp_package.h"
#include "model/value_text.h"

namespace qorvi {
namespace {

constexpr int32_t kVersion500 = 500;
// PafOffsets slots 0..18 exist for every version; the slots after them only for 5.00.
constexpr int kPafSlotsAllVersions = 19;
// 5.00 keeps the upper item spacing of the other categories in code the program
// does not patch; the value there is always 60.
constexpr int32_t kSubIconUpperSpace2Of500 = 60;

// Item record of vshmain.prx: 140 bytes, four tag strings of 24 bytes each.
constexpr uint64_t kItemRecordSize = 140;
constexpr uint64_t kUmdFlagByte = 28;
constexpr uint64_t kMainImageTagByte = 31;
constexpr uint64_t kShadowImageTagByte = 55;
constexpr uint64_t kConfImageTagByte = 79;
constexpr uint64_t kNameTagByte = 103;
constexpr uint64_t kCategoryRecordSize = 16;
constexpr uint64_t kColorEntrySize = 12;

// Where a slot's 32-bit value comes from: the module image (byte offset) or, for
// 5.00, the harvested constants (byte offset / 4 = entry).
class WordSource {
 public:
  explicit WordSource(std::span<const uint8_t> image) : image_(image) {}
  explicit WordSource(std::span<const uint32_t> constants)
      : image_(std::span<const uint8_t>{}), constants_(constants), from_constants_(true) {}

  uint32_t word(uint32_t offset) {
    if (!from_constants_) return image_.u32(offset);
    if (offset % 4 != 0 || offset / 4 >= constants_.size()) {
      image_.fail();
      return 0;
    }
    return constants_[offset / 4];
  }
  int32_t truncated(uint32_t offset) { return TruncateToInt(BitsFloat(word(offset))); }
  float single(uint32_t offset) { return BitsFloat(word(offset)); }
  bool ok() const { return image_.ok(); }

 private:
  ByteReader image_;
  std::span<const uint32_t> constants_;
  bool from_constants_ = false;
};

// A tag string of the item record: up to its zero, at most 23 characters so the
// copy always ends in a zero.
void CopyTag(ByteReader& r, uint64_t offset, std::array<char, 24>& tag) {
  std::span<const uint8_t> field = r.bytes(offset, tag.size());
  tag.fill('\0');
  for (std::size_t i = 0; i + 1 < tag.size() && i < field.size() && field[i] != 0; ++i) {
    tag[i] = static_cast<char>(field[i]);
  }
}

RgbF ColorAt(ByteReader& r, uint64_t offset) { return {r.f32(offset), r.f32(offset + 4), r.f32(offset + 8)}; }

// Replaces the "~PSP" image of `length` bytes in `area` by its content. Returns the
// content's size, or -2 when it does not unpack or would not fit. `keep` receives
// the ~PSP header; `accept` decides on the unpacked size before `area` is touched.
template <typename Accept>
int64_t UnpackInPlace(std::span<uint8_t> area, std::size_t length, std::span<uint8_t> scratch, PspHeader* keep,
                      Accept accept) {
  const int64_t n = UnpackPsp(area.first(length), scratch);
  if (n < 0 || !accept(n) || static_cast<uint64_t>(n) > area.size()) return kModuleSizeMismatch;
  if (keep != nullptr) {
    std::span<const uint8_t> header = ByteReader(area).bytes(0, kPspHeaderSize);
    if (header.size() != kPspHeaderSize) return kModuleSizeMismatch;
    std::copy(header.begin(), header.end(), keep->begin());
  }
  ByteWriter(area).bytes(0, scratch.first(static_cast<std::size_t>(n)));
  return n;
}

// Reads a module file into `area`: its length, or the loader's failure code.
int64_t ReadModuleFile(const std::string& path, std::span<uint8_t> area) {
  const ReadResult r = ReadFileInto(path, area);
  switch (r.status) {
    case ReadStatus::Ok: return static_cast<int64_t>(r.size);
    case ReadStatus::TooLong: return kModuleSizeMismatch;
    case ReadStatus::CannotOpen: break;
  }
  return kModuleCannotOpen;
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

bool ExtractVshmain(std::span<const uint8_t> image, FirmwareState& state) {
  const FirmwareProfile& p = state.Profile;
  const auto& S = p.VshOffsets;
  LayoutRecord& L = state.Layout;
  ByteReader f(image);
  WordSource b = state.FirmwareVersion == kVersion500 ? WordSource(state.VshConstants) : WordSource(image);

  L.MainIconX = b.truncated(S[kVshMainIconX]);
  L.MainIconY = b.truncated(S[kVshMainIconY]);
  L.UnfIconY = b.truncated(S[kVshUnfIconY]);
  L.ClockX = b.truncated(S[kVshClockX]);
  L.ClockY = b.truncated(S[kVshClockY]);
  L.BusySpeed = b.single(S[kVshBusySpeed]);
  L.Bmp01_12size = f.u16(S[kVshBmp01_12size]);

  const int colors = std::min(p.ColorEntryCount, kColorTableEntries);
  for (int i = 0; i < colors; ++i) {
    L.TextColor[i] = ColorAt(f, S[kVshTextColor] + kColorEntrySize * i);
    L.BGColor[i] = ColorAt(f, S[kVshBGColor] + kColorEntrySize * i);
  }

  // Each menu entry is stored as four 32-bit words; the entry keeps their low bytes.
  const int entries = std::min(p.CategoryEntryCount, kCategoryEntrySlots);
  for (int i = 0; i < entries; ++i) {
    const uint64_t at = S[kVshCategoryEntries] + kCategoryRecordSize * i;
    CategoryEntry& e = state.CategoryEntries[i];
    e.Category = static_cast<uint8_t>(f.u32(at));
    e.Item = static_cast<uint8_t>(f.u32(at + 4));
    e.Show = static_cast<uint8_t>(f.u32(at + 8));
    e.Region = static_cast<uint8_t>(f.u32(at + 12));
  }

  const int items = std::min(p.ItemCount, kItemSlots);
  for (int i = 0; i < items; ++i) {
    const uint64_t at = S[kVshItemTable] + kItemRecordSize * i;
    ItemRecord& item = state.ItemTable[i];
    item.Word0 = f.u32(at);
    item.Media = f.u32(at + 4);
    item.ExecGroup = f.u32(at + 8);
    item.ExecFunction = f.u32(at + 12);
    item.Word4 = f.u32(at + 16);
    item.Word5 = f.u32(at + 20);
    item.Word6 = f.u32(at + 24);
    item.UmdFlag = f.u8(at + kUmdFlagByte);
    CopyTag(f, at + kMainImageTagByte, item.MainImageTag);
    CopyTag(f, at + kShadowImageTagByte, item.ShadowImageTag);
    CopyTag(f, at + kConfImageTagByte, item.ConfImageTag);
    CopyTag(f, at + kNameTagByte, item.NameTag);
    if (std::optional<int> k = FindExecIndex(item.ExecGroup, item.ExecFunction, p.ItemCount)) item.ExecIndex = *k;
  }
  return f.ok() && b.ok();
}

bool ExtractPaf(std::span<const uint8_t> image, FirmwareState& state) {
  const bool is500 = state.FirmwareVersion == kVersion500;
  const auto& P = state.Profile.PafOffsets;
  LayoutRecord& L = state.Layout;
  WordSource b = is500 ? WordSource(state.PafConstants) : WordSource(image);

  for (int k = 0; k < kPafSlots; ++k) {
    const PafSlotField& slot = PafSlotFields()[k];
    if (slot.field == nullptr || (!is500 && k >= kPafSlotsAllVersions)) continue;
    const LayoutField* field = FindLayoutField(slot.field);
    if (field == nullptr) return false;
    // The slot table and the record must agree on the field's kind.
    if (auto* whole = std::get_if<int32_t LayoutRecord::*>(&field->member); whole && !slot.asFloat) {
      L.*(*whole) = b.truncated(P[k]);
    } else if (auto* single = std::get_if<float LayoutRecord::*>(&field->member); single && slot.asFloat) {
      L.*(*single) = b.single(P[k]);
    } else {
      return false;
    }
  }
  if (is500) L.SubIconUpperSpace2 = kSubIconUpperSpace2Of500;
  return b.ok();
}

int64_t LoadVshmainImage(std::span<uint8_t> area, std::size_t length, FirmwareState& state,
                         std::span<uint8_t> scratch) {
  if (length > area.size()) return kModuleSizeMismatch;
  // Everything goes into a copy first, so that a refusal leaves `state` as it was.
  FirmwareState next = state;
  int64_t n = static_cast<int64_t>(length);
  int32_t version = VersionFromSize(n);
  if (version == 0) {
    n = UnpackInPlace(area, length, scratch, &next.VshmainPspHeader,
                      [](int64_t size) { return VersionFromSize(size) != 0; });
    if (n < 0) return n;
    version = VersionFromSize(n);
  }
  SelectProfile(next, version);
  std::span<const uint8_t> image = area.first(static_cast<std::size_t>(n));
  if (version == kVersion500) HarvestConstants(image, next.VshConstants);
  if (!ExtractVshmain(image, next)) return kModuleSizeMismatch;
  next.VshmainLoadedSize = static_cast<int32_t>(n);
  state = next;
  return n;
}

int64_t LoadModuleImage(std::span<uint8_t> area, std::size_t length, int64_t expectedSize, FirmwareState& state,
                        std::span<uint8_t> scratch) {
  // No expected size (no version detected yet) or one the area cannot hold: refused.
  if (length > area.size() || expectedSize <= 0 || static_cast<uint64_t>(expectedSize) > area.size()) {
    return kModuleSizeMismatch;
  }
  FirmwareState next = state;
  const bool is_paf = expectedSize == state.Profile.PafSize;
  int64_t n = static_cast<int64_t>(length);
  if (n != expectedSize) {
    n = UnpackInPlace(area, length, scratch, is_paf ? &next.PafPspHeader : nullptr,
                      [expectedSize](int64_t size) { return size == expectedSize; });
    if (n < 0) return n;
  }
  if (is_paf) {
    std::span<const uint8_t> image = area.first(static_cast<std::size_t>(n));
    if (next.FirmwareVersion == kVersion500) HarvestConstants(image, next.PafConstants);
    if (!ExtractPaf(image, next)) return kModuleSizeMismatch;
    next.PafLoadedSize = static_cast<int32_t>(n);
  } else if (expectedSize == state.Profile.OpeningSize) {
    next.OpeningLoadedSize = static_cast<int32_t>(n);
  }
  state = next;
  return n;
}

int64_t LoadVshmain(const std::string& path, std::span<uint8_t> area, FirmwareState& state,
                    std::span<uint8_t> scratch) {
  const int64_t length = ReadModuleFile(path, area);
  if (length < 0) return length;
  return LoadVshmainImage(area, static_cast<std::size_t>(length), state, scratch);
}

int64_t LoadModule(const std::string& path, std::span<uint8_t> area, int64_t expectedSize, FirmwareState& state,
                   std::span<uint8_t> scratch) {
  const int64_t length = ReadModuleFile(path, area);
  if (length < 0) return length;
  return LoadModuleImage(area, static_cast<std::size_t>(length), expectedSize, state, scratch);
}

}  // namespace qorvi

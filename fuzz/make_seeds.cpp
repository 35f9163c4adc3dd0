// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a seed corpus for every fuzz target into DIR/<target>/, made of the demo
// firmware sets: whole files for the file readers, single pictures for the GIM
// converter, prefixed module images and patches for the loader.
//
// The module seeds are kept small, so that a run costs a fraction of a
// millisecond: compressed modules hold only the bytes the loader reads (the rest
// zero, which packs to almost nothing), and the loader's plain images are patches
// of the tables laid into a zeroed image of the version's size.
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "demo/demo_set.h"
#include "demo/gim_encoder.h"
#include "firmware/psp_package.h"
#include "fuzz_support.h"
#include "layout_json/layout_json.h"
#include "model/firmware_profile.h"
#include "model/work_area.h"

namespace fs = std::filesystem;
using qorvi::demo::BuildDemoSet;
using qorvi::demo::DemoFiles;
using qorvi::demo::DemoOptions;

namespace {

bool Write(const fs::path& dir, const std::string& name, const std::vector<uint8_t>& bytes) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::vector<uint8_t> Prefixed(std::vector<uint8_t> prefix, const std::vector<uint8_t>& bytes) {
  prefix.insert(prefix.end(), bytes.begin(), bytes.end());
  return prefix;
}

// A small picture with a few colours, so every indexed kind can hold it.
qorvi::demo::RgbaImage Picture(int width, int height) {
  qorvi::demo::RgbaImage image{width, height, {}};
  image.pixels.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t v = static_cast<uint8_t>(((x / 4) + (y / 4)) % 4 * 80);
      image.at(x, y) = {v, static_cast<uint8_t>(255 - v), static_cast<uint8_t>(x * 8),
                        static_cast<uint8_t>(v ? 255 : 0)};
    }
  }
  return image;
}

// The image with every byte the loader does not read set to zero.
std::vector<uint8_t> Sparse(const std::vector<uint8_t>& image, bool vsh, const qorvi::FirmwareProfile& p) {
  std::vector<uint8_t> out(image.size());
  for (auto [at, length] : qorvi::fuzz::ModuleRanges(image, vsh, p)) {
    if (at >= image.size() || length > image.size() - at) continue;
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(at), length, out.begin() + static_cast<std::ptrdiff_t>(at));
  }
  return out;
}

std::vector<uint8_t> Packed(const std::vector<uint8_t>& image, qorvi::PspHeader header) {
  std::vector<uint8_t> work(qorvi::kScratchSize);
  const auto file = qorvi::PackPsp(image, header, work);
  return file ? std::vector<uint8_t>(file->begin(), file->end()) : std::vector<uint8_t>{};
}

// A loader seed that lays `length` bytes of `image` from `at` into a zeroed image
// (the place goes in 16-byte steps, so `at` is rounded down to one).
std::vector<uint8_t> Patch(uint8_t selector, const std::vector<uint8_t>& image, std::size_t at, std::size_t length) {
  at = at / 16 * 16;
  length = std::min(length, image.size() - at);
  const std::size_t step = at / 16;
  std::vector<uint8_t> seed{static_cast<uint8_t>(selector | 8), static_cast<uint8_t>(step),
                            static_cast<uint8_t>(step >> 8)};
  seed.insert(seed.end(), image.begin() + static_cast<std::ptrdiff_t>(at),
              image.begin() + static_cast<std::ptrdiff_t>(at + length));
  return seed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  const fs::path root = argv[1];
  bool ok = true;
  const int32_t versions[] = {390, 395, 401, 500};
  for (int v = 0; v < 4; ++v) {
    const std::string tag = std::to_string(versions[v]);
    DemoOptions plain;
    plain.version = versions[v];
    DemoOptions packed = plain;
    packed.compressed = true;
    const DemoFiles files = BuildDemoSet(plain);
    const DemoFiles compressed = BuildDemoSet(packed);

    const qorvi::FirmwareProfile& p = *qorvi::ProfileFor(versions[v]);
    const std::vector<uint8_t> sparse_vsh = Packed(Sparse(files.vshmain, true, p), qorvi::demo::DemoVshmainPspHeader());
    ok &= Write(root / "psp_unpack_fuzzer", "vshmain-" + tag, sparse_vsh);
    ok &= Write(root / "psp_unpack_fuzzer", "opening-" + tag, compressed.opening);
    // The loader fuzzer reads a 3-byte prefix: bits 0-1 of the first byte choose the
    // version, bit 2 paf.prx instead of vshmain.prx, bit 3 a patch (the next two
    // bytes place it, in 16-byte steps) instead of a whole file.
    const auto vsh_select = static_cast<uint8_t>(v);
    const auto paf_select = static_cast<uint8_t>(v | 4);
    ok &= Write(
        root / "module_load_fuzzer", "vshmain-packed-" + tag,
        Prefixed({vsh_select, 0, 0}, Packed(Sparse(files.vshmain, true, p), qorvi::demo::DemoVshmainPspHeader())));
    const auto& S = p.VshOffsets;
    ok &= Write(root / "module_load_fuzzer", "vshmain-items-" + tag,
                Patch(vsh_select, files.vshmain, S[qorvi::kVshItemTable], 140 * 40));
    ok &= Write(root / "module_load_fuzzer", "vshmain-entries-" + tag,
                Patch(vsh_select, files.vshmain, S[qorvi::kVshCategoryEntries], 16 * 30));
    // The paf values (or the constant code holding them) lie within a few KiB;
    // one patch holds them all.
    std::size_t from = files.paf.size();
    std::size_t to = 0;
    for (const auto& [at, length] : qorvi::fuzz::ModuleRanges(files.paf, false, p)) {
      from = std::min(from, at);
      to = std::max(to, at + length);
    }
    ok &= from < to &&
          Write(root / "module_load_fuzzer", "paf-values-" + tag, Patch(paf_select, files.paf, from, to - from));
    for (const auto& [name, bytes] :
         {std::pair{"topmenu_plugin-", &files.topmenuPlugin}, std::pair{"system_plugin_fg-", &files.systemPluginFg},
          std::pair{"topmenu_icon-", &files.topmenuIcon}}) {
      ok &= Write(root / "rco_container_fuzzer", name + tag, *bytes);
    }
    ok &= Write(root / "labels_fuzzer", "topmenu_plugin-" + tag, files.topmenuPlugin);
    ok &= Write(root / "labels_fuzzer", "topmenu_icon-" + tag, files.topmenuIcon);
    ok &= Write(root / "save_fuzzer", "set-" + tag, std::vector<uint8_t>(64 + v, static_cast<uint8_t>(v)));
    // The document info prints for the demo set.
    const qorvi::demo::DemoExpectation loaded = qorvi::demo::ExpectedDemoLoad(versions[v]);
    qorvi::FirmwareState state;
    state.FirmwareVersion = versions[v];
    state.Layout = loaded.layout;
    state.CategoryEntries = loaded.categoryEntries;
    state.ItemTable = loaded.items;
    const std::string document = qorvi::layout_json::ModelToText(state);
    ok &= Write(root / "layout_json_fuzzer", "info-" + tag, std::vector<uint8_t>(document.begin(), document.end()));
    // An input whose checksum makes the save fuzzer pack the patched vshmain.prx
    // and unpack it again (one in 512; the last two bytes are chosen to get there).
    // Its bytes vary, so that a mutation of it (say a copy of one part over another)
    // changes the checksum and leaves packing to one input in 512 again.
    std::vector<uint8_t> pack_seed(64);
    uint32_t x = 0x9E3779B9u + static_cast<uint32_t>(v);
    for (uint8_t& b : pack_seed) b = static_cast<uint8_t>((x = x * 1664525u + 1013904223u) >> 24);
    pack_seed[0] = static_cast<uint8_t>(v);
    for (uint32_t n = 0; crc32(0, pack_seed.data(), static_cast<uInt>(pack_seed.size())) % 512 != 0 && n < 65536; ++n) {
      pack_seed[62] = static_cast<uint8_t>(n >> 8);
      pack_seed[63] = static_cast<uint8_t>(n);
    }
    ok &= Write(root / "save_fuzzer", "pack-" + tag, pack_seed);
  }
  {
    const qorvi::FirmwareProfile& p500 = *qorvi::ProfileFor(500);
    ok &= Write(root / "psp_unpack_fuzzer", "paf-500",
                Packed(Sparse(BuildDemoSet({500, false, false}).paf, false, p500), qorvi::demo::DemoPafPspHeader()));
  }

  using qorvi::demo::GimKind;
  const GimKind kinds[] = {GimKind::ImageFirst32,        GimKind::ImageFirst8,
                           GimKind::PaletteFirst4Linear, GimKind::PaletteFirst4Swizzled,
                           GimKind::PaletteFirst8Linear, GimKind::PaletteFirst8Swizzled};
  int n = 0;
  for (GimKind kind : kinds) {
    for (auto [w, h] : {std::pair{16, 8}, std::pair{30, 20}, std::pair{60, 44}}) {
      ok &= Write(root / "gim_fuzzer", "picture-" + std::to_string(n++), qorvi::demo::EncodeGim(Picture(w, h), kind));
    }
  }
  if (!ok) {
    std::fprintf(stderr, "%s: cannot write the seeds into %s\n", argv[0], argv[1]);
    return 1;
  }
  return 0;
}

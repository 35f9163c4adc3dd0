// Writes a seed corpus for every fuzz target into DIR/<target>/, made of the demo
// firmware sets: whole files for the file readers, single pictures for the GIM
// converter, prefixed module images for the loader.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "demo/demo_set.h"
#include "demo/gim_encoder.h"

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

    ok &= Write(root / "psp_unpack_fuzzer", "vshmain-" + tag, compressed.vshmain);
    ok &= Write(root / "psp_unpack_fuzzer", "opening-" + tag, compressed.opening);
    // The loader fuzzer reads a 3-byte prefix: bits 0-1 of the first byte choose the
    // version, bit 2 paf.prx instead of vshmain.prx.
    ok &= Write(root / "module_load_fuzzer", "vshmain-" + tag,
                Prefixed({static_cast<uint8_t>(v), 0, 0}, compressed.vshmain));
    ok &=
        Write(root / "module_load_fuzzer", "paf-" + tag, Prefixed({static_cast<uint8_t>(v | 4), 0, 0}, compressed.paf));

    for (const auto& [name, bytes] :
         {std::pair{"topmenu_plugin-", &files.topmenuPlugin}, std::pair{"system_plugin_fg-", &files.systemPluginFg},
          std::pair{"topmenu_icon-", &files.topmenuIcon}}) {
      ok &= Write(root / "rco_container_fuzzer", name + tag, *bytes);
    }
    ok &= Write(root / "labels_fuzzer", "topmenu_plugin-" + tag, files.topmenuPlugin);
    ok &= Write(root / "labels_fuzzer", "topmenu_icon-" + tag, files.topmenuIcon);
    ok &= Write(root / "save_fuzzer", "set-" + tag, std::vector<uint8_t>(64 + v, static_cast<uint8_t>(v)));
  }
  ok &= Write(root / "psp_unpack_fuzzer", "paf-500", BuildDemoSet({500, true, false}).paf);

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

#include "cli/commands.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/model_json.h"
#include "demo/demo_set.h"
#include "firmware/category_lists.h"
#include "firmware/load_sequence.h"
#include "model/message_table.h"
#include "model/model.h"
#include "model/value_text.h"
#include "save/save_sequence.h"

namespace fs = std::filesystem;

namespace qorvi::cli {
namespace {

// A private folder for the icon bitmaps a load writes, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/qorvi-cli-XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    if (path_.empty()) return;
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  bool ok() const { return !path_.empty(); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

void PrintMessage(const Failure& f) { PrintError(MessageLine(f.code)); }

// Points the model's paths at the inputs, the done folder below the work dir and
// the bitmaps into `iconDir`.
void SetUpPaths(Model& model, const InputOptions& in, const std::string& iconDir) {
  std::string workdir = in.workdir.empty() ? fs::current_path().string() : in.workdir;
  BuildPaths(model.paths, workdir);
  Paths& p = model.paths;
  auto override = [](std::string& path, const std::string& given) {
    if (!given.empty()) path = given;
  };
  override(p.VshmainPath, in.vshmain);
  override(p.PafPath, in.paf);
  override(p.OpeningPath, in.opening);
  override(p.TopmenuPluginPath, in.topmenuPlugin);
  override(p.SystemPluginFgPath, in.systemPluginFg);
  override(p.TopmenuIconPath, in.topmenuIcon);
  if (!in.bootSound.empty()) {
    p.BootSoundPath = in.bootSound;
    model.BootSoundEnabled = 1;
    model.OpeningEnabled = 1;
  }
  SetIconDir(p, iconDir);
}

// A loaded set and the private folder its bitmaps went to.
struct Session {
  TempDir icons;
  std::unique_ptr<Model> model = std::make_unique<Model>();
};

// Loads the set as the Load button does, including what follows a successful load
// in the desktop program: the loaded copy and one build of the category lists.
// Prints the message and returns nothing on failure.
std::unique_ptr<Session> Load(const InputOptions& in) {
  auto session = std::make_unique<Session>();
  if (!session->icons.ok()) {
    PrintError("cannot create a temporary folder");
    return nullptr;
  }
  Model& model = *session->model;
  SetUpPaths(model, in, session->icons.path());
  if (!model.work.Allocate()) {
    PrintMessage(Message::CannotAllocateMemory);
    return nullptr;
  }
  if (auto failure = LoadAll(model)) {
    PrintMessage(*failure);
    return nullptr;
  }
  FinishLoad(model, /*noShowUmdIcon=*/false);
  return session;
}

// Reads and checks the --layout file and the --set names before anything is
// loaded, so a usage error stops the command before it writes anything.
bool CheckSaveOptions(const SaveOptions& options, std::optional<Json>& layout, std::string& error) {
  if (!options.layoutFile.empty()) {
    std::ifstream in(options.layoutFile, std::ios::binary);
    if (!in) {
      error = "cannot read the layout file " + options.layoutFile;
      return false;
    }
    try {
      layout = Json::parse(in);
    } catch (const Json::exception& e) {
      error = "the layout file " + options.layoutFile + " is not valid JSON: " + e.what();
      return false;
    }
    auto probe = std::make_unique<FirmwareState>();
    std::vector<std::string> warnings;
    if (!ApplyLayoutJson(*layout, *probe, warnings, error)) {
      error = options.layoutFile + ": " + error;
      return false;
    }
  }
  LayoutRecord probe;
  for (const std::string& setting : options.settings) {
    if (!ApplySetting(setting, probe, error)) return false;
  }
  return true;
}

}  // namespace

void PrintError(const std::string& text) { std::cerr << "qorvi-cli: " << text << '\n'; }

int RunInfo(const InputOptions& input) {
  auto session = Load(input);
  if (!session) return kExitMessage;
  std::cout << ModelToJson(*session->model).dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
  return kExitOk;
}

int RunIcons(const InputOptions& input, const std::string& outDir) {
  auto session = Load(input);
  if (!session) return kExitMessage;

  std::error_code ec;
  fs::create_directories(outDir, ec);
  if (ec) {
    PrintError("cannot create " + outDir + ": " + ec.message());
    return kExitMessage;
  }
  for (const auto& entry : fs::directory_iterator(session->icons.path())) {
    fs::copy_file(entry.path(), fs::path(outDir) / entry.path().filename(), fs::copy_options::overwrite_existing, ec);
    if (ec) {
      PrintError("cannot write " + (fs::path(outDir) / entry.path().filename()).string() + ": " + ec.message());
      return kExitMessage;
    }
  }
  return kExitOk;
}

int RunSave(const InputOptions& input, const SaveOptions& options) {
  std::optional<Json> layout;
  std::string error;
  if (!CheckSaveOptions(options, layout, error)) {
    PrintError(error);
    return kExitUsage;
  }
  auto session = Load(input);
  if (!session) return kExitMessage;
  Model* model = session->model.get();

  if (layout) {
    std::vector<std::string> warnings;
    if (!ApplyLayoutJson(*layout, *model, warnings, error)) {
      PrintError(error);
      return kExitUsage;
    }
    for (const std::string& w : warnings) PrintError("warning: " + w);
  }
  for (const std::string& setting : options.settings) {
    if (!ApplySetting(setting, model->Layout, error)) {
      PrintError(error);
      return kExitUsage;
    }
  }
  if (!options.outDir.empty()) SetDoneDir(model->paths, options.outDir);

  std::vector<Failure> messages = SaveAll(*model, !options.noCompress);
  for (const Failure& m : messages) PrintMessage(m);
  return messages.empty() ? kExitOk : kExitMessage;
}

int RunDemo(const DemoOptions& options) {
  static constexpr std::pair<const char*, int32_t> kVersions[] = {
      {"3.90", 390}, {"3.95", 395}, {"4.01", 401}, {"5.00", 500}};
  int32_t version = 0;
  for (const auto& [text, v] : kVersions) {
    if (options.version == text) version = v;
  }
  if (version == 0) {
    PrintError("--version must be 3.90, 3.95, 4.01 or 5.00, not '" + options.version + "'");
    return kExitUsage;
  }
  demo::DemoOptions demoOptions;
  demoOptions.version = version;
  demoOptions.compressed = options.compressed;
  demoOptions.bootSound = options.bootSound;
  std::string error;
  if (!demo::WriteDemoSet(options.dir, demoOptions, &error)) {
    PrintError(error);
    return kExitMessage;
  }
  return kExitOk;
}

}  // namespace qorvi::cli

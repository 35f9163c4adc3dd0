// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "cli/console.h"
#include "demo/demo_set.h"
#include "firmware/category_lists.h"
#include "firmware/layout_check_input.h"
#include "firmware/load_sequence.h"
#include "geometry/layout_check.h"
#include "layout_json/difference_text.h"
#include "layout_json/layout_json.h"
#include "model/firmware_profile.h"
#include "model/message_table.h"
#include "model/model.h"
#include "model/paths.h"
#include "model/value_text.h"
#include "options/input_options.h"
#include "options/layout_options.h"
#include "platform/file_io.h"
#include "platform/folder_lock.h"
#include "save/model_diff.h"
#include "save/save_sequence.h"
#include "save/verification.h"

namespace qorvi::cli {
namespace {

// Loads the set as the Load button does, including what follows a successful load
// in the desktop program: the loaded copy and one build of the category lists. The
// pictures stay in memory. Prints the message and returns nothing on failure.
std::unique_ptr<Model> Load(const InputOptions& in) {
  auto model = std::make_unique<Model>();
  options::SetUpPaths(*model, in);
  if (!model->work.Allocate()) {
    PrintFailure(Message::CannotAllocateMemory);
    return nullptr;
  }
  if (auto failure = LoadAll(*model)) {
    PrintFailure(*failure);
    return nullptr;
  }
  FinishLoad(*model, /*noShowUmdIcon=*/false);
  return model;
}

// Loads the files a save wrote back and compares them with the saved model.
int VerifyWrittenFiles(const Model& model) {
  const VerifyResult result = VerifySave(model);
  if (result.Passed()) return kExitOk;
  PrintError(VerifyMessage(result));
  if (result.loadFailure) PrintCause(*result.loadFailure);
  return kExitMessage;
}

// The input files of the set `diff --against` names: the standard names in the
// folder, or, when it holds no vshmain.prx but module/vshmain.prx, the files a save
// writes below an output folder (module/ and resource/). No boot sound: the sound
// is not compared, so opening_plugin.prx is not needed.
InputOptions AgainstInputs(const std::string& dir) {
  InputOptions in;
  in.workdir = dir;
  Paths standard;
  BuildPaths(standard, dir);
  Paths saved;
  SetDoneDir(saved, dir);
  std::error_code ec;
  if (std::filesystem::exists(PathFromUtf8(standard.VshmainPath), ec) ||
      !std::filesystem::exists(PathFromUtf8(saved.DoneVshmainPath), ec)) {
    return in;
  }
  in.vshmain = saved.DoneVshmainPath;
  in.paf = saved.DonePafPath;
  in.opening = saved.DoneOpeningPath;
  in.topmenuPlugin = saved.DoneTopmenuPluginPath;
  in.systemPluginFg = saved.DoneSystemPluginFgPath;
  in.topmenuIcon = saved.DoneTopmenuIconPath;
  return in;
}

}  // namespace

int RunInfo(const InputOptions& input) {
  auto model = Load(input);
  if (!model) return kExitMessage;
  PrintOut(layout_json::ModelToText(*model));
  return kExitOk;
}

int RunIcons(const InputOptions& input, const std::string& outDir) {
  auto model = Load(input);
  if (!model) return kExitMessage;

  if (std::error_code ec = MakeFolders(outDir)) {
    PrintError("cannot create " + outDir + ": " + ec.message());
    return kExitMessage;
  }
  // The folder as the start of file names; where a backslash separates folders, it
  // may end the folder too.
  std::string slashed = outDir;
  SlashPath(slashed);
  const std::string folder = slashed.ends_with('/') ? outDir : outDir + "/";
  // Every picture the load decoded, under the name the desktop program gives its file.
  std::vector<int> pictures;
  std::vector<std::string> targets;
  for (int picture = 0; picture < kIconPictures; ++picture) {
    if (model->pictures.Get(picture).empty()) continue;
    pictures.push_back(picture);
    targets.push_back(folder + NamePart(IconBitmapPath(model->paths, picture)));
  }
  PrepareOutputFiles(targets);
  int status = kExitOk;
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    if (WriteResult r = WriteFileAtomically(targets[i], {model->pictures.Get(pictures[i])}); !r) {
      PrintError("cannot write " + targets[i] + ": " + r.error.message());
      status = kExitMessage;
    }
  }
  return status;
}

int RunSave(const InputOptions& input, const SaveOptions& options) {
  options::LayoutOptions layout;
  std::string error;
  if (!options::PrepareLayoutOptions(options.layoutFile, options.settings, layout, error)) {
    PrintError(error);
    return kExitUsage;
  }
  auto model = Load(input);
  if (!model) return kExitMessage;
  if (const std::string refused = options::RefusedSetting(layout, *model); !refused.empty()) {
    PrintError(refused);
    return kExitUsage;
  }

  for (const std::string& w : options::ApplyLayoutOptions(layout, *model)) PrintError("warning: " + w);
  // Two fields in one place: the file can keep only one of the values.
  for (const SharedPlace& s : SharedPlaceConflicts(model->Profile, model->Layout)) {
    PrintError("warning: " + std::string(s.overwritten->name) + " (" + FieldText(model->Layout, *s.overwritten) +
               ") and " + std::string(s.kept->name) + " (" + FieldText(model->Layout, *s.kept) +
               ") share one place in " + std::string(s.file) + ": the file keeps " + FieldText(model->Layout, *s.kept));
  }
  if (!options.outDir.empty()) SetDoneDir(model->paths, options.outDir);

  // From the first write to the end of the check the output folder is this
  // save's: a second save into it waits, so neither leaves a set mixed from both.
  // (A folder that cannot be locked, e.g. on a file system without locks, is
  // written unlocked; one that cannot be made shows in the writes' messages.)
  const std::string& folder = model->paths.DoneDir;
  MakeFolders(folder);
  const FolderLock lock =
      FolderLock::Wait(folder, std::chrono::seconds(1), [&] { PrintError("waiting for another save into " + folder); });

  std::vector<Failure> messages = SaveAll(*model, !options.noCompress);
  for (const Failure& m : messages) PrintFailure(m);
  if (!messages.empty()) return kExitMessage;
  return options.noVerify ? kExitOk : VerifyWrittenFiles(*model);
}

int RunCheck(const InputOptions& input, const SaveOptions& options) {
  options::LayoutOptions layout;
  std::string error;
  if (!options::PrepareLayoutOptions(options.layoutFile, options.settings, layout, error)) {
    PrintError(error);
    return kExitUsage;
  }
  auto loaded = Load(input);
  if (!loaded) return kExitMessage;
  Model& model = *loaded;
  if (const std::string refused = options::RefusedSetting(layout, model); !refused.empty()) {
    PrintError(refused);
    return kExitUsage;
  }
  for (const std::string& w : options::ApplyLayoutOptions(layout, model)) PrintError("warning: " + w);

  const std::vector<LayoutFinding> findings = CheckLayout(GatherLayoutCheckInput(model));
  for (const LayoutFinding& f : findings) PrintError("warning: " + f.Text());
  return findings.empty() ? kExitOk : kExitMessage;
}

int RunDiff(const InputOptions& input, const DiffOptions& options) {
  options::LayoutOptions layout;
  std::string error;
  if (!options.layoutFile.empty() && !options::PrepareLayoutOptions(options.layoutFile, {}, layout, error)) {
    PrintError(error);
    return kExitUsage;
  }
  auto model = Load(input);
  if (!model) return kExitMessage;

  std::vector<ValueDifference> differences;
  if (!options.againstDir.empty()) {
    auto other = Load(AgainstInputs(options.againstDir));
    if (!other) return kExitMessage;
    differences = DiffModels(*model, *other);
  } else {
    // The document applied to a copy, as save applies it to the loaded set.
    auto changed = std::make_unique<FirmwareState>(*model);
    for (const std::string& w : layout_json::ApplyLayoutChanges(*layout.layout, *changed)) PrintError("warning: " + w);
    differences = DiffModels(*model, *changed);
  }

  if (options.json) {
    PrintOut(layout_json::DifferencesText(differences));
  } else {
    std::string lines;
    for (const ValueDifference& d : differences) lines += layout_json::DifferenceLine(d) + '\n';
    PrintOut(lines);
  }
  return differences.empty() ? kExitOk : kExitMessage;
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

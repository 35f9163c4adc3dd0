// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/file_window.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string_view>
#include <utility>

#include "model/paths.h"
#include "widgets/window_frame.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

template <typename T>
T* Named(T* widget, const char* name, QRect geometry) {
  widget->setObjectName(name);
  widget->setGeometry(geometry);
  return widget;
}

// A load failure's cause names the file it is about ("vshmain.prx: No such file or
// directory"); the box names the path that was read instead, so that it says
// where the load looked even when the File window is not in sight.
qorvi::Failure WithPath(qorvi::Failure failure, const qorvi::Paths& paths) {
  const std::pair<std::string_view, const std::string*> files[] = {
      {"vshmain.prx", &paths.VshmainPath},
      {"paf.prx", &paths.PafPath},
      {"opening_plugin.prx", &paths.OpeningPath},
      {"topmenu_plugin.rco", &paths.TopmenuPluginPath},
      {"system_plugin_fg.rco", &paths.SystemPluginFgPath},
      {"topmenu_icon.rco", &paths.TopmenuIconPath},
  };
  for (const auto& [name, path] : files) {
    const std::string lead = std::string(name) + ": ";
    if (failure.cause.starts_with(lead)) {
      failure.cause = *path + ": " + failure.cause.substr(lead.size());
      break;
    }
  }
  return failure;
}

}  // namespace

TForm5::TForm5(qorvi::session::EditSession& session, QWidget* parent) : QDialog(parent), session_(session) {
  setObjectName("Form5");
  qorvi::widgets::SetUpSecondaryWindow(this, "Qorvi File Window", 547, 293, 29, 457);
  const qorvi::Paths& paths = session_.paths();

  auto* source = Named(new QGroupBox("Source File", this), "SourceGroup", {8, 8, 531, 233});
  // Two columns of rows: a caption (label or check box), below it the path and its
  // "select" button.
  auto row = [&](int column, int r, QWidget* caption, const char* edit_name, const char* button_name,
                 const std::string& path) {
    const int x = column == 0 ? 12 : 272;
    const int y = 20 + 52 * r;
    caption->setParent(source);
    caption->setGeometry(x, y, 240, 17);
    auto* edit = Named(new QLineEdit(Q(path), source), edit_name, {x, y + 18, 190, 21});
    auto* button = Named(new QPushButton("select", source), button_name, {x + 194, y + 18, 53, 21});
    return std::pair{edit, button};
  };
  auto [vsh_edit, vsh_button] =
      row(0, 0, Named(new QLabel("vshmain.prx"), "Label1", {}), "vshnameEdit", "vshnameButton", paths.VshmainPath);
  auto [paf_edit, paf_button] =
      row(0, 1, Named(new QLabel("paf.prx"), "Label2", {}), "pafnameEdit", "pafnameButton", paths.PafPath);
  opening_check_ = Named(new QCheckBox("opening_plugin.prx"), "openingCheck", {});
  std::tie(opening_edit_, opening_button_) =
      row(0, 2, opening_check_, "openingEdit", "openingButton", paths.OpeningPath);
  bootsound_check_ = Named(new QCheckBox("boot sound"), "bootsoundCheck", {});
  std::tie(bsound_edit_, bsound_button_) =
      row(0, 3, bootsound_check_, "bsoundEdit", "bsoundButton", paths.BootSoundPath);
  auto [fg_edit, fg_button] = row(1, 0, Named(new QLabel("system_plugin_fg.rco"), "Label6", {}), "sys_fgrcoEdit",
                                  "sys_fgrcoButton", paths.SystemPluginFgPath);
  auto [rco_edit, rco_button] = row(1, 1, Named(new QLabel("topmenu_plugin.rco"), "Label5", {}), "top_rcoEdit",
                                    "top_rcoButton", paths.TopmenuPluginPath);
  auto [icon_edit, icon_button] = row(1, 2, Named(new QLabel("topmenu_icon.rco"), "Label3", {}), "top_iconEdit",
                                      "top_iconButton", paths.TopmenuIconPath);
  vshname_edit_ = vsh_edit;
  pafname_edit_ = paf_edit;
  sys_fgrco_edit_ = fg_edit;
  top_rco_edit_ = rco_edit;
  top_icon_edit_ = icon_edit;

  opening_edit_->setEnabled(false);
  opening_button_->setEnabled(false);
  bsound_edit_->setEnabled(false);
  bsound_button_->setEnabled(false);

  load_button_ = Named(new QPushButton("Load datafile", this), "LoadButton", {212, 252, 123, 29});
  load_button_->setDefault(true);
  load_button_->setAutoDefault(true);

  open_dialog1_ = new QFileDialog(this);
  open_dialog1_->setObjectName("OpenDialog1");
  qorvi::widgets::SetUpFileDialog(open_dialog1_);
  // "*" rather than "*.*": file names without a dot are files too.
  open_dialog1_->setNameFilter("All files (*)");

  connect(vsh_button, &QPushButton::clicked, this, &TForm5::vshnameButtonClick);
  connect(paf_button, &QPushButton::clicked, this, &TForm5::pafnameButtonClick);
  connect(opening_button_, &QPushButton::clicked, this, &TForm5::openingButtonClick);
  connect(bsound_button_, &QPushButton::clicked, this, &TForm5::bsoundButtonClick);
  connect(fg_button, &QPushButton::clicked, this, &TForm5::sys_fgrcoButtonClick);
  connect(rco_button, &QPushButton::clicked, this, &TForm5::top_rcoButtonClick);
  connect(icon_button, &QPushButton::clicked, this, &TForm5::top_iconButtonClick);
  for (QLineEdit* edit : {vshname_edit_, pafname_edit_, sys_fgrco_edit_, top_rco_edit_, top_icon_edit_}) {
    connect(edit, &QLineEdit::textChanged, this, &TForm5::UpdateLoadButton);
  }
  connect(opening_check_, &QCheckBox::clicked, this, &TForm5::openingCheckClick);
  connect(bootsound_check_, &QCheckBox::clicked, this, &TForm5::bootsoundCheckClick);
  connect(load_button_, &QPushButton::clicked, this, &TForm5::LoadButtonClick);
  UpdateLoadButton();
}

void TForm5::ChooseFile(const QString& preset_name, std::string& buffer, QLineEdit* edit) {
  // The dialog starts in the working directory of the moment, read anew each time.
  open_dialog1_->setDirectory(QDir::currentPath());
  open_dialog1_->selectFile(preset_name);
  if (open_dialog1_->exec() != QDialog::Accepted || open_dialog1_->selectedFiles().isEmpty()) return;
  buffer = open_dialog1_->selectedFiles().first().toStdString();
  qorvi::SlashPath(buffer);
  edit->setText(Q(buffer));
}

void TForm5::vshnameButtonClick() { ChooseFile("vshmain.prx", session_.paths().VshmainPath, vshname_edit_); }
void TForm5::pafnameButtonClick() { ChooseFile("paf.prx", session_.paths().PafPath, pafname_edit_); }
void TForm5::openingButtonClick() { ChooseFile("opening_plugin.prx", session_.paths().OpeningPath, opening_edit_); }
void TForm5::bsoundButtonClick() { ChooseFile("opening.wav", session_.paths().BootSoundPath, bsound_edit_); }
void TForm5::sys_fgrcoButtonClick() {
  ChooseFile("system_plugin_fg.rco", session_.paths().SystemPluginFgPath, sys_fgrco_edit_);
}
void TForm5::top_rcoButtonClick() {
  ChooseFile("topmenu_plugin.rco", session_.paths().TopmenuPluginPath, top_rco_edit_);
}
void TForm5::top_iconButtonClick() { ChooseFile("topmenu_icon.rco", session_.paths().TopmenuIconPath, top_icon_edit_); }

void TForm5::UpdateLoadButton() {
  load_button_->setEnabled(!vshname_edit_->text().isEmpty() && !pafname_edit_->text().isEmpty() &&
                           !sys_fgrco_edit_->text().isEmpty() && !top_rco_edit_->text().isEmpty() &&
                           !top_icon_edit_->text().isEmpty());
}

void TForm5::openingCheckClick() {
  const bool on = opening_check_->isChecked();
  opening_edit_->setEnabled(on);
  opening_button_->setEnabled(on);
  session_.SetOpeningEnabled(on);
}

void TForm5::bootsoundCheckClick() {
  const bool on = bootsound_check_->isChecked();
  bsound_edit_->setEnabled(on);
  bsound_button_->setEnabled(on);
  session_.SetBootSoundEnabled(on);
}

void TForm5::LoadButtonClick() { Load(this); }

void TForm5::Load(QWidget* message_parent) {
  // Changes that were not saved are not given up without asking.
  if (load_guard_ && !load_guard_()) return;
  qorvi::Paths& paths = session_.paths();
  // Typed text is used as typed: no slashing, no other interpretation.
  paths.VshmainPath = vshname_edit_->text().toStdString();
  paths.PafPath = pafname_edit_->text().toStdString();
  paths.OpeningPath = opening_edit_->text().toStdString();
  paths.BootSoundPath = bsound_edit_->text().toStdString();
  paths.SystemPluginFgPath = sys_fgrco_edit_->text().toStdString();
  paths.TopmenuPluginPath = top_rco_edit_->text().toStdString();
  paths.TopmenuIconPath = top_icon_edit_->text().toStdString();

  // A successful load refreshes every window (the session says so); a failure shows
  // its message and its cause.
  if (std::optional<qorvi::Failure> failure = session_.Load()) {
    qorvi::widgets::ShowFailure(message_parent, WithPath(*failure, paths));
  }
}

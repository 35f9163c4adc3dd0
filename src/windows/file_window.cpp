#include "windows/file_window.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/main_window.h"
#include "firmware/load_sequence.h"
#include "windows/window_frame.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

template <typename T>
T* Named(T* widget, const char* name, QRect geometry) {
  widget->setObjectName(name);
  widget->setGeometry(geometry);
  return widget;
}

}  // namespace

TForm5::TForm5(qorvi::app::Desktop& d) : desktop(d) {
  setObjectName("Form5");
  qorvi::app::SetUpSecondaryWindow(this, "Qorvi File Window", 547, 293, 29, 457);
  desktop.forms.Form5 = this;
  const qorvi::Paths& paths = desktop.model.paths;

  SourceGroup = Named(new QGroupBox("Source File", this), "SourceGroup", {8, 8, 531, 233});
  // Two columns of rows: a caption (label or check box), below it the path and its
  // "select" button.
  auto row = [&](int column, int r, QWidget* caption, QLineEdit*& edit, const char* editName, QPushButton*& button,
                 const char* buttonName, const std::string& path) {
    const int x = column == 0 ? 12 : 272;
    const int y = 20 + 52 * r;
    caption->setParent(SourceGroup);
    caption->setGeometry(x, y, 240, 17);
    edit = Named(new QLineEdit(Q(path), SourceGroup), editName, {x, y + 18, 190, 21});
    button = Named(new QPushButton("select", SourceGroup), buttonName, {x + 194, y + 18, 53, 21});
  };
  Label1 = Named(new QLabel("vshmain.prx"), "Label1", {});
  row(0, 0, Label1, vshnameEdit, "vshnameEdit", vshnameButton, "vshnameButton", paths.VshmainPath);
  Label2 = Named(new QLabel("paf.prx"), "Label2", {});
  row(0, 1, Label2, pafnameEdit, "pafnameEdit", pafnameButton, "pafnameButton", paths.PafPath);
  openingCheck = Named(new QCheckBox("opening_plugin.prx"), "openingCheck", {});
  row(0, 2, openingCheck, openingEdit, "openingEdit", openingButton, "openingButton", paths.OpeningPath);
  bootsoundCheck = Named(new QCheckBox("boot sound"), "bootsoundCheck", {});
  row(0, 3, bootsoundCheck, bsoundEdit, "bsoundEdit", bsoundButton, "bsoundButton", paths.BootSoundPath);
  Label6 = Named(new QLabel("system_plugin_fg.rco"), "Label6", {});
  row(1, 0, Label6, sys_fgrcoEdit, "sys_fgrcoEdit", sys_fgrcoButton, "sys_fgrcoButton", paths.SystemPluginFgPath);
  Label5 = Named(new QLabel("topmenu_plugin.rco"), "Label5", {});
  row(1, 1, Label5, top_rcoEdit, "top_rcoEdit", top_rcoButton, "top_rcoButton", paths.TopmenuPluginPath);
  Label3 = Named(new QLabel("topmenu_icon.rco"), "Label3", {});
  row(1, 2, Label3, top_iconEdit, "top_iconEdit", top_iconButton, "top_iconButton", paths.TopmenuIconPath);

  openingEdit->setEnabled(false);
  openingButton->setEnabled(false);
  bsoundEdit->setEnabled(false);
  bsoundButton->setEnabled(false);

  LoadButton = Named(new QPushButton("Load datafile", this), "LoadButton", {212, 252, 123, 29});
  LoadButton->setDefault(true);
  LoadButton->setAutoDefault(true);

  OpenDialog1 = new QFileDialog(this);
  OpenDialog1->setObjectName("OpenDialog1");
  OpenDialog1->setFileMode(QFileDialog::ExistingFile);
  OpenDialog1->setOption(QFileDialog::DontUseNativeDialog, true);
  // "*" rather than "*.*": file names without a dot are files too.
  OpenDialog1->setNameFilter("All files (*)");

  connect(vshnameButton, &QPushButton::clicked, this, &TForm5::vshnameButtonClick);
  connect(pafnameButton, &QPushButton::clicked, this, &TForm5::pafnameButtonClick);
  connect(openingButton, &QPushButton::clicked, this, &TForm5::openingButtonClick);
  connect(bsoundButton, &QPushButton::clicked, this, &TForm5::bsoundButtonClick);
  connect(sys_fgrcoButton, &QPushButton::clicked, this, &TForm5::sys_fgrcoButtonClick);
  connect(top_rcoButton, &QPushButton::clicked, this, &TForm5::top_rcoButtonClick);
  connect(top_iconButton, &QPushButton::clicked, this, &TForm5::top_iconButtonClick);
  connect(vshnameEdit, &QLineEdit::textChanged, this, &TForm5::vshnameEditChange);
  connect(pafnameEdit, &QLineEdit::textChanged, this, &TForm5::pafnameEditChange);
  connect(sys_fgrcoEdit, &QLineEdit::textChanged, this, &TForm5::sys_fgrcoEditChange);
  connect(top_rcoEdit, &QLineEdit::textChanged, this, &TForm5::top_rcoEditChange);
  connect(top_iconEdit, &QLineEdit::textChanged, this, &TForm5::top_iconEditChange);
  connect(openingCheck, &QCheckBox::clicked, this, &TForm5::openingCheckClick);
  connect(bootsoundCheck, &QCheckBox::clicked, this, &TForm5::bootsoundCheckClick);
  connect(LoadButton, &QPushButton::clicked, this, &TForm5::LoadButtonClick);
  UpdateLoadButton();
}

void TForm5::ChooseFile(const QString& presetName, std::string& buffer, QLineEdit* edit) {
  // The dialog starts in the working directory of the moment, read anew each time.
  OpenDialog1->setDirectory(QDir::currentPath());
  OpenDialog1->selectFile(presetName);
  if (OpenDialog1->exec() != QDialog::Accepted || OpenDialog1->selectedFiles().isEmpty()) return;
  buffer = OpenDialog1->selectedFiles().first().toStdString();
  qorvi::SlashPath(buffer);
  edit->setText(Q(buffer));
}

void TForm5::vshnameButtonClick() { ChooseFile("vshmain.prx", desktop.model.paths.VshmainPath, vshnameEdit); }
void TForm5::pafnameButtonClick() { ChooseFile("paf.prx", desktop.model.paths.PafPath, pafnameEdit); }
void TForm5::openingButtonClick() { ChooseFile("opening_plugin.prx", desktop.model.paths.OpeningPath, openingEdit); }
void TForm5::bsoundButtonClick() { ChooseFile("opening.wav", desktop.model.paths.BootSoundPath, bsoundEdit); }
void TForm5::sys_fgrcoButtonClick() {
  ChooseFile("system_plugin_fg.rco", desktop.model.paths.SystemPluginFgPath, sys_fgrcoEdit);
}
void TForm5::top_rcoButtonClick() {
  ChooseFile("topmenu_plugin.rco", desktop.model.paths.TopmenuPluginPath, top_rcoEdit);
}
void TForm5::top_iconButtonClick() {
  ChooseFile("topmenu_icon.rco", desktop.model.paths.TopmenuIconPath, top_iconEdit);
}

void TForm5::UpdateLoadButton() {
  LoadButton->setEnabled(!vshnameEdit->text().isEmpty() && !pafnameEdit->text().isEmpty() &&
                         !sys_fgrcoEdit->text().isEmpty() && !top_rcoEdit->text().isEmpty() &&
                         !top_iconEdit->text().isEmpty());
}

void TForm5::vshnameEditChange() { UpdateLoadButton(); }
void TForm5::pafnameEditChange() { UpdateLoadButton(); }
void TForm5::sys_fgrcoEditChange() { UpdateLoadButton(); }
void TForm5::top_rcoEditChange() { UpdateLoadButton(); }
void TForm5::top_iconEditChange() { UpdateLoadButton(); }

void TForm5::openingCheckClick() {
  const bool on = openingCheck->isChecked();
  openingEdit->setEnabled(on);
  openingButton->setEnabled(on);
  desktop.model.OpeningEnabled = on ? 1 : 0;
}

void TForm5::bootsoundCheckClick() {
  const bool on = bootsoundCheck->isChecked();
  bsoundEdit->setEnabled(on);
  bsoundButton->setEnabled(on);
  desktop.model.BootSoundEnabled = on ? 1 : 0;
}

void TForm5::LoadButtonClick() {
  qorvi::Paths& paths = desktop.model.paths;
  // Typed text is used as typed: no slashing, no other interpretation.
  paths.VshmainPath = vshnameEdit->text().toStdString();
  paths.PafPath = pafnameEdit->text().toStdString();
  paths.OpeningPath = openingEdit->text().toStdString();
  paths.BootSoundPath = bsoundEdit->text().toStdString();
  paths.SystemPluginFgPath = sys_fgrcoEdit->text().toStdString();
  paths.TopmenuPluginPath = top_rcoEdit->text().toStdString();
  paths.TopmenuIconPath = top_iconEdit->text().toStdString();

  if (auto failure = qorvi::LoadAll(desktop.model)) {
    qorvi::app::ShowMessageBox(this, QString::fromStdString(std::string(qorvi::MessageText(failure->code))));
    return;
  }
  TForm1* main = desktop.forms.Form1;
  qorvi::FinishLoad(desktop.model, main != nullptr && main->NoUMDCheck->isChecked());
  if (main != nullptr) main->RefreshAll();
}

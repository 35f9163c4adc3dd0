// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStringList>
#include <algorithm>
#include <optional>
#include <vector>

#include "app/preview_panel.h"
#include "layout_json/difference_text.h"
#include "platform/file_io.h"
#include "platform/folder_lock.h"
#include "save/model_diff.h"
#include "widgets/window_frame.h"

namespace {

template <typename T>
T* Place(T* widget, const char* name, int left, int top, int width, int height) {
  widget->setObjectName(name);
  widget->setGeometry(left, top, width, height);
  return widget;
}

}  // namespace

TForm1::TForm1(qorvi::session::EditSession& session, QWidget* parent) : QWidget(parent), session_(session) {
  setObjectName("Form1");
  setWindowTitle("Qorvi for windows / beta 3 version");
  setFont(qorvi::widgets::InterfaceFont());
  setFixedSize(555, 448);
  move(28, 10);

  // The paths were built from the working folder before this window: the preview
  // reads its bitmaps there.
  preview_ = new qorvi::app::PreviewPanel(session_, this);
  preview_->move(16, 24);
  CreateControls();

  // The work buffers are taken once, here; a failure is told by DesktopProgram when
  // it shows windows (a box would wait forever for a user who is not there), and
  // every load refuses with the same message.
  qorvi::Model& model = session_.model();
  model.work.Allocate();
  model.VshConstants.fill(0);
  model.PafConstants.fill(0);

  SetNothingLoadedState();
  connect(preview_, &qorvi::app::PreviewPanel::elementPressed, this, [this](const QString& name) {
    focused_label_->setText(name);
    // The status line stays hidden until a load.
    if (session_.view().PreviewReady == 1) focused_label_->show();
  });
  connect(preview_, &qorvi::app::PreviewPanel::elementReleased, this, &TForm1::ShowVersion);
  connect(preview_, &qorvi::app::PreviewPanel::problemsChanged, this, &TForm1::ShowProblems);
  connect(&session_, &qorvi::session::EditSession::changed, this, &TForm1::OnChanged);
}

TForm1::~TForm1() { DeleteIconBitmaps(); }

void TForm1::CreateControls() {
  no_show_check_ = Place(new QCheckBox("No Show Unforcused Main Icons", this), "NoShowCheck", 16, 4, 193, 13);
  no_umd_check_ = Place(new QCheckBox("No Show UMD Icon", this), "NoUMDCheck", 216, 2, 121, 17);
  FitOptionBoxes();
  about_button_ = Place(new QPushButton("about...", this), "AboutButton", 448, 3, 80, 17);
  group_box1_ = Place(new QGroupBox(this), "GroupBox1", 16, 328, 169, 33);
  jpn_radio_ = Place(new QRadioButton("Japanese", group_box1_), "JPNRadio", 8, 10, 73, 17);
  eng_radio_ = Place(new QRadioButton("English", group_box1_), "ENGRadio", 88, 10, 65, 17);
  jpn_radio_->setChecked(true);
  group_box2_ = Place(new QGroupBox(this), "GroupBox2", 192, 328, 153, 33);
  comp_check_ = Place(new QCheckBox("compress prx files", group_box2_), "CompCheck", 16, 10, 121, 17);
  comp_check_->setChecked(true);
  bevel1_ = Place(new QFrame(this), "Bevel1", 352, 334, 177, 27);
  bevel1_->setFrameStyle(QFrame::Box | QFrame::Sunken);
  focused_label_ = Place(new QLabel("FocusedLabel", this), "FocusedLabel", 360, 342, 160, 12);
  QFont bold = focused_label_->font();
  bold.setBold(true);
  focused_label_->setFont(bold);
  focused_label_->setTextFormat(Qt::PlainText);
  // Tall enough for its font, inside the bevel.
  focused_label_->resize(focused_label_->width(), std::max(12, focused_label_->sizeHint().height()));
  // The problems of the preview, in the room below the buttons: FocusedLabel is too
  // narrow for them and names the pressed element while the button is down.
  problem_label_ = Place(new QLabel(this), "ProblemLabel", 16, 412, 513, 32);
  problem_label_->setTextFormat(Qt::PlainText);
  problem_label_->setWordWrap(true);
  problem_label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette red = problem_label_->palette();
  red.setColor(QPalette::WindowText, QColor(200, 0, 0));
  problem_label_->setPalette(red);
  show_file_button_ = Place(new QPushButton("Show File Window", this), "ShowFileButton", 16, 368, 105, 20);
  show_file_button_->setDefault(true);
  show_color_button_ = Place(new QPushButton("Show Color", this), "ShowColorButton", 128, 368, 105, 20);
  show_text_data_button_ = Place(new QPushButton("Show Text Data", this), "ShowTextDataButton", 240, 368, 105, 20);
  wallpaper_button_ = Place(new QPushButton("Load Wallpaper", this), "WallpaperButton", 352, 368, 105, 20);
  save_button_ = Place(new QPushButton("Save", this), "SaveButton", 464, 368, 65, 41);
  show_icon_data_button_ = Place(new QPushButton("Show Icon Data", this), "ShowIconDataButton", 16, 389, 105, 20);
  show_cate_button_ = Place(new QPushButton("Show Category", this), "ShowCateButton", 128, 389, 105, 20);
  positioning_button_ = Place(new QPushButton("Show Positioning", this), "PositioningButton", 240, 389, 105, 20);
  xmb_hscroll_ = Place(new QScrollBar(Qt::Horizontal, this), "XMB_HScroll", 352, 391, 105, 18);
  xmb_hscroll_->setRange(0, 7);
  xmb_vscroll_ = Place(new QScrollBar(Qt::Vertical, this), "XMB_VScroll", 530, 224, 16, 105);
  xmb_vscroll_->setRange(0, 10);
  for (QScrollBar* bar : {xmb_hscroll_, xmb_vscroll_}) {
    bar->setSingleStep(1);
    bar->setPageStep(1);
  }

  open_dialog1_ = new QFileDialog(this);
  open_dialog1_->setObjectName("OpenDialog1");
  qorvi::widgets::SetUpFileDialog(open_dialog1_);

  QWidget* order[] = {show_file_button_,
                      show_icon_data_button_,
                      show_color_button_,
                      show_cate_button_,
                      show_text_data_button_,
                      positioning_button_,
                      wallpaper_button_,
                      save_button_,
                      preview_,
                      xmb_hscroll_,
                      group_box1_,
                      group_box2_,
                      xmb_vscroll_,
                      no_show_check_,
                      no_umd_check_,
                      about_button_};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  connect(show_file_button_, &QPushButton::clicked, this, &TForm1::ShowFileButtonClick);
  connect(show_icon_data_button_, &QPushButton::clicked, this, &TForm1::ShowIconDataButtonClick);
  connect(show_text_data_button_, &QPushButton::clicked, this, &TForm1::ShowTextDataButtonClick);
  connect(show_color_button_, &QPushButton::clicked, this, &TForm1::ShowColorButtonClick);
  connect(show_cate_button_, &QPushButton::clicked, this, &TForm1::ShowCateButtonClick);
  connect(positioning_button_, &QPushButton::clicked, this, &TForm1::PositioningButtonClick);
  connect(about_button_, &QPushButton::clicked, this, &TForm1::AboutButtonClick);
  connect(save_button_, &QPushButton::clicked, this, &TForm1::SaveButtonClick);
  connect(wallpaper_button_, &QPushButton::clicked, this, &TForm1::WallpaperButtonClick);
  connect(xmb_hscroll_, &QScrollBar::valueChanged, this, &TForm1::XMB_HScrollChange);
  connect(xmb_vscroll_, &QScrollBar::valueChanged, this, &TForm1::XMB_VScrollChange);
  connect(jpn_radio_, &QRadioButton::clicked, this, &TForm1::JPNRadioClick);
  connect(eng_radio_, &QRadioButton::clicked, this, &TForm1::ENGRadioClick);
  connect(no_show_check_, &QCheckBox::clicked, this, &TForm1::NoShowCheckClick);
  connect(no_umd_check_, &QCheckBox::clicked, this, &TForm1::NoUMDCheckClick);
  // Read by Save; the session keeps it.
  connect(comp_check_, &QCheckBox::toggled, &session_, &qorvi::session::EditSession::SetCompress);
}

void TForm1::FitOptionBoxes() {
  // The two boxes stand side by side: "No Show Unforcused Main Icons" must end
  // before "No Show UMD Icon" begins, or a click meant for one toggles the other.
  // Where the fonts at hand draw the first caption wider than its room, its font
  // is made smaller until the caption fits.
  const int room = no_umd_check_->x() - no_show_check_->x() - 1;
  QFont font = no_show_check_->font();
  for (int pixels = 12; pixels > 8 && no_show_check_->sizeHint().width() > room; --pixels) {
    font.setPixelSize(pixels - 1);
    no_show_check_->setFont(font);
  }
  no_show_check_->resize(std::min(room, std::max(no_show_check_->width(), no_show_check_->sizeHint().width())), 17);
  no_umd_check_->resize(std::max(no_umd_check_->width(), no_umd_check_->sizeHint().width()), no_umd_check_->height());
}

void TForm1::SetWindows(const Windows& windows) { windows_ = windows; }

void TForm1::SetNothingLoadedState() {
  for (QWidget* w : std::initializer_list<QWidget*>{show_file_button_, wallpaper_button_, no_show_check_, no_umd_check_,
                                                    about_button_}) {
    w->setEnabled(true);
  }
  for (QWidget* w : std::initializer_list<QWidget*>{show_icon_data_button_, show_text_data_button_, show_color_button_,
                                                    show_cate_button_, positioning_button_, save_button_, xmb_hscroll_,
                                                    xmb_vscroll_, jpn_radio_, eng_radio_, comp_check_}) {
    w->setEnabled(false);
  }
  focused_label_->hide();
}

void TForm1::EnterLoadedState() {
  const qorvi::Model& model = session_.model();
  // The session has put the focus on the first item of the first category.
  {
    const QSignalBlocker quiet_h(xmb_hscroll_);
    const QSignalBlocker quiet_v(xmb_vscroll_);
    xmb_hscroll_->setValue(0);
    xmb_vscroll_->setValue(0);
    xmb_hscroll_->setMaximum(model.Profile.HasEighthCategory ? 7 : 6);
    const int32_t first_count = model.CategoryTable[0].Count;
    xmb_vscroll_->setMaximum(first_count > 0 ? std::min(first_count, qorvi::kItemNumbers) - 1 : 0);
  }
  // The status line names the version (nothing while none is known).
  if (model.FirmwareVersion == 0) {
    focused_label_->setText(QString());
  } else {
    ShowVersion();
  }
  focused_label_->show();
  for (QWidget* w : std::initializer_list<QWidget*>{show_icon_data_button_, show_text_data_button_, show_color_button_,
                                                    show_cate_button_, save_button_, positioning_button_, xmb_hscroll_,
                                                    xmb_vscroll_, jpn_radio_, eng_radio_}) {
    w->setEnabled(true);
  }
  // 3.95 modules are always written uncompressed, so the option means nothing there.
  comp_check_->setEnabled(!model.Profile.AlwaysPlainModules);
  // Refresh-all shows the four editor windows and hides the File window.
  show_file_button_->setText("Show File Window");
  show_icon_data_button_->setText("Hide Icon Data");
  show_text_data_button_->setText("Hide Text Data");
  show_color_button_->setText("Hide Color");
  show_cate_button_->setText("Hide Category");
}

void TForm1::OnChanged(const qorvi::session::ChangeEvent& event) {
  if (event.loaded) {
    EnterLoadedState();
    return;
  }
  const qorvi::PreviewState& view = session_.view();
  const qorvi::session::ViewChanges& v = event.view;
  if (v.category) {
    const QSignalBlocker quiet_h(xmb_hscroll_);
    const QSignalBlocker quiet_v(xmb_vscroll_);
    xmb_hscroll_->setValue(view.CurrentCategory);
    xmb_vscroll_->setValue(view.CurrentItem);
    // An empty category keeps the old maximum; fewer than two items leave nothing to scroll.
    const int n = session_.model().CategoryTable[static_cast<std::size_t>(view.CurrentCategory)].Count;
    if (n >= 1) xmb_vscroll_->setMaximum(n - 1);
    xmb_vscroll_->setEnabled(n >= 2);
  } else if (v.no_show_umd_icon) {
    if (view.CurrentCategory == 5) {
      const QSignalBlocker quiet(xmb_vscroll_);
      const int n = session_.model().CategoryTable[5].Count;
      if (n >= 1) xmb_vscroll_->setMaximum(n - 1);
      xmb_vscroll_->setEnabled(n >= 2);
      xmb_vscroll_->setValue(view.CurrentItem);
    }
  } else if (event.entries || event.lists) {
    FitItemScrollToEntries();
  } else if (v.item) {
    const QSignalBlocker quiet(xmb_vscroll_);
    xmb_vscroll_->setValue(view.CurrentItem);
  }
  if (v.language) {
    const QSignalBlocker quiet_j(jpn_radio_);
    const QSignalBlocker quiet_e(eng_radio_);
    (view.Language == 0 ? jpn_radio_ : eng_radio_)->setChecked(true);
  }
  if (v.no_show_unfocused) no_show_check_->setChecked(session_.options().no_show_unfocused);
  if (v.no_show_umd_icon) no_umd_check_->setChecked(session_.options().no_show_umd_icon);
  if (v.compress) {
    const QSignalBlocker quiet(comp_check_);
    comp_check_->setChecked(session_.options().compress);
  }
}

void TForm1::FitItemScrollToEntries() {
  const qorvi::PreviewState& view = session_.view();
  if (view.CurrentCategory < 0 || view.CurrentCategory >= qorvi::kCategories) return;
  const int n = session_.model().CategoryTable[static_cast<std::size_t>(view.CurrentCategory)].Count;
  const QSignalBlocker quiet(xmb_vscroll_);
  if (n < 2) {
    xmb_vscroll_->setEnabled(false);
  } else {
    xmb_vscroll_->setEnabled(true);
    xmb_vscroll_->setMaximum(n - 1);
  }
  // The bar's position always stands at the focused item (a disabled bar keeps its
  // maximum, so its position is set here).
  xmb_vscroll_->setValue(view.CurrentItem);
}

void TForm1::ToggleWindow(QWidget* window, QPushButton* button, const char* show_caption, const char* hide_caption) {
  if (window == nullptr) return;
  // The window's own visibility decides, not the caption: other routines show and
  // hide these windows too.
  if (window->isVisible()) {
    button->setText(show_caption);
    window->hide();
  } else {
    button->setText(hide_caption);
    window->show();
    // In front: a window over the others, a dock of the docked workspace as the
    // tab shown of those sharing its place.
    window->raise();
  }
}

void TForm1::ShowFileButtonClick() {
  ToggleWindow(windows_.file, show_file_button_, "Show File Window", "Hide File Window");
}
void TForm1::ShowIconDataButtonClick() {
  ToggleWindow(windows_.icon_data, show_icon_data_button_, "Show Icon Data", "Hide Icon Data");
}
void TForm1::ShowTextDataButtonClick() {
  ToggleWindow(windows_.text_data, show_text_data_button_, "Show Text Data", "Hide Text Data");
}
void TForm1::ShowColorButtonClick() { ToggleWindow(windows_.color, show_color_button_, "Show Color", "Hide Color"); }
void TForm1::ShowCateButtonClick() {
  ToggleWindow(windows_.category, show_cate_button_, "Show Category", "Hide Category");
}
void TForm1::PositioningButtonClick() {
  ToggleWindow(windows_.positioning, positioning_button_, "Show Positioning", "Hide Positioning");
}

void TForm1::AboutButtonClick() { emit aboutRequested(); }

void TForm1::SaveButtonClick() {
  // The save's output folder is its own until the check is done, as for
  // qorvi-cli save: while another save writes there, nothing is written and the
  // changes stay unsaved. (A folder that cannot be locked is written unlocked.)
  const std::string& folder = session_.model().paths.DoneDir;
  qorvi::MakeFolders(folder);
  const qorvi::FolderLock lock = qorvi::FolderLock::Try(folder);
  if (lock.busy()) {
    qorvi::widgets::ShowMessageBox(
        this, "Another save is writing into this folder; nothing was saved. Save again when it has finished.",
        QString::fromStdString(folder));
    return;
  }
  const std::vector<qorvi::Failure> failures = session_.Save();
  for (const qorvi::Failure& failure : failures) qorvi::widgets::ShowFailure(this, failure);
  // Only a save that wrote every file can be loaded back and compared.
  std::optional<qorvi::VerifyResult> check;
  if (failures.empty()) check = session_.VerifySaved();
  const bool verified = check && check->Passed();
  qorvi::widgets::ShowMessageBox(this, QString::fromUtf8(qorvi::kDoneText.data(), qorvi::kDoneText.size()),
                                 verified ? QString("verified: the written files load back as saved") : QString());
  if (check && !check->Passed()) {
    qorvi::widgets::ShowMessageBox(this, QString::fromStdString(qorvi::VerifyMessage(*check)),
                                   check->loadFailure ? QString::fromStdString(check->loadFailure->cause) : QString());
  }
}

void TForm1::SaveInto(const std::string& folder) {
  qorvi::Paths& paths = session_.paths();
  // The outputs point into the folder for this save and its check only.
  struct Restore {
    qorvi::Paths& paths;
    qorvi::Paths done;
    ~Restore() { paths = done; }
  } restore{paths, paths};
  qorvi::SetDoneDir(paths, folder);
  SaveButtonClick();
}

void TForm1::ShowVersion() {
  focused_label_->setText(
      QString::asprintf("version : %.02f", static_cast<double>(session_.model().FirmwareVersion) * 0.01));
}

void TForm1::ShowProblems() {
  QStringList lines;
  for (const qorvi::LayoutFinding& f : preview_->Problems()) lines << QString::fromStdString(f.element + " " + f.what);
  // All of them in the tooltip; the line holds what fits.
  problem_label_->setText(lines.join("; "));
  problem_label_->setToolTip(lines.join("\n"));
}

bool TForm1::MaySaveChanges() {
  if (!session_.HasUnsavedChanges()) return true;
  QStringList changes;
  for (const qorvi::ValueDifference& d : qorvi::DiffFromLoaded(session_.model())) {
    changes << QString::fromStdString(qorvi::layout_json::DifferenceLine(d, "→"));
  }
  switch (qorvi::widgets::AskSaveChanges(this, changes.join('\n'))) {
    case qorvi::widgets::SaveChoice::Save:
      SaveButtonClick();
      // A save that could not write everything keeps the changes unsaved: nothing
      // that was not written is given up.
      return !session_.HasUnsavedChanges();
    case qorvi::widgets::SaveChoice::Discard: return true;
    case qorvi::widgets::SaveChoice::Cancel: return false;
  }
  return false;
}

void TForm1::DeleteIconBitmaps() {
  // A program that writes none (qorvi --render) leaves files of these names alone.
  if (!session_.WritesIconBitmaps()) return;
  const qorvi::Paths& p = session_.model().paths;
  for (const std::string& path : p.MainIconPath) qorvi::RemoveFileIfPresent(path);
  for (const std::string& path : p.SubIconPath) qorvi::RemoveFileIfPresent(path);
  qorvi::RemoveFileIfPresent(p.BatteryIconPath);
  qorvi::RemoveFileIfPresent(p.BusyIconPath);
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (!MaySaveChanges()) {
    event->ignore();
    return;
  }
  // Closing the main window ends the program, whatever else is open.
  QWidget::closeEvent(event);
  if (event->isAccepted()) QCoreApplication::quit();
}

void TForm1::keyPressEvent(QKeyEvent* event) {
  // "Show File Window" is the window's default button: Enter presses it wherever
  // the focus is, unless the focused control takes the key itself.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (show_file_button_->isEnabled()) show_file_button_->click();
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TForm1::contextMenuEvent(QContextMenuEvent* event) {
  // The menu key opens the preview's menu wherever the focus is in this window.
  if (event->reason() == QContextMenuEvent::Keyboard) {
    preview_->ShowContextMenu(preview_->mapToGlobal(preview_->rect().center()));
    event->accept();
    return;
  }
  event->ignore();
}

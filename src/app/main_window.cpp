#include "app/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>
#include <filesystem>

#include "app/picture_box.h"
#include "firmware/file_io.h"
#include "save/save_sequence.h"
#include "windows/about_window.h"
#include "windows/advance_window.h"
#include "windows/category_window.h"
#include "windows/color_window.h"
#include "windows/file_window.h"
#include "windows/icon_data_window.h"
#include "windows/positioning_window.h"
#include "windows/text_data_window.h"
#include "windows/window_frame.h"

using qorvi::app::PictureBox;

namespace {

template <typename T>
T* Place(T* widget, const char* name, int left, int top, int width, int height) {
  widget->setObjectName(name);
  widget->setGeometry(left, top, width, height);
  return widget;
}

}  // namespace

TForm1::TForm1(qorvi::app::Desktop& d) : desktop(d), model(d.model), view(d.view) {
  desktop.forms.Form1 = this;
  setObjectName("Form1");
  setWindowTitle("Qorvi for windows / beta 3 version");
  setFont(qorvi::app::InterfaceFont());
  setFixedSize(555, 448);
  move(28, 10);

  qorvi::BuildPaths(model.paths, std::filesystem::current_path().string());
  CreateControls();
  CreatePreview();

  view.PreviewCenterX = Wallpaper->x() + 240;
  view.PreviewCenterY = Wallpaper->y() + 136;
  // The screen area starts teal, outlined with the default black pen.
  QImage teal(480, 272, QImage::Format_ARGB32);
  teal.fill(QColor(0, 128, 128));
  {
    QPainter painter(&teal);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, teal.width() - 1, teal.height() - 1);
  }
  Wallpaper->SetPicture(teal);

  if (!model.work.Allocate()) {
    qorvi::app::ShowMessageBox(this, QString::fromUtf8(qorvi::MessageText(qorvi::Message::CannotAllocateMemory)));
  }
  model.VshConstants.fill(0);
  model.PafConstants.fill(0);

  MainIcons = {MainIcon1, MainIcon2, MainIcon3, MainIcon4, MainIcon5, MainIcon6, MainIcon7, MainIcon8};
  SubIcons = {SubIcon0, SubIcon1, SubIcon2, SubIcon3, SubIcon4, SubIcon5};
  SubMenuTexts = {SubMenuText0, SubMenuText1, SubMenuText2, SubMenuText3, SubMenuText4, SubMenuText5};

  SetNothingLoadedState();
  ConnectDragHandlers();
}

TForm1::~TForm1() { DeleteIconBitmaps(); }

void TForm1::CreateControls() {
  NoShowCheck = Place(new QCheckBox("No Show Unforcused Main Icons", this), "NoShowCheck", 16, 4, 193, 13);
  NoUMDCheck = Place(new QCheckBox("No Show UMD Icon", this), "NoUMDCheck", 216, 2, 121, 17);
  // The captions need more room in the fonts available here than in the original
  // interface font: widen the boxes to their text, keeping them apart.
  NoShowCheck->resize(std::max(NoShowCheck->width(), NoShowCheck->sizeHint().width()), 17);
  NoUMDCheck->setGeometry(std::max(NoUMDCheck->x(), NoShowCheck->geometry().right() + 8), NoUMDCheck->y(),
                          std::max(NoUMDCheck->width(), NoUMDCheck->sizeHint().width()), NoUMDCheck->height());
  AboutButton = Place(new QPushButton("about...", this), "AboutButton", 448, 3, 80, 17);
  Panel1 = Place(new QFrame(this), "Panel1", 16, 24, 512, 304);
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  GroupBox1 = Place(new QGroupBox(this), "GroupBox1", 16, 328, 169, 33);
  JPNRadio = Place(new QRadioButton("Japanese", GroupBox1), "JPNRadio", 8, 10, 73, 17);
  ENGRadio = Place(new QRadioButton("English", GroupBox1), "ENGRadio", 88, 10, 65, 17);
  JPNRadio->setChecked(true);
  GroupBox2 = Place(new QGroupBox(this), "GroupBox2", 192, 328, 153, 33);
  CompCheck = Place(new QCheckBox("compress prx files", GroupBox2), "CompCheck", 16, 10, 121, 17);
  CompCheck->setChecked(true);
  Bevel1 = Place(new QFrame(this), "Bevel1", 352, 334, 177, 27);
  Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  FocusedLabel = Place(new QLabel("FocusedLabel", this), "FocusedLabel", 360, 342, 160, 12);
  QFont bold = FocusedLabel->font();
  bold.setBold(true);
  FocusedLabel->setFont(bold);
  ShowFileButton = Place(new QPushButton("Show File Window", this), "ShowFileButton", 16, 368, 105, 20);
  ShowFileButton->setDefault(true);
  ShowColorButton = Place(new QPushButton("Show Color", this), "ShowColorButton", 128, 368, 105, 20);
  ShowTextDataButton = Place(new QPushButton("Show Text Data", this), "ShowTextDataButton", 240, 368, 105, 20);
  WallpaperButton = Place(new QPushButton("Load Wallpaper", this), "WallpaperButton", 352, 368, 105, 20);
  SaveButton = Place(new QPushButton("Save", this), "SaveButton", 464, 368, 65, 41);
  ShowIconDataButton = Place(new QPushButton("Show Icon Data", this), "ShowIconDataButton", 16, 389, 105, 20);
  ShowCateButton = Place(new QPushButton("Show Category", this), "ShowCateButton", 128, 389, 105, 20);
  PositioningButton = Place(new QPushButton("Show Positioning", this), "PositioningButton", 240, 389, 105, 20);
  XMB_HScroll = Place(new QScrollBar(Qt::Horizontal, this), "XMB_HScroll", 352, 391, 105, 18);
  XMB_HScroll->setRange(0, 7);
  XMB_VScroll = Place(new QScrollBar(Qt::Vertical, this), "XMB_VScroll", 530, 224, 16, 105);
  XMB_VScroll->setRange(0, 10);
  for (QScrollBar* bar : {XMB_HScroll, XMB_VScroll}) {
    bar->setSingleStep(1);
    bar->setPageStep(1);
  }

  OpenDialog1 = new QFileDialog(this);
  OpenDialog1->setObjectName("OpenDialog1");
  OpenDialog1->setFileMode(QFileDialog::ExistingFile);
  OpenDialog1->setOption(QFileDialog::DontUseNativeDialog, true);

  QWidget* order[] = {ShowFileButton,    ShowIconDataButton, ShowColorButton, ShowCateButton, ShowTextDataButton,
                      PositioningButton, WallpaperButton,    SaveButton,      Panel1,         XMB_HScroll,
                      GroupBox1,         GroupBox2,          XMB_VScroll,     NoShowCheck,    NoUMDCheck,
                      AboutButton};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  connect(ShowFileButton, &QPushButton::clicked, this, &TForm1::ShowFileButtonClick);
  connect(ShowIconDataButton, &QPushButton::clicked, this, &TForm1::ShowIconDataButtonClick);
  connect(ShowTextDataButton, &QPushButton::clicked, this, &TForm1::ShowTextDataButtonClick);
  connect(ShowColorButton, &QPushButton::clicked, this, &TForm1::ShowColorButtonClick);
  connect(ShowCateButton, &QPushButton::clicked, this, &TForm1::ShowCateButtonClick);
  connect(PositioningButton, &QPushButton::clicked, this, &TForm1::PositioningButtonClick);
  connect(AboutButton, &QPushButton::clicked, this, &TForm1::AboutButtonClick);
  connect(SaveButton, &QPushButton::clicked, this, &TForm1::SaveButtonClick);
  connect(WallpaperButton, &QPushButton::clicked, this, &TForm1::WallpaperButtonClick);
  connect(XMB_HScroll, &QScrollBar::valueChanged, this, &TForm1::XMB_HScrollChange);
  connect(XMB_VScroll, &QScrollBar::valueChanged, this, &TForm1::XMB_VScrollChange);
  connect(JPNRadio, &QRadioButton::clicked, this, &TForm1::JPNRadioClick);
  connect(ENGRadio, &QRadioButton::clicked, this, &TForm1::ENGRadioClick);
  connect(NoShowCheck, &QCheckBox::clicked, this, &TForm1::NoShowCheckClick);
  connect(NoUMDCheck, &QCheckBox::clicked, this, &TForm1::NoUMDCheckClick);
}

void TForm1::SetNothingLoadedState() {
  for (QWidget* w :
       std::initializer_list<QWidget*>{ShowFileButton, WallpaperButton, NoShowCheck, NoUMDCheck, AboutButton}) {
    w->setEnabled(true);
  }
  for (QWidget* w : std::initializer_list<QWidget*>{ShowIconDataButton, ShowTextDataButton, ShowColorButton,
                                                    ShowCateButton, PositioningButton, SaveButton, XMB_HScroll,
                                                    XMB_VScroll, JPNRadio, ENGRadio, CompCheck}) {
    w->setEnabled(false);
  }
  FocusedLabel->hide();
  for (QWidget* child : Panel1->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (child != Wallpaper) child->hide();
  }
}

void TForm1::EnterLoadedState() {
  for (QWidget* w :
       std::initializer_list<QWidget*>{ShowIconDataButton, ShowTextDataButton, ShowColorButton, ShowCateButton,
                                       SaveButton, PositioningButton, XMB_HScroll, XMB_VScroll, JPNRadio, ENGRadio}) {
    w->setEnabled(true);
  }
  // 3.95 modules are always written uncompressed, so the option means nothing there.
  CompCheck->setEnabled(model.FirmwareVersion != 395);
}

void TForm1::ToggleWindow(QWidget* window, QPushButton* button, const char* showCaption, const char* hideCaption) {
  if (window == nullptr) return;
  // The window's own visibility decides, not the caption: other routines show and
  // hide these windows too.
  if (window->isVisible()) {
    button->setText(showCaption);
    window->hide();
  } else {
    button->setText(hideCaption);
    window->show();
  }
}

void TForm1::ShowFileButtonClick() {
  ToggleWindow(desktop.forms.Form5, ShowFileButton, "Show File Window", "Hide File Window");
}
void TForm1::ShowIconDataButtonClick() {
  ToggleWindow(desktop.forms.Form2, ShowIconDataButton, "Show Icon Data", "Hide Icon Data");
}
void TForm1::ShowTextDataButtonClick() {
  ToggleWindow(desktop.forms.Form7, ShowTextDataButton, "Show Text Data", "Hide Text Data");
}
void TForm1::ShowColorButtonClick() { ToggleWindow(desktop.forms.Form3, ShowColorButton, "Show Color", "Hide Color"); }
void TForm1::ShowCateButtonClick() {
  ToggleWindow(desktop.forms.Form4, ShowCateButton, "Show Category", "Hide Category");
}
void TForm1::PositioningButtonClick() {
  ToggleWindow(desktop.forms.Form6, PositioningButton, "Show Positioning", "Hide Positioning");
}

void TForm1::AboutButtonClick() {
  // A fresh dialog for every click, gone when it closes.
  TForm8 about(desktop, this);
  about.exec();
  desktop.forms.Form8 = nullptr;
}

void TForm1::SaveButtonClick() {
  const std::vector<qorvi::Failure> messages = qorvi::SaveAll(model, CompCheck->isChecked());
  for (const qorvi::Failure& m : messages) {
    qorvi::app::ShowMessageBox(this, QString::fromUtf8(qorvi::MessageText(m.code)));
  }
  qorvi::app::ShowMessageBox(this, QString::fromUtf8(qorvi::kDoneText));
}

void TForm1::DeleteIconBitmaps() {
  const qorvi::Paths& p = model.paths;
  for (const std::string& path : p.MainIconPath) qorvi::RemoveFileIfPresent(path);
  for (const std::string& path : p.SubIconPath) qorvi::RemoveFileIfPresent(path);
  qorvi::RemoveFileIfPresent(p.BatteryIconPath);
  qorvi::RemoveFileIfPresent(p.BusyIconPath);
}

void TForm1::closeEvent(QCloseEvent* event) {
  // Closing the main window ends the program, whatever else is open.
  QWidget::closeEvent(event);
  if (event->isAccepted()) QCoreApplication::quit();
}

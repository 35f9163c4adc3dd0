// The preview of the system menu inside Panel1 (being written).
#include <QLabel>

#include "app/main_window.h"
#include "app/picture_box.h"
#include "windows/window_frame.h"

using qorvi::app::PictureBox;

void TForm1::CreatePreview() {
  auto picture = [&](const char* name, int w, int h) {
    auto* p = new PictureBox(Panel1);
    p->setObjectName(name);
    p->resize(w, h);
    return p;
  };
  auto label = [&](const char* name, int pixels, QColor color) {
    auto* l = new QLabel(Panel1);
    l->setObjectName(name);
    l->setFont(qorvi::app::PreviewFont(pixels));
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, color);
    l->setPalette(pal);
    l->setAttribute(Qt::WA_TranslucentBackground);
    return l;
  };
  Wallpaper = picture("Wallpaper", 480, 272);
  Wallpaper->move(16, 16);
  BatteryIcon = picture("BatteryIcon", 44, 16);
  Clock = label("Clock", 13, Qt::white);
  MainMenutext = label("MainMenutext", 11, Qt::white);
  MainIcon1 = picture("MainIcon1", 57, 57);
  MainIcon2 = picture("MainIcon2", 57, 57);
  MainIcon3 = picture("MainIcon3", 57, 57);
  MainIcon4 = picture("MainIcon4", 57, 57);
  MainIcon5 = picture("MainIcon5", 57, 57);
  MainIcon6 = picture("MainIcon6", 57, 57);
  MainIcon7 = picture("MainIcon7", 57, 57);
  SubIcon1 = picture("SubIcon1", 57, 57);
  SubIcon0 = picture("SubIcon0", 57, 57);
  SubIcon2 = picture("SubIcon2", 57, 57);
  SubIcon3 = picture("SubIcon3", 57, 57);
  BusyIcon = picture("BusyIcon", 25, 25);
  SubMenuText1 = label("SubMenuText1", 13, Qt::white);
  SubMenuText0 = label("SubMenuText0", 13, QColor(192, 192, 192));
  SubMenuText2 = label("SubMenuText2", 13, QColor(192, 192, 192));
  SubMenuText3 = label("SubMenuText3", 13, QColor(192, 192, 192));
  SubIcon4 = picture("SubIcon4", 57, 57);
  SubIcon5 = picture("SubIcon5", 57, 57);
  SubMenuText4 = label("SubMenuText4", 13, QColor(192, 192, 192));
  SubMenuText5 = label("SubMenuText5", 13, QColor(192, 192, 192));
  MainIcon8 = picture("MainIcon8", 57, 57);
}

void TForm1::RefreshAll() {}
void TForm1::LoadMainIconImages() {}
void TForm1::LoadSubIconImages() {}
void TForm1::UpdateMenuTexts() {}
void TForm1::PlaceMainIcons(int) {}
void TForm1::PlaceSubIcons() {}
void TForm1::PlaceSubMenuTexts() {}
void TForm1::PlaceMainMenuText() {}
void TForm1::PlaceBatteryIcon() {}
void TForm1::PlaceBusyIcon() {}
void TForm1::UpdateClock() {}
void TForm1::ShowVersion() {}
void TForm1::LoadScaledIcon(PictureBox*, const std::string&, float) {}
void TForm1::LoadStripImage(PictureBox*, const std::string&, int, int) {}
void TForm1::DrawIconFrame(PictureBox*) {}

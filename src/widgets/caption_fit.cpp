// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/caption_fit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QVariant>
#include <algorithm>
#include <functional>

namespace qorvi::widgets {
namespace {

// Below this a caption is no longer readable; the main window's option boxes
// stop at the same size.
constexpr int kSmallestPixels = 8;
// Where the font a control had before its first fit is kept.
constexpr const char* kOwnFont = "qorviCaptionFont";

int Pixels(const QFont& font) { return font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize(); }

// The widest column header's excess over its section; the header draws the
// current column in bold, so that is what is measured.
int HeaderExcess(const QHeaderView& header) {
  if (header.model() == nullptr) return 0;
  const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
  QFont bold = header.font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  int excess = 0;
  for (int section = 0; section < header.count(); ++section) {
    const QString text = header.model()->headerData(section, header.orientation()).toString();
    excess = std::max(excess, metrics.horizontalAdvance(text) - (header.sectionSize(section) - 2 * margin));
  }
  return excess;
}

// How far the control's caption runs over its room (0 or less: it fits), in its
// current font; empty for a control without a caption of one line.
std::function<int()> Excess(const QWidget* w) {
  if (const auto* label = qobject_cast<const QLabel*>(w)) {
    if (label->wordWrap() || label->text().isEmpty() || label->textFormat() == Qt::RichText) return {};
    return [label] {
      const int indent = std::max(label->indent(), 0);
      return label->fontMetrics().horizontalAdvance(label->text()) -
             (label->contentsRect().width() - indent - 2 * label->margin());
    };
  }
  if (qobject_cast<const QCheckBox*>(w) != nullptr || qobject_cast<const QRadioButton*>(w) != nullptr) {
    const auto* button = static_cast<const QAbstractButton*>(w);
    if (button->text().isEmpty()) return {};
    return [button] { return button->sizeHint().width() - button->width(); };
  }
  if (const auto* push = qobject_cast<const QPushButton*>(w)) {
    if (push->text().isEmpty()) return {};
    return [push] { return push->fontMetrics().horizontalAdvance(push->text()) - ButtonRoom(*push); };
  }
  if (const auto* box = qobject_cast<const QGroupBox*>(w)) {
    if (box->title().isEmpty()) return {};
    return [box] { return box->fontMetrics().horizontalAdvance(box->title()) - GroupTitleRoom(*box); };
  }
  if (const auto* header = qobject_cast<const QHeaderView*>(w)) {
    if (header->orientation() != Qt::Horizontal) return {};
    return [header] { return HeaderExcess(*header); };
  }
  return {};
}

void Fit(QWidget* w) {
  const std::function<int()> excess = Excess(w);
  if (!excess) return;
  // Back to the control's own font first: a shorter caption may fit in it again.
  const QVariant own = w->property(kOwnFont);
  if (own.isValid()) w->setFont(own.value<QFont>());
  if (excess() <= 0) return;
  if (!own.isValid()) w->setProperty(kOwnFont, w->font());
  QFont font = w->font();
  for (int pixels = Pixels(font) - 1; pixels >= kSmallestPixels && excess() > 0; --pixels) {
    font.setPixelSize(pixels);
    w->setFont(font);
  }
}

}  // namespace

int ButtonRoom(const QPushButton& button) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  return button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button).width();
}

int GroupTitleRoom(const QGroupBox& box) {
  QStyleOptionGroupBox option;
  option.initFrom(&box);
  option.text = box.title();
  option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
  option.lineWidth = 1;
  const QRect label = box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
  return box.width() - std::max(label.left(), 0);
}

void FitCaptions(QWidget& window, const QWidget* except) {
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (except == nullptr || (w != except && !except->isAncestorOf(w))) Fit(w);
  }
}

}  // namespace qorvi::widgets

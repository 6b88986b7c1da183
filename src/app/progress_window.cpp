#include "app/progress_window.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>
#include <climits>

#include "app/animation_widget.h"

namespace zq {

namespace {
// The window's layout in dialog units (238 x 129), shown at 1.5 x 1.625 pixels per unit.
QRect Units(int x, int y, int width, int height) {
  return QRect(x * 3 / 2, y * 13 / 8, width * 3 / 2, height * 13 / 8);
}
}  // namespace

ProgressWindow::ProgressWindow(QWidget* parent) : QDialog(parent) {
  setModal(false);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  QFont small("Verdana");
  small.setPointSize(8);
  setFont(small);
  setFixedSize(Units(0, 0, 238, 129).size());

  animation_ = new AnimationWidget(this);
  animation_->setGeometry(Units(26, 15, 169, 45));
  line_ = new QLabel("Static", this);
  line_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  bar_ = new QProgressBar(this);
  bar_->setGeometry(Units(21, 83, 184, 13));
  bar_->setTextVisible(false);
  bar_->setRange(0, 0);
  bar_->setValue(0);
  bar_->setRange(0, 100);
  counter_ = new QLabel("0 / 0 Bytes", this);
  counter_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  FitLabel(line_, Units(21, 68, 204, 8), line_->text(), false);
  FitLabel(counter_, Units(129, 105, 87, 10), counter_->text(), true);
  for (QWidget* child : {static_cast<QWidget*>(animation_), static_cast<QWidget*>(line_),
                         static_cast<QWidget*>(bar_), static_cast<QWidget*>(counter_)}) {
    child->installEventFilter(this);
  }
}

void ProgressWindow::BelongTo(QWidget* window) {
  // A dialog with a parent is transient for it: the window manager keeps it
  // above the main window, and a click there no longer hides it.
  const bool shown = isVisible();
  setParent(window, windowFlags());
  if (shown) {
    show();
  }
}

bool ProgressWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint) {
    ++paints_;
  }
  return QDialog::eventFilter(watched, event);
}

void ProgressWindow::FitLabel(QLabel* label, const QRect& place, const QString& widest,
                              bool growLeft) {
  // As tall as the font's lines and as wide as the widest text it will show,
  // never narrower than its place; the counter grows to the left (it is
  // right-aligned), the line to the right. The window widens when a text
  // needs more room than it has between its margins.
  const int margin = Units(21, 0, 0, 0).left();
  const QFontMetrics metrics(label->font());
  const int height = std::max(place.height(), metrics.height());
  const int width = std::max(place.width(), metrics.horizontalAdvance(widest) + 4);
  int left = place.left();
  if (growLeft) {
    left = place.right() + 1 - width;
    if (left < margin) {
      // Wider to the right: the counter keeps its distance from the right edge.
      setFixedWidth(this->width() + margin - left);
      left = margin;
    }
  } else if (left + width + margin > this->width()) {
    setFixedWidth(left + width + margin);
  }
  const int top = place.center().y() - height / 2;
  label->setGeometry(left, top, width, height);
}

void ProgressWindow::SetLine(const QString& text) {
  line_->setText(text);
  FitLabel(line_, Units(21, 68, 204, 8), text, false);
}

void ProgressWindow::SetByteCounter(const QString& text) {
  counter_->setText(text);
  if (QFontMetrics(counter_->font()).horizontalAdvance(text) + 4 > counter_->width()) {
    FitLabel(counter_, counter_->geometry(), text, true);
  }
}

void ProgressWindow::SetRange(std::uint32_t maximum) {
  // A range of 0 to 0 is Qt's busy indicator; a file of 0 bytes is whole as
  // soon as it starts, so its bar is shown full.
  empty_ = maximum == 0;
  if (empty_) {
    bar_->setRange(0, 1);
    bar_->setValue(1);
    return;
  }
  // Room for the transfer's largest count from its start: the counter
  // never cuts digits off, and does not jump while the count grows.
  const QString largest = QString("%1 / %1 Bytes").arg(maximum);
  if (QFontMetrics(counter_->font()).horizontalAdvance(largest) + 4 > counter_->width()) {
    FitLabel(counter_, counter_->geometry(), largest, true);
  }
  shift_ = 0;
  while ((maximum >> shift_) > static_cast<std::uint32_t>(INT_MAX)) {
    ++shift_;
  }
  bar_->setRange(0, static_cast<int>(maximum >> shift_));
}

void ProgressWindow::SetPosition(std::uint32_t position) {
  bar_->setValue(empty_ ? 1 : static_cast<int>(position >> shift_));
}

void ProgressWindow::SetAnimation(int kind) {
  animation_->SetKind(kind);
}

QString ProgressWindow::Line() const {
  return line_->text();
}
QString ProgressWindow::ByteCounter() const {
  return counter_->text();
}
int ProgressWindow::BarValue() const {
  return bar_->value();
}
int ProgressWindow::BarMaximum() const {
  return bar_->maximum();
}
int ProgressWindow::AnimationKind() const {
  return animation_->Kind();
}

}  // namespace zq

#include "app/progress_window.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
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
  line_->setGeometry(Units(21, 68, 204, 8).adjusted(0, -2, 0, 2));
  line_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  bar_ = new QProgressBar(this);
  bar_->setGeometry(Units(21, 83, 184, 13));
  bar_->setTextVisible(false);
  bar_->setRange(0, 0);
  bar_->setValue(0);
  bar_->setRange(0, 100);
  counter_ = new QLabel("0 / 0 Bytes", this);
  counter_->setGeometry(Units(129, 105, 87, 10));
  counter_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  for (QWidget* child : {static_cast<QWidget*>(animation_), static_cast<QWidget*>(line_),
                         static_cast<QWidget*>(bar_), static_cast<QWidget*>(counter_)}) {
    child->installEventFilter(this);
  }
}

bool ProgressWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint) {
    ++paints_;
  }
  return QDialog::eventFilter(watched, event);
}

void ProgressWindow::SetLine(const QString& text) {
  line_->setText(text);
}
void ProgressWindow::SetByteCounter(const QString& text) {
  counter_->setText(text);
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

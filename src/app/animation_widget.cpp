#include "app/animation_widget.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace zq {

AnimationWidget::AnimationWidget(QWidget* parent) : QWidget(parent) {
  timer_.setInterval(60);
  connect(&timer_, &QTimer::timeout, this, [this] {
    frame_ = (frame_ + 1) % kFrames;
    update();
  });
}

void AnimationWidget::SetKind(int kind) {
  kind_ = (kind >= 0 && kind <= 3) ? kind : -1;
  frame_ = 0;
  if (kind_ < 0) {
    timer_.stop();
  } else {
    timer_.start();
  }
  update();
}

void AnimationWidget::PaintFolder(QPainter& painter, QRectF box) const {
  painter.setPen(QPen(QColor(0x8a, 0x65, 0x00), 1.2));
  painter.setBrush(QColor(0xe0, 0xa8, 0x00));
  QPainterPath tab;
  tab.moveTo(box.left(), box.top());
  tab.lineTo(box.left() + box.width() * 0.35, box.top());
  tab.lineTo(box.left() + box.width() * 0.45, box.top() + box.height() * 0.15);
  tab.lineTo(box.right(), box.top() + box.height() * 0.15);
  tab.lineTo(box.right(), box.bottom());
  tab.lineTo(box.left(), box.bottom());
  tab.closeSubpath();
  painter.drawPath(tab);
  painter.setBrush(QColor(0xf7, 0xc9, 0x48));
  painter.drawRect(
      QRectF(box.left(), box.top() + box.height() * 0.3, box.width(), box.height() * 0.7));
}

void AnimationWidget::PaintBin(QPainter& painter, QRectF box) const {
  painter.setPen(QPen(QColor(0x3a, 0x4a, 0x5c), 1.5));
  painter.setBrush(QColor(0xb8, 0xc4, 0xd2));
  QPolygonF body;
  body << QPointF(box.left() + box.width() * 0.1, box.top() + box.height() * 0.2)
       << QPointF(box.right() - box.width() * 0.1, box.top() + box.height() * 0.2)
       << QPointF(box.right() - box.width() * 0.2, box.bottom())
       << QPointF(box.left() + box.width() * 0.2, box.bottom());
  painter.drawPolygon(body);
  painter.drawRect(
      QRectF(box.left(), box.top() + box.height() * 0.08, box.width(), box.height() * 0.12));
  for (int i = 1; i <= 3; ++i) {
    const double x = box.left() + box.width() * (0.2 + 0.15 * i);
    painter.drawLine(QPointF(x, box.top() + box.height() * 0.35),
                     QPointF(x, box.bottom() - box.height() * 0.1));
  }
}

void AnimationWidget::PaintSheet(QPainter& painter, QPointF centre) const {
  const QRectF sheet(centre.x() - 9, centre.y() - 12, 18, 24);
  painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
  painter.setBrush(Qt::white);
  painter.drawRect(sheet);
  for (int line = 0; line < 4; ++line) {
    const double y = sheet.top() + 6 + line * 4;
    painter.drawLine(QPointF(sheet.left() + 3, y), QPointF(sheet.right() - 3, y));
  }
}

void AnimationWidget::paintEvent(QPaintEvent*) {
  if (kind_ < 0) {
    return;
  }
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF area = rect();
  const double size = std::min(area.height() * 0.8, area.width() * 0.25);
  const QRectF left(area.left() + area.width() * 0.08, area.center().y() - size / 2, size,
                    size * 0.8);
  const QRectF right(area.right() - area.width() * 0.08 - size, area.center().y() - size / 2, size,
                     size * 0.8);
  const bool removing = kind_ == 0 || kind_ == 2;
  PaintFolder(painter, left);
  if (removing) {
    PaintBin(painter, right);
  } else {
    PaintFolder(painter, right);
  }
  // The sheet flies on an arc from the left picture to the right one.
  const double t = static_cast<double>(frame_) / (kFrames - 1);
  const QPointF from(left.center().x(), left.top() + size * 0.2);
  const QPointF to(right.center().x(), right.top() + size * 0.2);
  const double lift = area.height() * 0.35 * std::sin(t * 3.14159265358979);
  PaintSheet(painter, QPointF(from.x() + (to.x() - from.x()) * t,
                              from.y() + (to.y() - from.y()) * t - lift));
}

}  // namespace zq

#include "app/screen_fit.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace zq {

namespace {

// The frame a window manager adds, until the window has its own: a title
// bar and thin borders.
constexpr QMargins kFrameAllowance(8, 32, 8, 8);

QMargins LargerOf(const QMargins& a, const QMargins& b) {
  return {std::max(a.left(), b.left()), std::max(a.top(), b.top()), std::max(a.right(), b.right()),
          std::max(a.bottom(), b.bottom())};
}

}  // namespace

QRect FitIntoArea(const QPoint& topLeft, const QSize& size, const QSize& minimum,
                  const QMargins& frame, const QRect& area) {
  const QSize room = area.marginsRemoved(frame).size();
  const QSize fitted(std::max(std::min(size.width(), room.width()), minimum.width()),
                     std::max(std::min(size.height(), room.height()), minimum.height()));
  QRect outer(topLeft - QPoint(frame.left(), frame.top()), fitted.grownBy(frame));
  outer.moveLeft(std::max(area.left(), std::min(outer.left(), area.right() + 1 - outer.width())));
  outer.moveTop(std::max(area.top(), std::min(outer.top(), area.bottom() + 1 - outer.height())));
  return outer.marginsRemoved(frame);
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Show || event->spontaneous() || !watched->isWidgetType()) {
    return QObject::eventFilter(watched, event);
  }
  auto* widget = static_cast<QWidget*>(watched);
  const Qt::WindowType type = widget->windowType();
  if (!widget->isWindow() || (type != Qt::Window && type != Qt::Dialog)) {
    return QObject::eventFilter(watched, event);  // menus, tool tips, pop-ups: Qt places them
  }
  QScreen* screen = widget->screen();
  if (screen == nullptr) {
    return QObject::eventFilter(watched, event);
  }
  const QWindow* window = widget->windowHandle();
  const QMargins frame =
      LargerOf(window != nullptr ? window->frameMargins() : QMargins(), kFrameAllowance);
  const QRect area = screen->availableGeometry();
  const QRect now = widget->geometry();
  const QRect fitted = FitIntoArea(now.topLeft(), now.size(), widget->minimumSize(), frame, area);
  if (fitted.size() != now.size()) {
    widget->resize(fitted.size());
  }
  // A window the window manager places (never moved by the program) only
  // needs its size; one placed by the program is moved in from the edges.
  if (widget->testAttribute(Qt::WA_Moved) && fitted.topLeft() != now.topLeft()) {
    widget->move(widget->pos() + (fitted.topLeft() - now.topLeft()));
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace zq

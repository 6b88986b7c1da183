#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>

namespace zq {

// Where a window of `size` (its client area) with a frame of `frame` goes
// inside `area` (a screen's available area): as large as it asked, but no
// larger than the area and no smaller than `minimum`, and moved in from an
// edge it crosses. `topLeft` is the client area's wished position.
QRect FitIntoArea(const QPoint& topLeft, const QSize& size, const QSize& minimum,
                  const QMargins& frame, const QRect& area);

// Keeps every top-level window of the program inside its screen's available
// area when it opens: with a large scale factor a window's own size can be
// larger than the screen, which would put its buttons out of reach.
// Installed on the application, it acts each time a window is shown.
class ScreenFit : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zq

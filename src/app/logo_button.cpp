#include "app/logo_button.h"

#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolBar>

#include "views/view_icons.h"

namespace zq {

namespace {
// The status text and tool tip of the logo: the part before the first line
// break goes to the status bar, the rest (here none) to the tool tip.
constexpr const char* kLogoString = "ZQ61";
}  // namespace

CLogoButton::CLogoButton(QMainWindow* frame) : QAbstractButton(frame), frame_(frame) {
  EnsureProgramResources();
  logo_.load(QStringLiteral(":/zq61/logo.svg"));
  setFixedSize(kWidth, kHeight);
  setMouseTracking(true);
  setCursor(Qt::PointingHandCursor);
  const QString text = kLogoString;
  const auto lineBreak = text.indexOf('\n');
  setToolTip(lineBreak < 0 ? text : text.mid(lineBreak + 1));
  connect(this, &QAbstractButton::clicked, this, [this] { emit OnLogoClick(0, 0); });
  timer_.setInterval(100);
  connect(&timer_, &QTimer::timeout, this, &CLogoButton::Reposition);
  timer_.start();
  // Placed before the first paint, and at once when the row changes size;
  // the timer still catches what moves the bars otherwise.
  frame_->installEventFilter(this);
}

bool CLogoButton::eventFilter(QObject* watched, QEvent* event) {
  if (watched == frame_) {
    if (event->type() == QEvent::Show) {
      Reposition();  // the frame's layout is already in place
    } else if (event->type() == QEvent::Resize) {
      // The bars take their new places after this event.
      QMetaObject::invokeMethod(this, &CLogoButton::Reposition, Qt::QueuedConnection);
    }
  }
  return QAbstractButton::eventFilter(watched, event);
}

void CLogoButton::Reposition() {
  QRect bars;
  int rowTop = -1;
  for (QToolBar* bar : frame_->findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (frame_->toolBarArea(bar) != Qt::TopToolBarArea || !bar->isVisible()) {
      continue;
    }
    rowTop = rowTop < 0 ? bar->y() : std::min(rowTop, bar->y());
    // A toolbar spans the whole row; what counts is where its buttons end.
    QRect used = bar->childrenRect();
    for (QAction* action : bar->actions()) {
      if (QWidget* button = bar->widgetForAction(action); button != nullptr) {
        used = used.isNull() ? button->geometry() : used.united(button->geometry());
      }
    }
    bars = bars.united(used.translated(bar->pos()));
  }
  if (rowTop < 0) {
    hide();
    return;
  }
  const int edge = style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
  const QPoint place(frame_->width() - (width() + edge), rowTop);
  if (pos() != place) {
    move(place);
  }
  const bool overlaps = bars.intersects(geometry());
  if (overlaps && isVisible()) {
    hide();
  } else if (!overlaps && !isVisible()) {
    show();
    raise();
  }
}

void CLogoButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  logo_.render(&painter, QRectF(rect()));
  if (isDown()) {
    painter.fillRect(rect(), QColor(0, 0, 0, 40));
  }
}

void CLogoButton::enterEvent(QEnterEvent* event) {
  QAbstractButton::enterEvent(event);
  emit statusText(QString(kLogoString).section('\n', 0, 0));
}

void CLogoButton::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() == Qt::NoButton) {
    emit statusText(QString(kLogoString).section('\n', 0, 0));
  }
  QAbstractButton::mouseMoveEvent(event);
}

void CLogoButton::leaveEvent(QEvent* event) {
  QAbstractButton::leaveEvent(event);
  emit statusText(QString());
}

}  // namespace zq

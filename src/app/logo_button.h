#pragma once

#include <QAbstractButton>
#include <QSvgRenderer>
#include <QTimer>

class QMainWindow;

namespace zq {

// The logo at the right end of the toolbar row. Every 100 ms it moves to the
// row's right end and hides while a toolbar's buttons reach under it. Over
// it the status bar says "ZQ61"; a click sends "OnLogoClick", to which no
// window of the program reacts.
class CLogoButton : public QAbstractButton {
  Q_OBJECT

 public:
  static constexpr int kWidth = 200;
  static constexpr int kHeight = 40;

  explicit CLogoButton(QMainWindow* frame);

  // One tick of the timer: place, then hide or show.
  void Reposition();

 signals:
  void OnLogoClick(int wParam, int lParam);
  void statusText(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QMainWindow* frame_;
  QSvgRenderer logo_;
  QTimer timer_;
};

}  // namespace zq

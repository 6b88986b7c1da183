#pragma once

#include <QTimer>
#include <QWidget>

class QPainter;

namespace zq {

// The progress window's looping picture, painted here: a sheet flying from
// one folder to another (transfers, new folders) or into a bin (removal,
// format). Kinds 0 to 3 as the device operations give them; any other kind
// shows nothing.
class AnimationWidget : public QWidget {
  Q_OBJECT

 public:
  explicit AnimationWidget(QWidget* parent = nullptr);

  void SetKind(int kind);
  int Kind() const { return kind_; }
  int Frame() const { return frame_; }
  static constexpr int kFrames = 24;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void PaintFolder(QPainter& painter, QRectF box) const;
  void PaintBin(QPainter& painter, QRectF box) const;
  void PaintSheet(QPainter& painter, QPointF centre) const;

  QTimer timer_;
  int kind_ = -1;
  int frame_ = 0;
};

}  // namespace zq

#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QProgressBar;

namespace zq {

class AnimationWidget;

// The one modeless progress window of the device operations: a looping
// animation, the operation line, a progress bar and the byte counter. It is
// created hidden at start-up and has no cancel control. It belongs to the
// main window once that exists (BelongTo), so it stays above it.
class ProgressWindow : public QDialog {
  Q_OBJECT

 public:
  explicit ProgressWindow(QWidget* parent = nullptr);

  // Makes the window a dialog of `window`: kept above it while shown.
  void BelongTo(QWidget* window);

  void SetLine(const QString& text);
  void SetByteCounter(const QString& text);
  void SetRange(std::uint32_t maximum);
  void SetPosition(std::uint32_t position);
  void SetAnimation(int kind);

  QString Line() const;
  // The labels, for the tests that check a text fits.
  const QLabel* LineLabel() const { return line_; }
  const QLabel* CounterLabel() const { return counter_; }
  QString ByteCounter() const;
  int BarValue() const;
  int BarMaximum() const;
  int AnimationKind() const;
  // How many times the window's controls were painted (for the tests that
  // check it is seen moving during a transfer).
  int PaintCount() const { return paints_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FitLabel(QLabel* label, const QRect& place, const QString& widest, bool growLeft);

  AnimationWidget* animation_;
  QLabel* line_;
  QProgressBar* bar_;
  QLabel* counter_;
  // QProgressBar counts in int: sizes past its range are shown in coarser steps.
  int shift_ = 0;
  bool empty_ = false;  // the range is 0 bytes: the bar stays full
  int paints_ = 0;
};

}  // namespace zq

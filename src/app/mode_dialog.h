#pragma once

#include <QDialog>

#include "app/rules/mode_flag.h"

class QPushButton;
class QRadioButton;

namespace zq {

// "Configure mode": ZQ mode or normal mode. Enter acts as "OK"; Escape and
// the close box do nothing, only "Cancel" closes without a change.
class ModeDialog : public QDialog {
  Q_OBJECT

 public:
  ModeDialog(ModeFlag& flag, QWidget* parent = nullptr);

  QRadioButton* ZqModeButton() const { return zqMode_; }
  QRadioButton* NormalModeButton() const { return normalMode_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  int Selection() const { return selection_.Selection(); }

  void reject() override {}

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OnOk();

  ModeFlag& flag_;
  ModeSelection selection_;
  QRadioButton* zqMode_;
  QRadioButton* normalMode_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace zq

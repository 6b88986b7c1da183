#include "app/mode_dialog.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialog_frame.h"

namespace zq {

ModeDialog::ModeDialog(ModeFlag& flag, QWidget* parent)
    : QDialog(parent), flag_(flag), selection_(flag) {
  setWindowTitle("Configure mode");
  QFont font("Verdana");
  font.setPointSize(10);
  setFont(font);
  zqMode_ = new QRadioButton("ZQ mode", this);
  normalMode_ = new QRadioButton("normal mode", this);
  ok_ = new QPushButton("OK", this);
  cancel_ = new QPushButton("Cancel", this);
  ok_->setDefault(true);
  ok_->setAutoDefault(true);
  cancel_->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(zqMode_);
  layout->addWidget(normalMode_);
  layout->addLayout(buttons);

  UseDialogFrame(this);
  (selection_.Selection() != 0 ? zqMode_ : normalMode_)->setChecked(true);
  connect(zqMode_, &QRadioButton::clicked, this, [this] { selection_.ChooseZqMode(); });
  connect(normalMode_, &QRadioButton::clicked, this, [this] { selection_.ChooseNormalMode(); });
  connect(ok_, &QPushButton::clicked, this, &ModeDialog::OnOk);
  connect(cancel_, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
}

void ModeDialog::OnOk() {
  selection_.ApplyOk(flag_);
  done(QDialog::Accepted);
}

void ModeDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
}

void ModeDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    OnOk();
    return;
  }
  if (event->key() == Qt::Key_Escape) {
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace zq

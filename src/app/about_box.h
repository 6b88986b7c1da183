#pragma once

#include <QDialog>

namespace zq {

// "ZQ61 PC-Link Host information": the program icon, its name and version, OK.
class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace zq

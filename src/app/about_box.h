#pragma once

#include <QDialog>

namespace zq {

// The copyright line, the licence and the warranty disclaimer under the
// program's name.
inline constexpr const char* kLicenceNotice =
    "Copyright \u00A9 2026 ZQ61 PC-Link developers\n"
    "Licence: GPL-3.0-or-later (GNU General Public License, version 3 or any later "
    "version).\n"
    "This program is free software: you can redistribute it and/or modify it under the "
    "terms of that licence. It comes with ABSOLUTELY NO WARRANTY, to the extent permitted "
    "by law.";

// "ZQ61 PC-Link Host information": the program icon, its name and version, OK,
// and the licence notice.
class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace zq

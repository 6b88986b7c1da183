#include "app/about_box.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/view_icons.h"

namespace zq {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  EnsureProgramResources();
  setWindowTitle("ZQ61 PC-Link Host information");
  auto* icon = new QLabel(this);
  icon->setPixmap(QIcon(":/zq61/icons/zq61.svg").pixmap(32, 32));
  auto* text = new QLabel("ZQ61 PC-Link Host ver.1.3", this);
  auto* ok = new QPushButton("OK", this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* row = new QHBoxLayout;
  row->addWidget(icon);
  row->addWidget(text, 1);
  row->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
}

}  // namespace zq

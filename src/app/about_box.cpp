#include "app/about_box.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialog_frame.h"
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
  // What a program under the GPL tells the person it runs for.
  auto* notice = new QLabel(QString::fromUtf8(kLicenceNotice), this);
  notice->setObjectName("licenceNotice");
  notice->setWordWrap(true);
  notice->setMinimumWidth(notice->fontMetrics().averageCharWidth() * 60);
  notice->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(notice);
  UseDialogFrame(this);
}

}  // namespace zq

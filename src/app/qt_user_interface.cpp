#include "app/qt_user_interface.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "app/dialog_frame.h"
#include "app/progress_window.h"

namespace zq {

namespace {

QString Qs(const std::string& text) {
  return QString::fromStdString(text);
}

// The standard icon of a box: a question's without a named one, else the
// information icon of a plain message.
QMessageBox::Icon BoxIcon(MessageIcon icon, bool question) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Stop:
      return QMessageBox::Critical;
    case MessageIcon::None:
      break;
  }
  return question ? QMessageBox::Question : QMessageBox::Information;
}

// A message box framed as a dialog; `window` owns it when there is one.
class FramedBox : public QMessageBox {
 public:
  FramedBox(Icon icon, const QString& caption, const QString& text, StandardButtons buttons,
            QWidget* window)
      : QMessageBox(icon, caption, text, buttons, window) {
    UseDialogFrame(this);
  }
};

// The folder a file dialog starts in: the one asked for, or its nearest
// existing parent. A folder that does not exist would otherwise be taken
// for a file name and typed into the dialog's name field.
QString StartIn(const std::string& folder) {
  QDir dir(Qs(folder));
  while (!folder.empty() && !dir.exists() && dir.cdUp()) {
  }
  return folder.empty() || !dir.exists() ? QString() : dir.absolutePath();
}

QString Filters(const FileDialogRequest& request) {
  QStringList parts;
  for (const auto& [text, patterns] : request.filters) {
    // The file dialog takes its patterns from the text's last parentheses; a
    // text whose own parentheses differ from the patterns ("(*zpk, *.fpk)")
    // gets the real ones appended.
    QString shown = Qs(text);
    const QString wanted = " (" + Qs(patterns).replace(';', ' ') + ")";
    if (!shown.endsWith(wanted)) {
      shown += wanted;
    }
    parts << shown;
  }
  return parts.join(";;");
}

// While a message box or a question is up the person sees the arrow, not the
// wait cursor of the operation around it, which comes back afterwards.
class ArrowWhileAsking {
 public:
  ArrowWhileAsking() : waiting_(QApplication::overrideCursor() != nullptr) {
    if (waiting_) {
      QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
  }
  ~ArrowWhileAsking() {
    if (waiting_) {
      QApplication::restoreOverrideCursor();
    }
  }
  ArrowWhileAsking(const ArrowWhileAsking&) = delete;
  ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

 private:
  bool waiting_;
};

}  // namespace

void QtUserInterface::ShowMessage(const std::string& text, MessageIcon icon,
                                  const std::string& caption) {
  if (unattended_) {
    return;
  }
  ArrowWhileAsking arrow;
  FramedBox box(BoxIcon(icon, false), Qs(caption), Qs(text), QMessageBox::Ok, window_);
  if (informativeText) {
    box.setInformativeText(Qs(informativeText(text)));
  }
  box.exec();
}

Answer QtUserInterface::Ask(const std::string& text, Buttons buttons, MessageIcon icon,
                            const std::string& caption) {
  if (unattended_) {
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
  }
  QMessageBox::StandardButtons choice = QMessageBox::Ok;
  if (buttons == Buttons::OkCancel) {
    choice = QMessageBox::Ok | QMessageBox::Cancel;
  } else if (buttons == Buttons::YesNo) {
    choice = QMessageBox::Yes | QMessageBox::No;
  }
  ArrowWhileAsking arrow;
  FramedBox box(BoxIcon(icon, true), Qs(caption), Qs(text), choice, window_);
  switch (box.exec()) {
    case QMessageBox::Ok:
      return Answer::Ok;
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

Answer QtUserInterface::AskBeforeDestroying(const std::string& text, const std::string& detail) {
  if (unattended_) {
    return Answer::Ok;
  }
  ArrowWhileAsking arrow;
  FramedBox box(QMessageBox::Warning, Qs(kAppTitle), Qs(text),
                QMessageBox::Ok | QMessageBox::Cancel, window_);
  box.setInformativeText(Qs(detail));
  box.setDefaultButton(QMessageBox::Cancel);
  box.setEscapeButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

void QtUserInterface::Repaint() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtUserInterface::ShowProgress() {
  progress_.show();
  progress_.raise();
  Repaint();
}

void QtUserInterface::HideProgress() {
  progress_.hide();
}

void QtUserInterface::SetProgressCaption(const std::string& text) {
  progress_.setWindowTitle(Qs(text));
  Repaint();
}

void QtUserInterface::SetProgressLine(const std::string& text) {
  progress_.SetLine(Qs(text));
  Repaint();
}

void QtUserInterface::SetByteCounter(const std::string& text) {
  progress_.SetByteCounter(Qs(text));
  Repaint();
}

void QtUserInterface::SetProgressRange(std::uint32_t maximum) {
  progress_.SetRange(maximum);
  Repaint();
}

void QtUserInterface::SetProgressPosition(std::uint32_t position) {
  progress_.SetPosition(position);
  Repaint();
}

void QtUserInterface::SetAnimation(Animation kind) {
  progress_.SetAnimation(static_cast<int>(kind));
  Repaint();
}

void QtUserInterface::BeginWaitCursor() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUserInterface::EndWaitCursor() {
  if (QApplication::overrideCursor() != nullptr) {
    QApplication::restoreOverrideCursor();
  }
}

void QtUserInterface::SetDiskText(const std::string& text) {
  if (diskText) {
    diskText(Qs(text));
  }
}

void QtUserInterface::NavigateTo(const std::string& path) {
  if (navigateTo) {
    navigateTo(path);
  }
}

void QtUserInterface::AddFolderNode(const std::string& consolePath) {
  if (addFolderNode) {
    addFolderNode(consolePath);
  }
}

void QtUserInterface::RemoveFolderNode(const std::string& consolePath) {
  if (removeFolderNode) {
    removeFolderNode(consolePath);
  }
}

std::optional<std::string> QtUserInterface::ChooseOpenFile(const FileDialogRequest& request) {
  ArrowWhileAsking arrow;
  const QString chosen = QFileDialog::getOpenFileName(
      window_, Qs(request.title), StartIn(request.startFolder), Filters(request));
  if (chosen.isEmpty()) {
    return std::nullopt;
  }
  return chosen.toStdString();
}

std::optional<std::string> QtUserInterface::ChooseSaveFile(const FileDialogRequest& request) {
  ArrowWhileAsking arrow;
  QFileDialog dialog(window_, Qs(request.title), StartIn(request.startFolder), Filters(request));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(Qs(request.defaultExtension));
  if (!request.proposedName.empty()) {
    dialog.selectFile(Qs(request.proposedName));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtUserInterface::ChooseFolder(const std::string& title,
                                                         const std::string& preselected) {
  ArrowWhileAsking arrow;
  const QString chosen =
      QFileDialog::getExistingDirectory(window_, Qs(title), StartIn(preselected));
  if (chosen.isEmpty()) {
    return std::nullopt;
  }
  return chosen.toStdString();
}

}  // namespace zq

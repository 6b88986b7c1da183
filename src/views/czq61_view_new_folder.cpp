// The list's new-folder edit: the "NewDir" row, its editor, and what ending
// the edit creates.
#include <QDir>
#include <QListView>
#include <QTreeView>

#include "operations/name_rules.h"
#include "operations/operation_texts.h"
#include "operations/status_messages.h"
#include "platform/codepage.h"
#include "views/czq61_view.h"
#include "views/list_model.h"
#include "views/name_edit_delegate.h"
#include "views/rules/folder_path.h"
#include "views/rules/selection_rules.h"
#include "views/view_icons.h"

namespace zq {

void CZQ61View::OnNewFolder() {
  if (currentPath_.empty() || newFolderPending_) {
    return;
  }
  RowTexts row{std::string(kNewFolderName), {}, std::string(kFolderType), {}, RowIcon::Folder};
  model_->Append(
      MakeRow(row, QString::fromStdString(row.rawName), ViewIcons::Get().Program(RowIcon::Folder)));
  const int last = model_->rowCount() - 1;
  model_->SetEditableRow(last);
  const QModelIndex name = model_->index(last, 0);
  newFolderRow_ = QPersistentModelIndex(name);
  QAbstractItemView* view = ActiveView();
  view->setFocus();
  view->scrollTo(name);
  view->setCurrentIndex(name);
  newFolderPending_ = true;
  view->edit(name);
}

void CZQ61View::EndNewFolderEdit() {
  for (QAbstractItemView* view :
       {static_cast<QAbstractItemView*>(details_), static_cast<QAbstractItemView*>(icons_)}) {
    if (!newFolderPending_) {
      return;
    }
    if (auto* delegate = dynamic_cast<NameEditDelegate*>(view->itemDelegate())) {
      delegate->EndEdit();
    }
  }
  if (newFolderPending_) {
    OnEditorClosed(false);  // the editor went without closing: end with the row's text
  }
}

void CZQ61View::OnEditorClosed(bool cancelled) {
  if (!newFolderPending_) {
    return;
  }
  newFolderPending_ = false;
  if (!newFolderRow_.isValid()) {
    return;
  }
  // Later edits of any row are refused: rows are not editable.
  model_->SetEditableRow(-1);
  if (cancelled) {
    RemoveNewFolderRow();  // Escape: nothing is created
    return;
  }
  FinishNewFolder(model_->Row(newFolderRow_.row()).name);
}

void CZQ61View::RemoveNewFolderRow() {
  if (newFolderRow_.isValid()) {
    model_->Remove(newFolderRow_.row());
  }
  newFolderRow_ = QPersistentModelIndex();
}

bool CZQ61View::FinishConsoleFolder(const std::string& utf8) {
  // A name the card's FAT cannot store (or with no CP949 form) is refused
  // before anything else: a backslash in it would name another folder.
  const auto name = StorableCardName(utf8);
  if (!name) {
    context_.ui.ShowMessage(NamedError(text::kInvalidCharInFolderName, text::kFolderNameLabel,
                                       Cp949ToUtf8(currentPath_) + utf8));
    return false;
  }
  // Every row but the new one, the parent row included.
  std::vector<std::string> others;
  for (int row = 0; row < model_->rowCount(); ++row) {
    if (row != newFolderRow_.row()) {
      others.push_back(model_->Row(row).rawName);
    }
  }
  const NewFolderVerdict verdict = CheckNewConsoleFolder(*name, others);
  if (verdict == NewFolderVerdict::AlreadyExists) {
    context_.ui.ShowMessage(std::string(kSameFolderMessage), MessageIcon::None,
                            std::string(kErrorCaption));
    return false;
  }
  if (!IsSafeChildName(*name)) {
    context_.ui.ShowMessage(std::string(kCreateFolderFailedMessage), MessageIcon::Stop,
                            std::string(kErrorCaption));
    return false;
  }
  if (verdict == NewFolderVerdict::TooLong) {
    context_.ui.ShowMessage(std::string(kTooLongMessage), MessageIcon::None,
                            std::string(kErrorCaption));
    return false;
  }
  if (verdict == NewFolderVerdict::Empty) {
    return false;
  }
  context_.operations.CreateRemoteFolder(currentPath_ + *name, true);
  return true;
}

void CZQ61View::FinishNewFolder(const QString& text) {
  const std::string utf8 = text.toStdString();
  if (IsConsolePath(currentPath_)) {
    if (!FinishConsoleFolder(utf8)) {
      RemoveNewFolderRow();
      return;
    }
    RefillList();
    return;
  }
  // A name that is empty or holds a separator would create nothing or a
  // folder elsewhere than the one shown.
  if (!IsSafeChildName(utf8) || !QDir().mkdir(QString::fromStdString(currentPath_ + utf8))) {
    context_.ui.ShowMessage(std::string(kCreateFolderFailedMessage), MessageIcon::Stop,
                            std::string(kErrorCaption));
    RemoveNewFolderRow();
    return;
  }
  WaitCursor wait(context_.ui);
  RefillList();
}

}  // namespace zq

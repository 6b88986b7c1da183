#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

namespace zq {

// The list's item delegate, which knows the editor it has open, so that the
// list can end a name edit itself before it removes or moves the row.
class NameEditDelegate : public QStyledItemDelegate {
 public:
  explicit NameEditDelegate(QObject* parent) : QStyledItemDelegate(parent) {
    connect(this, &QAbstractItemDelegate::closeEditor, this, [this](QWidget* editor) {
      if (editor_ == editor) {
        editor_ = nullptr;
      }
    });
  }

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    editor_ = editor;
    return editor;
  }

  // Commits the open editor's text and closes it, as leaving it does.
  void EndEdit() {
    if (QWidget* editor = editor_) {
      emit commitData(editor);
      emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
  }

 private:
  mutable QPointer<QWidget> editor_;
};

}  // namespace zq

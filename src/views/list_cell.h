#pragma once

#include <QStandardItem>
#include <string_view>

#include "views/rules/list_sorter.h"

namespace zq {

// One cell of the file list. It keeps the sort key of its text, made when
// the text is set, so that a sort compares keys only and the model moves
// whole rows in one pass: rows keep their identity, and with it their
// selection and the current row.
class ListCell : public QStandardItem {
 public:
  // `keyText` is the text as UTF-8, when the caller has it at hand.
  ListCell(SortKind kind, const QString& text, std::string_view keyText);

  void setData(const QVariant& value, int role) override;
  bool operator<(const QStandardItem& other) const override;

 private:
  SortKind kind_;
  SortKey key_;
};

}  // namespace zq

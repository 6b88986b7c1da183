#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QString>
#include <string>
#include <vector>

namespace zq {

// One row of the file list: its four texts as shown, its picture and the
// name as the card or the disk holds it.
struct ListRow {
  QString name;
  QString size;
  QString type;
  QString modified;
  QIcon icon;
  std::string rawName;
};

// The file list's rows: a plain vector of rows under a table model, filled
// whole at each refill (one reset: nothing of the last folder's selection
// or current row survives it), reordered in place by a sort (selection and
// current row move with their rows), and one row at a time for the
// new-folder edit, whose row alone is editable.
class ListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  // The column headings; none until the list gets its columns.
  void SetHeadings(const QStringList& headings);

  void Fill(std::vector<ListRow> rows);
  void Append(ListRow row);
  void Remove(int row);
  // Puts the rows in `order` (old row numbers, each once).
  void Reorder(const std::vector<int>& order);
  // The one row whose name can be edited (-1: none).
  void SetEditableRow(int row);

  const ListRow& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }
  const std::vector<ListRow>& Rows() const { return rows_; }
  // A row's text in a column (0 Name, 1 Size, 2 Type, 3 Modified).
  const QString& Text(int row, int column) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  QStringList headings_;
  std::vector<ListRow> rows_;
  int editableRow_ = -1;
};

}  // namespace zq

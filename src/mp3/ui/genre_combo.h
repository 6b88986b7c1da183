#pragma once

#include <QComboBox>

namespace zq {

// The basket's genre drop-down: the genre table's names, none chosen at
// first. Its list opens at a usual height (kVisibleGenres rows) with a scroll
// bar, as a drop-down below the box, whatever the desktop's style would do
// with a long list (some open it over the box at the screen's full height).
class GenreCombo : public QComboBox {
  Q_OBJECT

 public:
  static constexpr int kVisibleGenres = 12;

  explicit GenreCombo(QWidget* parent = nullptr);
};

}  // namespace zq

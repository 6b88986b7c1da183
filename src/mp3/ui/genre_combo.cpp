#include "mp3/ui/genre_combo.h"

#include <QProxyStyle>

#include "mp3/genre_table.h"

namespace zq {

namespace {

// The desktop's style, except that a combo box's list is a drop-down whose
// height follows the box's count of visible items.
class DropDownListStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returned) const override {
    if (hint == QStyle::SH_ComboBox_Popup) {
      return 0;
    }
    return QProxyStyle::styleHint(hint, option, widget, returned);
  }
};

}  // namespace

GenreCombo::GenreCombo(QWidget* parent) : QComboBox(parent) {
  auto* style = new DropDownListStyle;
  style->setParent(this);
  setStyle(style);
  setMaxVisibleItems(kVisibleGenres);
  for (int genre = 0; genre < GenreTable::kCount; ++genre) {
    const std::string_view name = GenreTable::English(genre);
    addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
  }
  setCurrentIndex(-1);
}

}  // namespace zq

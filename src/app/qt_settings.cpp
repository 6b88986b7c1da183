#include "app/qt_settings.h"

namespace zq {

namespace {
QString Key(const std::string& section, const std::string& entry) {
  return QString::fromStdString(section) + '/' + QString::fromStdString(entry);
}
}  // namespace

QtSettings::QtSettings() : settings_("ZQ61 Program", "ZQ61") {}

std::string QtSettings::GetString(const std::string& section, const std::string& entry,
                                  const std::string& fallback) const {
  const QVariant value = settings_.value(Key(section, entry));
  return value.isValid() ? value.toString().toStdString() : fallback;
}

void QtSettings::SetString(const std::string& section, const std::string& entry,
                           const std::string& value) {
  settings_.setValue(Key(section, entry), QString::fromStdString(value));
  settings_.sync();
}

int QtSettings::GetInt(const std::string& section, const std::string& entry, int fallback) const {
  const QVariant value = settings_.value(Key(section, entry));
  bool ok = false;
  const int number = value.toInt(&ok);
  return value.isValid() && ok ? number : fallback;
}

void QtSettings::SetInt(const std::string& section, const std::string& entry, int value) {
  settings_.setValue(Key(section, entry), value);
  settings_.sync();
}

}  // namespace zq

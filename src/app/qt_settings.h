#pragma once

#include <QSettings>

#include "operations/settings.h"

namespace zq {

// The settings kept between runs in QSettings("ZQ61 Program", "ZQ61"): the
// registry key of that name on Windows, an INI file elsewhere. A section is
// a group, an entry a key.
class QtSettings : public Settings {
 public:
  QtSettings();

  std::string GetString(const std::string& section, const std::string& entry,
                        const std::string& fallback = {}) const override;
  void SetString(const std::string& section, const std::string& entry,
                 const std::string& value) override;
  int GetInt(const std::string& section, const std::string& entry, int fallback) const override;
  void SetInt(const std::string& section, const std::string& entry, int value) override;

 private:
  mutable QSettings settings_;
};

}  // namespace zq

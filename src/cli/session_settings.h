#pragma once

#include <map>
#include <string>
#include <utility>

#include "operations/settings.h"

namespace zq::cli {

// The settings of one run of the command-line tool, kept in memory only.
// Every file and folder is named on the command line, so the remembered
// start folders of the window's dialogs have no use here, and a tool that
// scripts call should leave nothing behind besides what it was asked to do.
class SessionSettings : public Settings {
 public:
  std::string GetString(const std::string& section, const std::string& entry,
                        const std::string& fallback = {}) const override;
  void SetString(const std::string& section, const std::string& entry,
                 const std::string& value) override;
  int GetInt(const std::string& section, const std::string& entry, int fallback) const override;
  void SetInt(const std::string& section, const std::string& entry, int value) override;

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

}  // namespace zq::cli

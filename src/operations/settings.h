#pragma once

#include <string>

namespace zq {

// The program's settings, kept between runs: one section per group, one
// entry per value ("PATH"/"ZPK", "version"/"version", "zq Mode"/"flag", ...).
// The window stores them with QSettings; tests keep them in memory.
class Settings {
 public:
  virtual ~Settings() = default;
  virtual std::string GetString(const std::string& section, const std::string& entry,
                                const std::string& fallback = {}) const = 0;
  virtual void SetString(const std::string& section, const std::string& entry,
                         const std::string& value) = 0;
  virtual int GetInt(const std::string& section, const std::string& entry, int fallback) const = 0;
  virtual void SetInt(const std::string& section, const std::string& entry, int value) = 0;
};

}  // namespace zq

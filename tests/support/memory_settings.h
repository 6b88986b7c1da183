#pragma once

#include <exception>
#include <map>
#include <string>
#include <utility>

#include "operations/settings.h"

namespace zq::test {

// Settings kept in memory for tests. Integers and strings share one store,
// as the registry profile does: an entry written as a string and read as an
// integer gives its number, or the fallback when it holds none.
class MemorySettings : public Settings {
 public:
  std::string GetString(const std::string& section, const std::string& entry,
                        const std::string& fallback = {}) const override {
    auto found = values_.find({section, entry});
    return found == values_.end() ? fallback : found->second;
  }
  void SetString(const std::string& section, const std::string& entry,
                 const std::string& value) override {
    values_[{section, entry}] = value;
  }
  int GetInt(const std::string& section, const std::string& entry, int fallback) const override {
    auto found = values_.find({section, entry});
    if (found == values_.end()) {
      return fallback;
    }
    try {
      std::size_t used = 0;
      int value = std::stoi(found->second, &used);
      return used == found->second.size() ? value : fallback;
    } catch (const std::exception&) {
      return fallback;
    }
  }
  void SetInt(const std::string& section, const std::string& entry, int value) override {
    values_[{section, entry}] = std::to_string(value);
  }

  bool Has(const std::string& section, const std::string& entry) const {
    return values_.count({section, entry}) != 0;
  }
  const std::map<std::pair<std::string, std::string>, std::string>& All() const { return values_; }

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

}  // namespace zq::test

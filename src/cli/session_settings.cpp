#include "cli/session_settings.h"

#include <charconv>

namespace zq::cli {

std::string SessionSettings::GetString(const std::string& section, const std::string& entry,
                                       const std::string& fallback) const {
  const auto found = values_.find({section, entry});
  return found == values_.end() ? fallback : found->second;
}

void SessionSettings::SetString(const std::string& section, const std::string& entry,
                                const std::string& value) {
  values_[{section, entry}] = value;
}

int SessionSettings::GetInt(const std::string& section, const std::string& entry,
                            int fallback) const {
  const auto found = values_.find({section, entry});
  if (found == values_.end()) {
    return fallback;
  }
  const std::string& text = found->second;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : fallback;
}

void SessionSettings::SetInt(const std::string& section, const std::string& entry, int value) {
  values_[{section, entry}] = std::to_string(value);
}

}  // namespace zq::cli

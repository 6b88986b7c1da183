#include "operations/name_rules.h"

#include <algorithm>
#include <cstdint>

#include "operations/operation_texts.h"
#include "platform/codepage.h"

namespace zq {

namespace {
constexpr std::size_t kMaxBaseLength = 8;
constexpr std::size_t kExtensionLength = 3;
}  // namespace

bool HoldsCharacterCardCannotStore(std::string_view cp949Name) {
  static constexpr std::string_view kForbidden = "\\/:*?\"<>|";
  return std::any_of(cp949Name.begin(), cp949Name.end(), [](char c) {
    return static_cast<std::uint8_t>(c) < 0x20 || kForbidden.find(c) != std::string_view::npos;
  });
}

std::optional<std::string> StorableCardName(std::string_view pcName) {
  auto cardName = Utf8ToCp949(pcName);
  if (!cardName || HoldsCharacterCardCannotStore(*cardName)) {
    return std::nullopt;
  }
  return cardName;
}

const char* FileNameFault(std::string_view cp949Name) {
  std::size_t lastPeriod = cp949Name.rfind('.');
  std::string_view base = cp949Name.substr(0, lastPeriod);
  std::string_view extension =
      lastPeriod == std::string_view::npos ? std::string_view{} : cp949Name.substr(lastPeriod + 1);
  if (extension.size() != kExtensionLength) {
    return text::kInvalidExtension;
  }
  if (cp949Name.find(' ') != std::string_view::npos) {
    return text::kNoSpaceInName;
  }
  if (base.find('.') != std::string_view::npos) {
    return text::kPeriodInFileName;
  }
  if (base.size() > kMaxBaseLength) {
    return text::kTooLongFileName;
  }
  return nullptr;
}

const char* FolderNameFault(std::string_view cp949Name) {
  if (cp949Name.find(' ') != std::string_view::npos) {
    return text::kNoSpaceInName;
  }
  if (cp949Name.find('.') != std::string_view::npos) {
    return text::kPeriodInFolderName;
  }
  if (cp949Name.size() > kMaxBaseLength) {
    return text::kTooLongFolderName;
  }
  return nullptr;
}

bool BaseNameTooLong(std::string_view cp949Name) {
  return cp949Name.substr(0, cp949Name.find('.')).size() > kMaxBaseLength;
}

}  // namespace zq

#include "operations/name_rules.h"

#include "operations/operation_texts.h"

namespace zq {

namespace {
constexpr std::size_t kMaxBaseLength = 8;
constexpr std::size_t kExtensionLength = 3;
}  // namespace

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

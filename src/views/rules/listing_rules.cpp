#include "views/rules/listing_rules.h"

#include "operations/operation_texts.h"

namespace zq {

std::string ListingFailureMessage(Status status) {
  switch (status) {
    case status::kConsoleFailed:
      return text::kConsoleError;
    case status::kUnformatted:
      return text::kUnformattedSmc;
    case status::kCommError:
      return text::kCommunicationError;
    case status::kTimedOut:
      return text::kTimedOut;
    default:
      return text::kUnknownError;
  }
}

bool IsListableConsoleName(std::string_view rawName) {
  if (rawName.empty() || rawName == "." || rawName == "..") {
    return false;
  }
  return rawName.find_first_of(std::string_view("\\/\0", 3)) == std::string_view::npos;
}

}  // namespace zq

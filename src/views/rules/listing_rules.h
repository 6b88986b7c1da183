#pragma once

#include <string>
#include <string_view>

#include "link/status.h"

namespace zq {

// The one message a failed listing of a console folder shows, in the list
// and in the tree alike.
std::string ListingFailureMessage(Status status);

// Whether a name listed by the console may become a row or a node: names
// that are empty, "." or "..", or hold a separator would make paths that
// point elsewhere than the entry, so they are left out.
bool IsListableConsoleName(std::string_view rawName);

}  // namespace zq

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "mp3/mp3_basket.h"

namespace zq::cli {

// Puts PC files into the basket as the window's ">" does, each from its own
// folder; returns the rows they became, in the order given. A file the
// basket refuses (not .mp3, unreadable) has had its message shown; nullopt
// then.
std::optional<std::vector<std::size_t>> AddToBasket(Mp3Basket& basket,
                                                    const std::vector<std::string>& files);

}  // namespace zq::cli

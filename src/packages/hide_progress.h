#pragma once

#include "operations/user_interface.h"

namespace zq {

// Hides the progress window when an operation returns, whichever way it
// returns, if the caller asked for it.
class HideProgressOnReturn {
 public:
  HideProgressOnReturn(UserInterface& ui, bool hide) : ui_(ui), hide_(hide) {}
  ~HideProgressOnReturn() {
    if (hide_) {
      ui_.HideProgress();
    }
  }
  HideProgressOnReturn(const HideProgressOnReturn&) = delete;
  HideProgressOnReturn& operator=(const HideProgressOnReturn&) = delete;

 private:
  UserInterface& ui_;
  bool hide_;
};

}  // namespace zq

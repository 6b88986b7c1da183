#pragma once

#include <string_view>

#include "operations/settings.h"

namespace zq {

inline constexpr std::string_view kModeSection = "zq Mode";
inline constexpr std::string_view kModeEntry = "flag";

// The frame's mode flag: non-zero is ZQ mode. It is read once, at the frame's
// first activation (default 1), and written back unchanged when the frame
// closes, so a stored 5 stays 5 unless the mode dialog was confirmed.
class ModeFlag {
 public:
  // Reads the flag on the first call only.
  void OnActivate(const Settings& settings);
  void OnClose(Settings& settings) const;

  bool IsZqMode() const { return value_ != 0; }
  int Value() const { return value_; }
  // What the dialog's "OK" sets: 1 for ZQ mode, 0 for normal mode.
  void Confirm(bool zqMode) { value_ = zqMode ? 1 : 0; }
  bool FirstActivation() const { return firstActivation_; }

 private:
  int value_ = 1;
  bool firstActivation_ = true;
};

// After the mode dialog closes, however it closed: the console branch is read
// again only in ZQ mode while the list shows a console folder.
bool RefreshAfterModeDialog(bool zqMode, std::string_view currentPath);

// The mode dialog's selection: 1 while "ZQ mode" is chosen, 0 for "normal mode".
class ModeSelection {
 public:
  explicit ModeSelection(const ModeFlag& flag) : selection_(flag.IsZqMode() ? 1 : 0) {}
  void ChooseZqMode() { selection_ = 1; }
  void ChooseNormalMode() { selection_ = 0; }
  int Selection() const { return selection_; }
  void ApplyOk(ModeFlag& flag) const { flag.Confirm(selection_ != 0); }

 private:
  int selection_;
};

}  // namespace zq

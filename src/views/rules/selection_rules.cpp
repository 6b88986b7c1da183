#include "views/rules/selection_rules.h"

#include "views/rules/folder_path.h"
#include "views/rules/row_texts.h"

namespace zq {

std::vector<std::string> CollectSelection(std::string_view currentPath,
                                          const std::vector<SelectedRow>& rows) {
  std::vector<std::string> paths;
  const char separator = SeparatorOf(currentPath);
  for (const auto& row : rows) {
    if (row.rawName == kParentName) {
      continue;
    }
    std::string path = std::string(currentPath) + row.rawName;
    if (row.isFolder) {
      path += separator;
    }
    paths.push_back(std::move(path));
  }
  return paths;
}

NewFolderVerdict CheckNewConsoleFolder(std::string_view name,
                                       const std::vector<std::string>& otherNames) {
  for (const auto& other : otherNames) {
    if (SameNameIgnoringCase(other, name)) {
      return NewFolderVerdict::AlreadyExists;
    }
  }
  if (name.size() > 8) {
    return NewFolderVerdict::TooLong;
  }
  if (name.empty()) {
    return NewFolderVerdict::Empty;
  }
  return NewFolderVerdict::Create;
}

ContextMenuState ContextMenuFor(bool anySelected, bool zqMode, bool copyListEmpty, int listStyle) {
  ContextMenuState state;
  state.copy = anySelected;
  state.remove = anySelected;
  state.newFolder = !anySelected && !zqMode;
  state.paste = !copyListEmpty;
  state.checkedStyle = listStyle & 3;
  return state;
}

}  // namespace zq

namespace zq {

std::string RemovalDetail(const std::vector<std::string>& names) {
  constexpr std::size_t kShown = 3;
  std::vector<std::string_view> listed;
  for (const std::string& name : names) {
    if (name != "..") {
      listed.push_back(name);
    }
  }
  if (listed.empty()) {
    return "Nothing is selected: nothing will be removed.";
  }
  std::string text =
      listed.size() == 1 ? std::string("1 item") : std::to_string(listed.size()) + " items";
  text += " will be removed: ";
  for (std::size_t i = 0; i < listed.size() && i < kShown; ++i) {
    text += (i == 0 ? "" : ", ");
    text += listed[i];
  }
  if (listed.size() > kShown) {
    text += " and " + std::to_string(listed.size() - kShown) + " more";
  }
  return text;
}

}  // namespace zq

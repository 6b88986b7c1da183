#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mp3/basket_entry.h"
#include "mp3/mp3_status.h"
#include "mp3/pc_folder_browser.h"

namespace zq {

class DeviceOperations;
class Settings;
class UserInterface;
class CMp3File;

// The rules of the MP3 basket: the PC folder it browses, the entries chosen
// for the console, the tag-editing fields of the chosen entry, and the
// operations on them (add, apply, reset, remove, move, send, back up). The
// basket window only shows this model and turns gestures into its calls;
// every message goes through the user interface.
class Mp3Basket {
 public:
  // `programFolder` ends in '/'; `smcFree` is the card's free space given
  // when the window opens; `consoleFolderLabel` is shown above the basket.
  Mp3Basket(UserInterface& ui, Settings& settings, std::string programFolder, std::int64_t smcFree,
            std::string consoleFolderLabel = kDefaultConsoleFolder);

  static constexpr const char* kDefaultConsoleFolder = "zq:\\mp3\\";
  static constexpr const char* kSendFolder = "zq:\\mp3";

  // Opening rules. The label is the browsed folder when it begins with "zq"
  // and its first component is "mp3" (both ignoring case, the component
  // ended by a backslash), else "zq:\mp3\". When the disk query failed the
  // free space is 0: nothing but an empty basket can be sent.
  static std::string ConsoleFolderLabel(std::string_view browsedFolder);
  static std::int64_t FreeSpaceForBasket(bool diskQueryOk, std::uint32_t freeBytes);
  // Where the basket starts when "PATH"/"MP3" is empty: the user's home folder.
  static std::string DefaultPcFolder();

  // PC side.
  PcFolderBrowser& Browser() { return browser_; }
  const PcFolderBrowser& Browser() const { return browser_; }
  // "set this folder as default": the current PC folder becomes "PATH"/"MP3".
  void SetThisFolderAsDefault();

  // Adds the named files of the current PC folder (names as listed, in list
  // order). Anything but .mp3 refuses the whole selection; a file already in
  // the basket is skipped silently; a file that cannot be read is reported
  // and skipped.
  void AddFiles(const std::vector<std::string>& names);

  const std::vector<BasketRow>& Rows() const { return rows_; }
  std::int64_t Total() const { return total_; }
  std::int64_t SmcFree() const { return smcFree_; }
  const std::string& ConsoleFolder() const { return consoleFolderLabel_; }

  // Tag-editing fields: enabled while a row is chosen.
  bool FieldsEnabled() const { return chosen_.has_value(); }
  std::optional<std::size_t> Chosen() const { return chosen_; }
  const FieldValues& Fields() const { return fields_; }

  // Click on a row (nullopt: on empty space, which disables the fields and
  // leaves their values).
  void Choose(std::optional<std::size_t> row);
  // The console name that "copy PC file name" puts into its field (UTF-8);
  // nothing is stored until Apply. Empty when no row is chosen.
  std::string CopyPcFileName() const;
  // Checks the fields the window hands back and stores them into the chosen
  // entry. Returns true when stored.
  bool Apply(const FieldValues& taken);
  // The chosen entry's edited half becomes its initial half again.
  void Reset();
  // Removes a row ("<" or double-click) and empties the fields.
  void Remove(std::size_t row);
  // Drag and drop: the dragged row takes the place of the row it is dropped
  // on (dropped below itself it lands just above the target). The chosen
  // entry follows its row.
  void MoveRow(std::size_t dragged, std::size_t target);

  // Sends every entry to zq:\mp3, bottom row first; true when all were sent.
  bool Send(DeviceOperations& operations);
  // Writes the chosen entry to a PC file picked in a save dialog.
  bool BackUp();

  // "%s\n%s : %s" for a failed read of a PC file; empty for success.
  static std::string ReadFailureText(Mp3Status status, const std::string& path);

 private:
  void Show(const BasketEntry& entry);
  void RefreshRow(BasketRow& row);
  bool ReadTagged(const BasketRow& row, CMp3File& file);
  bool IsListed(const std::string& folder, const std::string& fileName) const;

  UserInterface& ui_;
  Settings& settings_;
  std::string programFolder_;
  std::int64_t smcFree_;
  std::string consoleFolderLabel_;
  PcFolderBrowser browser_;
  std::vector<BasketRow> rows_;
  std::int64_t total_ = 0;
  std::optional<std::size_t> chosen_;
  FieldValues fields_;
};

}  // namespace zq

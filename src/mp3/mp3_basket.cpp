#include "mp3/mp3_basket.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "mp3/basket_names.h"
#include "mp3/genre_table.h"
#include "mp3/mp3_basket_texts.h"
#include "mp3/mp3_file.h"
#include "mp3/tag_text.h"
#include "operations/device_operations.h"
#include "operations/settings.h"
#include "operations/user_interface.h"
#include "platform/codepage.h"

namespace zq {

namespace {

constexpr std::size_t kTextBytes = 30;
constexpr std::size_t kYearBytes = 4;
constexpr const char* kSection = "PATH";
constexpr const char* kMp3Entry = "MP3";
constexpr const char* kBackupEntry = "mp3backup";

std::string WithoutSeparator(const std::string& folder) {
  return folder.empty() || folder.back() != '/' ? folder : folder.substr(0, folder.size() - 1);
}

// A field value as the tag stores it: CP949, cut to its width without
// splitting a character, trailing white space removed.
std::string TagValue(const std::string& screenText, std::size_t width) {
  return TrimTrailingSpace(CutWholeCharacters(ToCp949(screenText), width));
}

std::string ZqFileName(const std::string& consoleName) {
  return consoleName.empty() ? std::string() : consoleName + ".mp3";
}

}  // namespace

Mp3Basket::Mp3Basket(UserInterface& ui, Settings& settings, std::string programFolder,
                     std::int64_t smcFree, std::string consoleFolderLabel)
    : ui_(ui),
      settings_(settings),
      programFolder_(PcFolderBrowser::WithSeparator(std::move(programFolder))),
      smcFree_(smcFree),
      consoleFolderLabel_(std::move(consoleFolderLabel)),
      browser_(DefaultPcFolder()) {
  const std::string stored = settings_.GetString(kSection, kMp3Entry);
  if (!stored.empty()) {
    browser_.SetFolder(stored);
  }
}

std::string Mp3Basket::ConsoleFolderLabel(std::string_view browsedFolder) {
  if (browsedFolder.size() < 2 || !EqualIgnoringCase(browsedFolder.substr(0, 2), "zq")) {
    return kDefaultConsoleFolder;
  }
  const std::size_t first = browsedFolder.find('\\');
  if (first == std::string_view::npos) {
    return kDefaultConsoleFolder;
  }
  const std::size_t second = browsedFolder.find('\\', first + 1);
  if (second == std::string_view::npos ||
      !EqualIgnoringCase(browsedFolder.substr(first + 1, second - first - 1), "mp3")) {
    return kDefaultConsoleFolder;
  }
  return std::string(browsedFolder);
}

std::int64_t Mp3Basket::FreeSpaceForBasket(bool diskQueryOk, std::uint32_t freeBytes) {
  return diskQueryOk ? std::int64_t{freeBytes} : 0;
}

std::string Mp3Basket::DefaultPcFolder() {
  const char* home = std::getenv("HOME");
  return PcFolderBrowser::WithSeparator(home != nullptr && *home != '\0' ? home : "/");
}

void Mp3Basket::SetThisFolderAsDefault() {
  settings_.SetString(kSection, kMp3Entry, browser_.Folder());
}

std::string Mp3Basket::ReadFailureText(Mp3Status status, const std::string& path) {
  std::string words(Mp3StatusWords(status));
  if (status == mp3status::kTooShort) {
    // No words of its own: a file of 2 GiB or more is too large, a shorter
    // one cannot hold audio and a tag.
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    words = !error && size >= (std::uintmax_t{1} << 31) ? Mp3StatusWords(mp3status::kTooLarge)
                                                        : Mp3StatusWords(mp3status::kNoAudio);
  }
  if (words.empty()) {
    return {};
  }
  return words + "\n" + baskettext::kFileNameLabel + " : " + path;
}

bool Mp3Basket::IsListed(const std::string& folder, const std::string& fileName) const {
  const std::string path = WithoutSeparator(folder);
  for (const BasketRow& row : rows_) {
    if (EqualIgnoringCase(row.pcFileName, fileName) && EqualIgnoringCase(row.path, path)) {
      return true;
    }
  }
  return false;
}

void Mp3Basket::AddFiles(const std::vector<std::string>& names) {
  WaitCursor wait(ui_);
  for (const std::string& name : names) {
    if (!HasMp3Extension(name)) {
      ui_.ShowMessage(baskettext::kMp3Only);
      return;
    }
  }
  const std::string folder = browser_.Folder();
  for (const std::string& name : names) {
    if (IsListed(folder, name)) {
      continue;
    }
    const std::string path = folder + name;
    CMp3File file;
    const Mp3Status status = file.ReadMp3(path);
    if (status != mp3status::kOk) {
      ui_.ShowMessage(ReadFailureText(status, path));
      continue;
    }
    BasketRow row;
    BasketEntry& entry = row.entry;
    entry.size = static_cast<std::int64_t>(file.Audio().size()) + 128;
    entry.folder = folder;
    entry.pcBaseName = std::string(BaseNameOf(name));
    TagFields& tag = entry.initial;
    // A base name that the console cannot spell, or that Apply would refuse,
    // counts as missing too: Send would fail part-way on the card.
    const auto consoleName = Utf8ToCp949(entry.pcBaseName);
    if (consoleName && !consoleName->empty() && consoleName->size() <= kConsoleNameBytes &&
        !HasForbiddenNameCharacter(*consoleName)) {
      tag.consoleName = *consoleName;
    } else {
      tag.state |= basketstate::kNoConsoleName;
    }
    if (!file.HasFlag(CMp3File::kId3v1Flag)) {
      tag.state |= basketstate::kNoTag;
    }
    tag.title = ReadTagText(file.Title());
    tag.artist = ReadTagText(file.Artist());
    tag.album = ReadTagText(file.Album());
    tag.year = ReadTagText(file.Year());
    tag.comment = ReadTagText(file.Comment());
    tag.genre = file.SignedGenre();
    entry.edited = entry.initial;

    row.pcFileName = name;
    row.path = WithoutSeparator(folder);
    RefreshRow(row);
    total_ += entry.size;
    rows_.push_back(std::move(row));
  }
}

void Mp3Basket::RefreshRow(BasketRow& row) {
  row.zqFileName = ZqFileName(row.entry.edited.consoleName);
  row.icon = row.entry.edited.state & 3;
}

void Mp3Basket::Show(const BasketEntry& entry) {
  const TagFields& tag = entry.edited;
  fields_.pcFile = entry.folder + entry.pcBaseName + ".mp3";
  fields_.consoleName = Cp949ToUtf8(tag.consoleName);
  fields_.size = entry.size;
  fields_.title = Cp949ToUtf8(tag.title);
  fields_.artist = Cp949ToUtf8(tag.artist);
  fields_.album = Cp949ToUtf8(tag.album);
  fields_.year = Cp949ToUtf8(tag.year);
  fields_.genreSelection = GenreTable::Contains(tag.genre) ? tag.genre : -1;
  fields_.comment = Cp949ToUtf8(tag.comment);
}

void Mp3Basket::Choose(std::optional<std::size_t> row) {
  if (!row || *row >= rows_.size()) {
    chosen_.reset();
    return;
  }
  chosen_ = row;
  Show(rows_[*row].entry);
}

std::string Mp3Basket::CopyPcFileName() const {
  if (!chosen_) {
    return {};
  }
  return Cp949ToUtf8(ConsoleNameFromPcFile(fields_.pcFile));
}

bool Mp3Basket::Apply(const FieldValues& taken) {
  if (!chosen_) {
    return false;
  }
  const std::string name = CutWholeCharacters(ToCp949(taken.consoleName), kConsoleNameBytes);
  if (name.empty()) {
    ui_.ShowMessage(baskettext::kTypeFileName);
    return false;
  }
  if (HasForbiddenNameCharacter(name)) {
    ui_.ShowMessage(baskettext::kInvalidFileName);
    return false;
  }
  const std::string zqName = ZqFileName(name);
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (EqualIgnoringCaseCp949(rows_[i].zqFileName, zqName)) {
      if (i != *chosen_) {
        ui_.ShowMessage(baskettext::kSameFileInList);
        return false;
      }
      break;
    }
  }
  if (taken.title.empty() && ui_.Ask(baskettext::kNoTitle, Buttons::YesNo) != Answer::Yes) {
    return false;
  }
  if (taken.artist.empty() && ui_.Ask(baskettext::kNoMusician, Buttons::YesNo) != Answer::Yes) {
    return false;
  }
  BasketRow& row = rows_[*chosen_];
  TagFields& tag = row.entry.edited;
  tag.consoleName = name;
  tag.title = TagValue(taken.title, kTextBytes);
  tag.artist = TagValue(taken.artist, kTextBytes);
  tag.album = TagValue(taken.album, kTextBytes);
  tag.year = TagValue(taken.year, kYearBytes);
  tag.genre = GenreTable::Contains(taken.genreSelection) ? taken.genreSelection : -1;
  tag.comment = TagValue(taken.comment, kTextBytes);
  tag.state = basketstate::kReady;
  RefreshRow(row);
  fields_ = taken;
  return true;
}

void Mp3Basket::Reset() {
  if (!chosen_) {
    return;
  }
  BasketRow& row = rows_[*chosen_];
  row.entry.edited = row.entry.initial;
  Show(row.entry);
  RefreshRow(row);
}

void Mp3Basket::Remove(std::size_t row) {
  if (row >= rows_.size()) {
    return;
  }
  total_ -= rows_[row].entry.size;
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
  fields_ = FieldValues();
  chosen_.reset();
}

void Mp3Basket::MoveRow(std::size_t dragged, std::size_t target) {
  if (dragged >= rows_.size() || target >= rows_.size() || dragged == target) {
    return;
  }
  // A copy goes in at the target's place, then the dragged row goes.
  const std::size_t removed = dragged > target ? dragged + 1 : dragged;
  BasketRow copy = rows_[dragged];
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(target), std::move(copy));
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(removed));
  if (chosen_) {
    if (*chosen_ == dragged) {
      chosen_ = dragged > target ? target : target - 1;
    } else {
      std::size_t at = *chosen_ >= target ? *chosen_ + 1 : *chosen_;
      chosen_ = at > removed ? at - 1 : at;
    }
  }
}

bool Mp3Basket::ReadTagged(const BasketRow& row, CMp3File& file) {
  const std::string path = row.path + "/" + row.pcFileName;
  const Mp3Status status = file.ReadMp3(path);
  if (status != mp3status::kOk) {
    ui_.ShowMessage(ReadFailureText(status, path));
    return false;
  }
  const TagFields& tag = row.entry.edited;
  file.ClearFlag(CMp3File::kId3v2Flag);
  file.SetFlag(CMp3File::kId3v1Flag);
  file.SetV1Field(V1Field::kMarker, {});
  file.SetV1Field(V1Field::kTitle, tag.title);
  file.SetV1Field(V1Field::kArtist, tag.artist);
  file.SetV1Field(V1Field::kAlbum, tag.album);
  file.SetV1Field(V1Field::kYear, tag.year);
  file.SetV1Genre(tag.genre);
  file.SetV1Field(V1Field::kComment, tag.comment);
  return true;
}

bool Mp3Basket::Send(DeviceOperations& operations) {
  for (const BasketRow& row : rows_) {
    if (row.entry.edited.state != basketstate::kReady) {
      ui_.ShowMessage(baskettext::kInvalidFileInList);
      return false;
    }
  }
  if (total_ > smcFree_) {
    ui_.ShowMessage(baskettext::kInsufficientSpace);
    return false;
  }
  for (std::size_t i = rows_.size(); i-- > 0;) {
    const BasketRow& row = rows_[i];
    std::vector<std::uint8_t> bytes;
    {
      CMp3File file;
      if (!ReadTagged(row, file)) {
        return false;
      }
      bytes.resize(file.Mp3ByteCount());
      file.SerializeMp3(bytes);
    }
    if (!operations.UploadBuffer(bytes, kSendFolder, ZqFileName(row.entry.edited.consoleName),
                                 true)) {
      ui_.ShowMessage(baskettext::kFailedToSend);
      return false;
    }
  }
  ui_.ShowMessage(baskettext::kCompleted);
  return true;
}

bool Mp3Basket::BackUp() {
  if (!chosen_) {
    return false;
  }
  const BasketRow& row = rows_[*chosen_];
  if (row.entry.edited.state != basketstate::kReady) {
    ui_.ShowMessage(baskettext::kInvalidMp3File);
    return false;
  }
  FileDialogRequest request;
  request.title = baskettext::kSaveTitle;
  request.filters = {{baskettext::kMp3FileFilter, baskettext::kMp3Pattern}};
  request.defaultExtension = "mp3";
  request.startFolder = settings_.GetString(kSection, kBackupEntry);
  if (request.startFolder.empty()) {
    request.startFolder = programFolder_ + "mp3";
  }
  request.proposedName = Cp949ToUtf8(row.zqFileName);
  const std::optional<std::string> target = ui_.ChooseSaveFile(request);
  if (!target) {
    return false;
  }
  const std::size_t slash = target->rfind('/');
  if (slash != std::string::npos) {
    settings_.SetString(kSection, kBackupEntry, slash == 0 ? "/" : target->substr(0, slash));
  }
  CMp3File file;
  if (!ReadTagged(row, file)) {
    return false;
  }
  if (file.WriteMp3(*target) != mp3status::kOk) {
    ui_.ShowMessage(baskettext::kFailedToWrite);
    return false;
  }
  ui_.ShowMessage(baskettext::kCompleted);
  return true;
}

}  // namespace zq

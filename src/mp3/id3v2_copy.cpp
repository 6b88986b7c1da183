#include "mp3/id3v2_copy.h"

#include <charconv>
#include <system_error>

#include "mp3/basket_names.h"
#include "mp3/genre_table.h"
#include "mp3/tag_text.h"
#include "operations/user_interface.h"
#include "platform/codepage.h"

namespace zq {

namespace {

constexpr std::size_t kTextBytes = 30;
constexpr std::size_t kYearBytes = 4;

// What the field shows once `utf8` is held in the code page: a character
// without a form there becomes '?', and only whole characters that fit in
// `bytes` are kept.
std::string Fitted(const std::string& utf8, std::size_t bytes) {
  return Cp949ToUtf8(CutWholeCharacters(TrimTrailingSpace(ToCp949(utf8)), bytes));
}

void PutText(const std::string& text, std::size_t bytes, std::string& field) {
  if (!text.empty()) {
    field = Fitted(text, bytes);
  }
}

}  // namespace

std::int32_t GenreOfVersion2Text(const std::string& genre) {
  std::string_view text = genre;
  if (text.size() > 2 && text.front() == '(' && text.back() == ')') {
    text = text.substr(1, text.size() - 2);
  }
  int number = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error == std::errc() && end == text.data() + text.size()) {
    return GenreTable::Contains(number) ? number : -1;
  }
  for (std::int32_t row = 0; row < GenreTable::kCount; ++row) {
    if (EqualIgnoringCase(GenreTable::English(row), genre)) {
      return row;
    }
  }
  return -1;
}

void PutVersion2Texts(const Id3v2Texts& texts, FieldValues& fields) {
  PutText(texts.title, kTextBytes, fields.title);
  PutText(texts.artist, kTextBytes, fields.artist);
  PutText(texts.album, kTextBytes, fields.album);
  PutText(texts.year, kYearBytes, fields.year);
  PutText(texts.comment, kTextBytes, fields.comment);
  if (!texts.genre.empty()) {
    fields.genreSelection = GenreOfVersion2Text(texts.genre);
  }
}

bool CopyVersion2Info(UserInterface& ui, const std::string& pcPath, FieldValues& fields) {
  const std::optional<Id3v2Texts> texts = ReadId3v2Texts(pcPath);
  if (!texts) {
    ui.ShowMessage(std::string(kNoVersion2Message) + "\nfile name : " + pcPath);
    return false;
  }
  PutVersion2Texts(*texts, fields);
  return true;
}

}  // namespace zq

#include <charconv>

#include "cli/basket_files.h"
#include "cli/command_arguments.h"
#include "cli/command_context.h"
#include "cli/command_table.h"
#include "cli/exit_status.h"
#include "mp3/basket_names.h"
#include "mp3/genre_table.h"

namespace zq::cli {

namespace {

// A genre given as its number (0 to 79), its English name (case ignored),
// or "none".
std::optional<std::int32_t> ParseGenre(const std::string& text) {
  if (EqualIgnoringCase(text, "none")) {
    return -1;
  }
  std::int32_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error == std::errc() && end == text.data() + text.size()) {
    return GenreTable::Contains(number) ? std::optional<std::int32_t>(number) : std::nullopt;
  }
  for (std::int32_t genre = 0; genre < GenreTable::kCount; ++genre) {
    if (EqualIgnoringCase(GenreTable::English(genre), text)) {
      return genre;
    }
  }
  return std::nullopt;
}

}  // namespace

// As the basket's window is used: the files are added, each entry's fields
// are changed as the options say and applied (with the Apply checks and
// questions) where something changed or the entry is not ready to send,
// then Send writes them all to zq:\mp3 with the basket's checks and order.
int RunMp3Send(CommandContext& context, const Command& self,
               const std::vector<std::string>& words) {
  std::string problem;
  const auto arguments = SplitArguments(
      words, {"--name", "--title", "--artist", "--album", "--year", "--genre", "--comment"},
      problem);
  if (!arguments) {
    return context.UsageError(self, problem);
  }
  const auto& files = arguments->positionals;
  const auto& values = arguments->values;
  if (files.empty()) {
    return context.UsageError(self, "at least one MP3 file expected");
  }
  if (values.count("--name") != 0 && files.size() != 1) {
    return context.UsageError(self, "--name names one file only");
  }
  std::optional<std::int32_t> genre;
  if (const auto given = values.find("--genre"); given != values.end()) {
    genre = ParseGenre(given->second);
    if (!genre) {
      return context.UsageError(self, "unknown genre " + given->second);
    }
  }

  DeviceOperations* device = context.Device();
  if (device == nullptr) {
    return kExitFailed;
  }
  std::uint32_t total = 0;
  std::uint32_t used = 0;
  std::uint32_t free = 0;
  const bool diskOk = device->ShowDiskInfo(total, used, free);
  Mp3Basket basket(context.Ui(), context.Config(), context.ProgramFolder().string() + "/",
                   Mp3Basket::FreeSpaceForBasket(diskOk, free));
  const auto rows = AddToBasket(basket, files);
  if (!rows) {
    return kExitFailed;
  }

  for (std::size_t row : *rows) {
    basket.Choose(row);
    FieldValues fields = basket.Fields();
    const FieldValues shown = fields;
    auto take = [&values](const char* option, std::string& field) {
      if (const auto given = values.find(option); given != values.end()) {
        field = given->second;
      }
    };
    take("--name", fields.consoleName);
    take("--title", fields.title);
    take("--artist", fields.artist);
    take("--album", fields.album);
    take("--year", fields.year);
    take("--comment", fields.comment);
    if (genre) {
      fields.genreSelection = *genre;
    }
    // A PC name too long for the card leaves the console name empty; the
    // person would press "copy PC file name", which cuts it to 8 bytes.
    if (fields.consoleName.empty()) {
      fields.consoleName = basket.CopyPcFileName();
    }
    if ((fields != shown || basket.Rows()[row].entry.edited.state != basketstate::kReady) &&
        !basket.Apply(fields)) {
      return kExitFailed;
    }
  }
  return ExitFor(basket.Send(*device));
}

}  // namespace zq::cli

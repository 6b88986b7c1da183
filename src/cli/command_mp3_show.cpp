#include <ostream>

#include "cli/basket_files.h"
#include "cli/command_context.h"
#include "cli/command_table.h"
#include "cli/exit_status.h"
#include "mp3/genre_table.h"
#include "platform/codepage.h"

namespace zq::cli {

// What the basket's fields show once the file is chosen: its console name
// and the ID3v1 tag as the basket read it. No console is needed.
int RunMp3Show(CommandContext& context, const Command& self,
               const std::vector<std::string>& words) {
  if (words.size() != 1) {
    return context.UsageError(self, "one MP3 file expected");
  }
  Mp3Basket basket(context.Ui(), context.Config(), context.ProgramFolder().string() + "/", 0);
  const auto rows = AddToBasket(basket, words);
  if (!rows || rows->empty()) {
    return kExitFailed;
  }
  basket.Choose(rows->front());
  const FieldValues& fields = basket.Fields();
  const TagFields& initial = basket.Rows()[rows->front()].entry.initial;
  std::ostream& out = context.Out();
  out << "file:      " << fields.pcFile << '\n';
  out << "ZQ name:   ";
  if (fields.consoleName.empty()) {
    // Too long for the card: the basket waits for "copy PC file name".
    out << "none (copy PC file name gives " << basket.CopyPcFileName() << ".mp3)";
  } else {
    out << fields.consoleName << ".mp3";
  }
  out << '\n';
  out << "size:      " << fields.size << " bytes\n";
  out << "ID3v1 tag: " << ((initial.state & basketstate::kNoTag) != 0 ? "none" : "yes") << '\n';
  out << "title:     " << fields.title << '\n';
  out << "artist:    " << fields.artist << '\n';
  out << "album:     " << fields.album << '\n';
  out << "year:      " << fields.year << '\n';
  out << "genre:     ";
  if (GenreTable::Contains(fields.genreSelection)) {
    out << fields.genreSelection << ' ' << GenreTable::English(fields.genreSelection);
  } else {
    out << "none";
  }
  out << '\n';
  out << "comment:   " << fields.comment << '\n';
  return kExitSuccess;
}

}  // namespace zq::cli

#include "cli/basket_files.h"

#include <filesystem>

#include "mp3/basket_names.h"

namespace zq::cli {

std::optional<std::vector<std::size_t>> AddToBasket(Mp3Basket& basket,
                                                    const std::vector<std::string>& files) {
  std::vector<std::size_t> rows;
  for (const std::string& file : files) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(file, error).lexically_normal();
    basket.Browser().SetFolder(PcFolderBrowser::WithSeparator(path.parent_path().string()));
    const std::string name = path.filename().string();
    const std::size_t before = basket.Rows().size();
    basket.AddFiles({name});
    if (basket.Rows().size() == before) {
      // Already in the basket: the same file named twice goes once.
      bool listed = false;
      for (std::size_t i = 0; i < basket.Rows().size(); ++i) {
        const BasketRow& row = basket.Rows()[i];
        if (row.pcFileName == name && row.entry.folder == basket.Browser().Folder()) {
          listed = true;
        }
      }
      if (!listed) {
        return std::nullopt;
      }
      continue;
    }
    rows.push_back(before);
  }
  return rows;
}

}  // namespace zq::cli

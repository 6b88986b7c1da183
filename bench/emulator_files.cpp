// The emulator's cost per file written: 150 files written onto an empty card
// and onto a card that already holds 2,000 files (in other folders), each
// through the same card calls a send takes (the name check, then the
// write). Prints both times and their ratio, which stays near 1 when the
// card keeps its space used up to date instead of counting it per file.
//
//   emulator_files [--files N] [--held N]
#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "emulator/card.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double WriteFiles(const fs::path& root, int held, int files) {
  fs::remove_all(root);
  zq::emu::Card setup(root, 128u * 1024 * 1024, false);
  for (int i = 0; i < held; ++i) {
    const fs::path folder = root / "MP3" / ("D" + std::to_string(i / 100));
    fs::create_directories(folder);
    std::ofstream(folder / ("F" + std::to_string(i) + ".BIN")) << "held";
  }
  zq::emu::Card card(root, 128u * 1024 * 1024, false);
  const std::vector<std::uint8_t> data(1000, 0x5A);
  const auto start = Clock::now();
  for (int i = 0; i < files; ++i) {
    const std::string name = "N" + std::to_string(i) + ".BIN";
    if (card.CheckNewFile("zq:\\GAME", name, static_cast<std::uint32_t>(data.size())) !=
            zq::emu::CardResult::kOk ||
        card.WriteFile("zq:\\GAME", name, data) != zq::emu::CardResult::kOk) {
      std::fprintf(stderr, "writing %s failed\n", name.c_str());
      std::exit(1);
    }
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  int files = 150;
  int held = 2000;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--files") == 0) {
      files = std::atoi(argv[i + 1]);
    } else if (std::strcmp(argv[i], "--held") == 0) {
      held = std::atoi(argv[i + 1]);
    }
  }
  const fs::path root =
      fs::temp_directory_path() / ("zq-emulator-files-" + std::to_string(::getpid()));
  const double empty = WriteFiles(root, 0, files);
  const double full = WriteFiles(root, held, files);
  fs::remove_all(root);
  std::printf("%d files onto an empty card:         %.3f s (%.2f ms a file)\n", files, empty,
              1000 * empty / files);
  std::printf("%d files onto a card of %d files: %.3f s (%.2f ms a file)\n", files, held, full,
              1000 * full / files);
  std::printf("per-file ratio: %.2f\n", full / empty);
  return 0;
}

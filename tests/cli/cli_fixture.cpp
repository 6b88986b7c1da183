#include "cli/cli_fixture.h"

#include <stdlib.h>

#include <fstream>
#include <iterator>

namespace zq::test {

CliTest::CliTest() {
  // Only the emulator of the test: a console plugged into this machine is
  // never touched by the tests.
  ::setenv("ZQ61_TRANSPORT", "dir", 1);
  std::filesystem::create_directories(Card());
  std::filesystem::create_directories(Pc());
  std::filesystem::create_directories(Devices());
}

void CliTest::StartConsole(const std::vector<std::string>& extraArguments) {
  console_ = std::make_unique<EmulatorProcess>(Card(), Devices(), extraArguments);
  ASSERT_TRUE(console_->Ready()) << "zq61-emu did not come up";
}

CliRun CliTest::Cli(const std::vector<std::string>& arguments, const std::string& input) const {
  return RunCli(arguments, Devices(), input);
}

std::map<std::string, std::string> Tree(const std::filesystem::path& folder) {
  std::map<std::string, std::string> tree;
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
       it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    const std::string relative = std::filesystem::relative(it->path(), folder).generic_string();
    if (it->is_directory()) {
      tree[relative + "/"] = "";
    } else {
      tree[relative] = ReadText(it->path());
    }
  }
  return tree;
}

void WriteText(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(file.good()) << path;
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace zq::test

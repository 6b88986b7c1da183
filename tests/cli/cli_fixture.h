#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_process.h"
#include "support/temp_dir.h"

namespace zq::test {

// A temporary card folder, device directory and PC folder, with zq61-emu
// started on them by the test and zq61-cli run against it as a user would.
class CliTest : public ::testing::Test {
 protected:
  CliTest();

  // Starts the emulator; fails the test when its endpoints do not appear.
  void StartConsole(const std::vector<std::string>& extraArguments = {});
  CliRun Cli(const std::vector<std::string>& arguments, const std::string& input = {}) const;

  std::filesystem::path Card() const { return root_ / "card"; }
  std::filesystem::path Pc() const { return root_ / "pc"; }
  std::filesystem::path Devices() const { return root_ / "dev"; }

 private:
  TempDir root_{"zq-cli-test"};
  std::unique_ptr<EmulatorProcess> console_;
};

// Every file below `folder`, by its path relative to it ('/'-separated), with
// its bytes; folders appear as "name/" with empty content.
std::map<std::string, std::string> Tree(const std::filesystem::path& folder);

void WriteText(const std::filesystem::path& path, const std::string& bytes);
std::string ReadText(const std::filesystem::path& path);

}  // namespace zq::test

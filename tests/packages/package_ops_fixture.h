#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "emulator/console.h"
#include "link/link_session.h"
#include "operations/device_operations.h"
#include "support/emulated_console.h"
#include "support/fake_user_interface.h"
#include "support/memory_settings.h"
#include "support/package_builder.h"
#include "support/temp_dir.h"

namespace zq::test {

// Records what the file and folder choosers were asked, beside the script.
class RecordingUserInterface : public FakeUserInterface {
 public:
  std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override {
    openRequests.push_back(request);
    return FakeUserInterface::ChooseOpenFile(request);
  }
  std::optional<std::string> ChooseFolder(const std::string& title,
                                          const std::string& preselected) override {
    folderPreselections.push_back(preselected);
    return FakeUserInterface::ChooseFolder(title, preselected);
  }

  std::vector<FileDialogRequest> openRequests;
  std::vector<std::string> folderPreselections;
};

// A connected in-process console with a PC folder beside it, for the
// install, patch, uninstall and backup operations. Console paths given to
// the helpers are "zq:\..." paths; the card's host folder is searched
// ignoring case, as the console does.
class PackageOpsTest : public ::testing::Test {
 protected:
  PackageOpsTest() : link_(console_.Connected()), ops_(*link_, ui_) {}

  // The host path of a console path; components not on the card yet keep
  // the case they are given in.
  std::filesystem::path CardPath(std::string_view consolePath) const {
    std::filesystem::path at = console_.CardDir();
    std::string_view rest = consolePath.substr(std::min<std::size_t>(4, consolePath.size()));
    while (!rest.empty()) {
      const auto separator = rest.find('\\');
      const std::string part(rest.substr(0, separator));
      rest = separator == std::string_view::npos ? std::string_view() : rest.substr(separator + 1);
      if (part.empty()) {
        continue;
      }
      at = Child(at, part);
    }
    return at;
  }

  bool CardHasFile(std::string_view consolePath) const {
    return std::filesystem::is_regular_file(CardPath(consolePath));
  }
  bool CardHasFolder(std::string_view consolePath) const {
    return std::filesystem::is_directory(CardPath(consolePath));
  }
  Bytes CardFile(std::string_view consolePath) const { return ReadBytes(CardPath(consolePath)); }

  // Puts a file on the card directly, creating its folders.
  void PutCardFile(std::string_view consolePath, const Bytes& data) const {
    const auto path = CardPath(consolePath);
    std::filesystem::create_directories(path.parent_path());
    WriteBytes(path, data);
  }
  void PutCardFolder(std::string_view consolePath) const {
    std::filesystem::create_directories(CardPath(consolePath));
  }

  // The console answers reply `reply` of command `command` with `code`, once.
  void AnswerWith(std::uint8_t command, int reply, std::uint8_t code) {
    emu::Fault fault;
    fault.kind = emu::Fault::Kind::kReplyCode;
    fault.command = command;
    fault.reply = reply;
    fault.code = code;
    console_.Console().AddFault(fault);
  }

  // Every file under the card, as sorted host paths relative to its root.
  std::vector<std::string> CardFiles() const { return FilesUnder(console_.CardDir()); }

  static std::vector<std::string> FilesUnder(const std::filesystem::path& root) {
    std::vector<std::string> files;
    if (!std::filesystem::exists(root)) {
      return files;
    }
    for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
      files.push_back(std::filesystem::relative(item.path(), root).generic_string() +
                      (item.is_directory() ? "/" : ""));
    }
    std::sort(files.begin(), files.end());
    return files;
  }

  std::filesystem::path WritePackage(const std::string& fileName, const Bytes& bytes) const {
    const auto path = pc_ / fileName;
    WriteBytes(path, bytes);
    return path;
  }

  EmulatedConsole console_;
  std::unique_ptr<LinkSession> link_;
  RecordingUserInterface ui_;
  DeviceOperations ops_;
  MemorySettings settings_;
  TempDir pc_{"zq-pkgops"};

 private:
  static std::filesystem::path Child(const std::filesystem::path& dir, const std::string& name) {
    if (std::filesystem::is_directory(dir)) {
      for (const auto& item : std::filesystem::directory_iterator(dir)) {
        const std::string found = item.path().filename().string();
        if (std::equal(found.begin(), found.end(), name.begin(), name.end(), [](char a, char b) {
              return std::tolower(static_cast<unsigned char>(a)) ==
                     std::tolower(static_cast<unsigned char>(b));
            })) {
          return item.path();
        }
      }
    }
    return dir / name;
  }
};

}  // namespace zq::test

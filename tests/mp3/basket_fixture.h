#pragma once

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "mp3/mp3_basket.h"
#include "mp3/scratch_folder.h"
#include "support/fake_user_interface.h"
#include "support/memory_settings.h"
#include "support/mp3_builder.h"

namespace zq::test {

// Equality of two texts ignoring the case of ASCII letters.
inline bool EqualFold(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// The scripted user interface, also keeping the last save dialog asked for.
class BasketUi : public FakeUserInterface {
 public:
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override {
    lastSave = request;
    return FakeUserInterface::ChooseSaveFile(request);
  }
  FileDialogRequest lastSave;
};

// A basket browsing a scratch folder of MP3 files built by the test.
class BasketFixture : public ::testing::Test {
 protected:
  BasketFixture() { settings_.SetString("PATH", "MP3", music_.Folder()); }

  Mp3Basket& Basket(std::int64_t smcFree = 16 * 1024 * 1024) {
    if (!basket_) {
      basket_ = std::make_unique<Mp3Basket>(ui_, settings_, program_.Folder(), smcFree);
    }
    return *basket_;
  }

  // Writes a file of `audio` bytes into the music folder, with a tag when given.
  std::string Put(const std::string& name, std::size_t audio, const V1Values* tag = nullptr,
                  std::uint8_t seed = 1) {
    Mp3Builder builder;
    builder.Audio(audio, seed);
    if (tag != nullptr) {
      builder.Id3v1(*tag);
    }
    builder.WriteTo(music_.Path() / name);
    return music_ / name;
  }
  std::string PutTagged(const std::string& name, std::size_t audio, std::uint8_t seed = 1) {
    const V1Values tag{"Title", "Artist", "Album", "1999", "Comment", 13};
    return Put(name, audio, &tag, seed);
  }

  // Fields as a person would fill them to make an entry ready.
  static FieldValues Filled(const std::string& consoleName) {
    FieldValues values;
    values.consoleName = consoleName;
    values.title = "T";
    values.artist = "A";
    return values;
  }

  std::string MusicPath() const {
    const std::string folder = music_.Folder();
    return folder.substr(0, folder.size() - 1);
  }

  ScratchFolder music_;
  ScratchFolder program_;
  BasketUi ui_;
  MemorySettings settings_;
  std::unique_ptr<Mp3Basket> basket_;
};

}  // namespace zq::test

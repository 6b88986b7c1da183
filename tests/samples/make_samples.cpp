// Writes a sample free package, commercial package and patch into a folder,
// for trying the install, patch, uninstall and backup commands against the
// emulated console's card:
//
//   zq61-samples <folder>
//
// freedemo.fpk installs zq:\game\FREEDEMO.ZXE with its data folder
// zq:\game\FREEDEMO\; freedemo.zqt then replaces one of its data files and
// adds another; zdemo.zpk installs zq:\game\ZDEMO.ZXE with zq:\game\ZDEMO\.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "support/package_builder.h"

namespace {

using zq::test::ArchiveBuilder;
using zq::test::Bytes;
using zq::test::CommercialBuilder;
using zq::test::StreamCoding;
using zq::test::ToBytes;

// Some content of a given size that is easy to recognise in a hex dump.
Bytes Filler(const std::string& label, std::size_t size) {
  Bytes bytes;
  bytes.reserve(size);
  while (bytes.size() < size) {
    for (char c : label + "\n") {
      if (bytes.size() == size) {
        break;
      }
      bytes.push_back(static_cast<std::uint8_t>(c));
    }
  }
  return bytes;
}

void WriteFreePackage(const std::filesystem::path& folder) {
  ArchiveBuilder::Package()
      .Title("Free Demo")
      .Root("zq:\\game")
      .File("", "FREEDEMO.ZXE", Filler("FREEDEMO program v1", 20000))
      .Folder("", "FREEDEMO")
      .File("\\FREEDEMO", "LEVEL1.DAT", Filler("level 1, first edition", 3000))
      .Folder("\\FREEDEMO", "SOUND")
      .File("\\FREEDEMO\\SOUND", "THEME.DAT", Filler("theme tune", 70000))
      .WriteTo(folder / "freedemo.fpk");
}

void WritePatch(const std::filesystem::path& folder) {
  ArchiveBuilder::Patch()
      .Title("Free Demo 1.1")
      .Root("zq:\\game")
      .File("", "FREEDEMO.ZXE", Filler("FREEDEMO program v1.1", 21000))
      .Folder("", "FREEDEMO")
      .File("\\FREEDEMO", "LEVEL1.DAT", Filler("level 1, second edition", 3200))
      .File("\\FREEDEMO", "LEVEL2.DAT", Filler("level 2, new", 4000))
      .WriteTo(folder / "freedemo.zqt");
}

void WriteCommercialPackage(const std::filesystem::path& folder) {
  CommercialBuilder()
      .Title("Z Demo")
      .TargetFolder("zq:\\game\\ZDEMO")
      .Zxe("ZDEMO.ZXE", Filler("ZDEMO program", 30000))
      .Zxc("ZDEMO.ZXC", Filler("ZDEMO code", 5000))
      .Folder("zq:\\game\\ZDEMO")
      .Folder("zq:\\game\\ZDEMO\\MAPS")
      .File("zq:\\game\\ZDEMO\\MAPS", "WORLD.MAP", Filler("world map", 12000))
      .File("zq:\\game\\ZDEMO", "README.TXT", ToBytes("A sample commercial package.\n"))
      .Coding(StreamCoding::kSzddLiteral)
      .WriteTo(folder / "zdemo.zpk");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  try {
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    WriteFreePackage(folder);
    WritePatch(folder);
    WriteCommercialPackage(folder);
    std::printf("wrote freedemo.fpk, freedemo.zqt and zdemo.zpk into %s\n", folder.c_str());
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}

// Writes the seed corpus of the fuzz targets with the test builders, so that
// the fuzzers start inside the formats:
//
//   zq61-fuzz-seeds <folder>      (fuzz/corpus is the committed copy)
//
// One sub-folder per target: archive, commercial, mp3, link, console.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "link/wire_codes.h"
#include "support/mp3_builder.h"
#include "support/package_builder.h"
#include "support/scripted_endpoint.h"

namespace {

namespace fs = std::filesystem;
namespace cmd = zq::wire::cmd;
namespace reply = zq::wire::reply;
using zq::test::ArchiveBuilder;
using zq::test::Bytes;
using zq::test::CommercialBuilder;
using zq::test::Mp3Builder;
using zq::test::ScriptWriter;
using zq::test::StepOutcome;
using zq::test::StreamCoding;
using zq::test::ToBytes;

Bytes Pattern(std::size_t size, std::uint8_t seed) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<std::uint8_t>((seed + i * 7) % 251);
  }
  return bytes;
}

void Write(const fs::path& folder, const std::string& name, const Bytes& bytes) {
  fs::create_directories(folder);
  zq::test::WriteBytes(folder / name, bytes);
}

void ArchiveSeeds(const fs::path& folder) {
  const ArchiveBuilder game = ArchiveBuilder::Package()
                                  .Title("Free Demo")
                                  .Root("zq:\\game")
                                  .File("", "FREEDEMO.ZXE", Pattern(300, 1))
                                  .Folder("", "FREEDEMO")
                                  .File("\\FREEDEMO", "LEVEL1.DAT", Pattern(40, 2))
                                  .Folder("\\FREEDEMO", "SOUND")
                                  .File("\\FREEDEMO\\SOUND", "THEME.DAT", Bytes{});
  Write(folder, "package.fpk", game.Build());
  Write(folder, "patch.zqt",
        ArchiveBuilder::Patch()
            .Title("Free Demo 1.1")
            .Root("zq:\\game")
            .File("\\FREEDEMO", "LEVEL1.DAT", Pattern(50, 3))
            .Build());
  Write(folder, "marker-and-odd-kind.fpk",
        ArchiveBuilder::Package()
            .Root("zq:\\game")
            .Folder("", "A")
            .EndMarker()
            .Entry('7', "\\A", "ODD")
            .File("\\A", "B.DAT", "bee")
            .Build());
  Write(folder, "empty.fpk", ArchiveBuilder::Package().Count(0).Build());
  Write(folder, "cut.zqt",
        zq::test::Cut(ArchiveBuilder::Patch().File("", "X.DAT", "xyz").Build(), 140));
}

CommercialBuilder Game(StreamCoding coding) {
  return CommercialBuilder()
      .Title("Dragon")
      .TargetFolder("zq:\\zqmm")
      .Zxe("DRAGON.ZXE", Pattern(64, 4))
      .Zxc("DRAGON.ZXC", Pattern(32, 5))
      .Folder("zq:\\game\\DRAGON")
      .File("zq:\\game\\DRAGON", "LEVEL1.DAT", Pattern(200, 6))
      .EndMarker()
      .Coding(coding);
}

void CommercialSeeds(const fs::path& folder) {
  Write(folder, "plain.zpk", Game(StreamCoding::kPlain).Build());
  Write(folder, "szdd-literal.zpk", Game(StreamCoding::kSzddLiteral).Build());
  if (zq::test::HasMsCompress()) {
    // Real back-references, as the Windows tool writes them.
    Bytes repeated(600, 0x32);
    const auto compressed = zq::test::MsCompress(repeated);
    if (compressed) {
      Write(folder, "szdd-backrefs.zpk",
            CommercialBuilder().EntryCount(600).Stream(*compressed).Build());
    }
    Write(folder, "szdd-game.zpk", Game(StreamCoding::kMsCompress).Build());
  }
}

void Mp3Seeds(const fs::path& folder) {
  zq::test::V1Values values{"Title", "Artist", "Album", "2026", "Comment", 17};
  Write(folder, "audio.mp3", Mp3Builder().Audio(300).Bytes());
  Write(folder, "v1.mp3", Mp3Builder().Audio(200).Id3v1(values).Bytes());
  Write(folder, "v2-v1.mp3",
        Mp3Builder().Id3v2({0, 0, 0, 20}, 0, 20).Audio(150).Id3v1(values).Bytes());
  Write(folder, "v2-footer.mp3", Mp3Builder().Id3v2({0, 0, 0, 10}, 0x10, 20).Audio(200).Bytes());
  Write(folder, "v2-past-end.mp3", Mp3Builder().Id3v2({0, 0, 1, 0}, 0, 30).Audio(100).Bytes());
}

// The link target connects first, then reads an operation byte, its
// parameters and one step per pipe call, operation after operation; these
// helpers write the steps of the common exchanges.
ScriptWriter& Connect(ScriptWriter& w, std::uint8_t major, std::uint8_t minor) {
  Bytes id = ToBytes("ZQ61 CONSOLE");
  id.resize(16);
  id[zq::wire::kFirmwareMinorOffset] = minor;
  id[zq::wire::kFirmwareMajorOffset] = major;
  return w.Open().Open().Write().Reply(id);
}

ScriptWriter& Send(ScriptWriter& w, std::uint32_t size) {
  w.Byte(5)
      .U16(static_cast<std::uint16_t>(size / 16))
      .Byte(static_cast<std::uint8_t>(size % 16))
      .Byte(0);
  w.Write().Write().Reply({reply::kSendFolderOk}).Write().Reply({reply::kSendNameOk}).Write();
  w.Reply({reply::kSendWantLength}).Write().Reply({reply::kSendWantData});
  for (std::uint32_t done = 0; done < size; done += 256) {
    w.Write();
  }
  return w.Reply({reply::kSendWantLength}).Write().Reply({reply::kSendDone});
}

ScriptWriter& Receive(ScriptWriter& w, std::uint8_t op, std::uint16_t size) {
  w.Byte(op);
  if (op == 7) {
    w.Byte(0);  // to the PC
  }
  w.Byte(0).Write().Write();
  w.Reply({static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8), 0, 0});
  w.Write().Reply({static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8)}).Write();
  for (std::uint32_t done = 0; done < size; done += 256) {
    w.Reply(Pattern(255, static_cast<std::uint8_t>(done))).Write();
  }
  return w;
}

void LinkSeeds(const fs::path& folder) {
  ScriptWriter w;
  Connect(w, 2, 0);
  Write(folder, "connect.bin", w.Bytes());
  // Disk information and identification after connecting to a 1.4 console.
  w = ScriptWriter();
  Connect(w, 1, 4).Byte(1).Write().Reply({reply::kDiskInfo, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0xFF});
  w.Byte(2).Write().Reply(ToBytes("ZQ61 CONSOLE"));
  Write(folder, "queries.bin", w.Bytes());
  // A full listing of two entries, then a names-only listing of one.
  w = ScriptWriter();
  Connect(w, 2, 0).Byte(3).Write().Write();
  w.Reply({reply::kFullEntry,
           1,
           4,
           'D',
           'A',
           'T',
           'A',
           0,
           0,
           0,
           0,
           0xEA,
           7,
           12,
           0,
           9,
           0,
           10,
           0,
           30,
           0});
  w.Write().Reply({reply::kFullEntry,
                   0,
                   5,
                   'A',
                   '.',
                   'B',
                   'I',
                   'N',
                   44,
                   1,
                   0,
                   0,
                   0xEA,
                   7,
                   1,
                   0,
                   2,
                   0,
                   3,
                   0,
                   4,
                   0});
  w.Write().Reply({reply::kFullEnd});
  w.Byte(4)
      .Write()
      .Write()
      .Reply({reply::kNameEntry, 1, 3, 'M', 'P', '3'})
      .Write()
      .Reply({reply::kNamesEnd});
  Write(folder, "listings.bin", w.Bytes());
  w = ScriptWriter();
  Send(Connect(w, 2, 0), 300);
  Write(folder, "send.bin", w.Bytes());
  w = ScriptWriter();
  Receive(Connect(w, 2, 0), 6, 512);
  Write(folder, "receive.bin", w.Bytes());
  w = ScriptWriter();
  Receive(Connect(w, 2, 0), 7, 300);
  Write(folder, "transfer-to-pc.bin", w.Bytes());
  w = ScriptWriter();
  Connect(w, 1, 4).Byte(7).Byte(1).Byte(0).Write().Write().Reply({reply::kSendFolderOk});
  w.Write().Reply({reply::kSendNameOk}).Write().Reply({reply::kSendWantLength}).Write();
  w.Reply({reply::kSendWantData}).Write().Write().Write().Reply({reply::kSendWantLength});
  w.Write().Reply({reply::kSendDone});
  w.Byte(10).Byte(1).Write().Write();
  w.Reply({reply::kFullEntry, 1, 4, 'D', 'A', 'T', 'A'}).Write().Reply({reply::kFullEnd});
  Write(folder, "transfer-to-console.bin", w.Bytes());
  // Folder commands, a format and the leave command.
  w = ScriptWriter();
  Connect(w, 2, 0).Byte(8).Byte(0).Write().Write().Reply({reply::kFolderCreated});
  w.Byte(8).Byte(1).Write().Write().Reply({reply::kFailed});
  w.Byte(8).Byte(3).Write().Reply({reply::kFormatStarted}).Reply({reply::kFormatDone});
  w.Byte(9).Write();
  Write(folder, "commands.bin", w.Bytes());
  // Faults: a short write, a failed write, a hanging read, a late reply.
  w = ScriptWriter();
  Connect(w, 2, 0).Byte(1).ShortWrite(100);
  w.Byte(1).Outcome(StepOutcome::kFailed);
  w.Byte(1).Write().Outcome(StepOutcome::kAfterWait).Byte(1).Byte(reply::kDiskInfo);
  w.Byte(1).Write().Outcome(StepOutcome::kHang);
  Write(folder, "faults.bin", w.Bytes());
}

// The console target reads packets: a length byte (0xFF: a whole packet), then the bytes.
// The console pads a short packet with zeros, so packets are written as short
// as their content.
class Packets {
 public:
  Packets& Code(std::uint8_t code) { return Short({code}); }
  Packets& Text(const std::string& text) {
    Bytes p{static_cast<std::uint8_t>(text.size())};
    p.insert(p.end(), text.begin(), text.end());
    return Short(p);
  }
  Packets& Value(std::uint32_t v) {
    return Short({static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                  static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)});
  }
  Packets& Whole(Bytes p) {
    p.resize(zq::wire::kPacketSize);
    bytes_.push_back(0xFF);
    bytes_.insert(bytes_.end(), p.begin(), p.end());
    return *this;
  }
  Packets& Short(const Bytes& p) {
    bytes_.push_back(static_cast<std::uint8_t>(p.size()));
    bytes_.insert(bytes_.end(), p.begin(), p.end());
    return *this;
  }
  const Bytes& Bytes_() const { return bytes_; }

 private:
  Bytes bytes_;
};

void ConsoleSeeds(const fs::path& folder) {
  Write(folder, "queries.bin",
        Packets().Code(cmd::kIdentify).Code(cmd::kDiskInfo).Code(cmd::kLeave).Bytes_());
  Write(folder, "folders.bin",
        Packets()
            .Code(cmd::kCreateFolder)
            .Text("zq:\\game\\NEW")
            .Code(cmd::kListFull)
            .Text("zq:\\game\\")
            .Code(cmd::kGoOn)
            .Code(cmd::kGoOn)
            .Code(cmd::kListNames)
            .Text("zq:\\")
            .Code(cmd::kGoOn)
            .Code(cmd::kRemoveFolder)
            .Text("zq:\\game\\NEW\\")
            .Bytes_());
  Packets send;
  send.Code(cmd::kSendFile).Text("zq:\\game").Text("A.BIN").Value(300).Value(300);
  send.Whole(Pattern(256, 1)).Whole(Pattern(44, 2)).Value(0);
  send.Code(cmd::kReceiveFile).Text("zq:\\game\\A.BIN").Code(cmd::kNextChunk).Code(cmd::kChunkData);
  send.Code(cmd::kGoOn).Code(cmd::kReceiveDone).Code(cmd::kRemoveFile).Text("zq:\\game\\A.BIN");
  Write(folder, "send-receive.bin", send.Bytes_());
  Write(folder, "format.bin", Packets().Code(cmd::kFormat).Short({cmd::kDiskInfo}).Bytes_());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zq61-fuzz-seeds <folder>\n");
    return 2;
  }
  try {
    const fs::path root = argv[1];
    ArchiveSeeds(root / "archive");
    CommercialSeeds(root / "commercial");
    Mp3Seeds(root / "mp3");
    LinkSeeds(root / "link");
    ConsoleSeeds(root / "console");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zq61-fuzz-seeds: %s\n", e.what());
    return 1;
  }
  return 0;
}

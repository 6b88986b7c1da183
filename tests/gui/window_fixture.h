#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/cmain_frame.h"
#include "operations/device_operations.h"
#include "support/emulated_console.h"
#include "support/fake_user_interface.h"
#include "support/memory_settings.h"
#include "support/temp_dir.h"
#include "views/czq61_view.h"
#include "views/czq_tree_view.h"
#include "views/list_model.h"

namespace zq::test {

// The scripted interface, whose hooks into the views reach the real views as
// the window's own interface does.
class WindowUi : public FakeUserInterface {
 public:
  CMainFrame* frame = nullptr;
  // What each question before a removal or a format said would be lost.
  std::vector<std::string> destroyDetails;

  Answer AskBeforeDestroying(const std::string& text, const std::string& detail) override {
    destroyDetails.push_back(detail);
    return FakeUserInterface::AskBeforeDestroying(text, detail);
  }

  void NavigateTo(const std::string& path) override {
    FakeUserInterface::NavigateTo(path);
    if (frame != nullptr) {
      frame->List()->NavigateTo(path);
    }
  }
  void AddFolderNode(const std::string& path) override {
    FakeUserInterface::AddFolderNode(path);
    if (frame != nullptr) {
      frame->Tree()->AddFolderNode(path);
    }
  }
  void RemoveFolderNode(const std::string& path) override {
    FakeUserInterface::RemoveFolderNode(path);
    if (frame != nullptr) {
      frame->Tree()->RemoveFolderNode(path);
    }
  }
};

// The frame with both views on the in-process console, a demo card, and a
// temporary PC folder standing as the only drive of the computer node.
class WindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeCard();
    WriteFile(pc / "docs" / "note.txt", 10);
    WriteFile(pc / "SONG.MP3", 3000);
    WriteFile(pc / ".hidden", 5);
    std::filesystem::create_directories(pc / ".config");
  }

  // Builds the frame and runs the list's first update.
  bool Start(int modeFlag = 1) {
    settings.SetInt("zq Mode", "flag", modeFlag);
    frame = std::make_unique<CMainFrame>(ui, operations, settings);
    ui.frame = frame.get();
    frame->Tree()->SetDrives({{"Test (" + pc.Path().string() + ")", PcFolder()}});
    frame->resize(900, 600);
    frame->show();
    const bool connected = frame->InitialUpdate("/prog/");
    frame->Activate();
    QApplication::processEvents();
    ui.ClearLog();
    return connected;
  }

  void MakeCard() {
    const auto card = console.CardDir();
    for (const char* folder : {"GAME/RACE/ZQUSER", "GAME/RACE/DATA", "MP3", "DOCS/DEEP/DEEPER"}) {
      std::filesystem::create_directories(card / folder);
    }
    WriteFile(card / "GAME" / "RACE.ZXE", 5000);
    WriteFile(card / "GAME" / "RACE" / "LEVEL1.DAT", 1023);
    WriteFile(card / "GAME" / "RACE" / "ZQUSER" / "SAVE.DAT", 2048);
    WriteFile(card / "MP3" / "ONE.MP3", 4096);
    WriteFile(card / "DOCS" / "SMALL.TXT", 1023);
    WriteFile(card / "DOCS" / "BIG.TXT", 10240);
  }

  static void WriteFile(const std::filesystem::path& path, std::size_t size) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << std::string(size, 'x');
  }

  std::string PcFolder() const { return pc.Path().string() + "/"; }

  CZQ61View& List() { return *frame->List(); }
  CZQTreeView& Tree() { return *frame->Tree(); }
  ListModel& Model() { return *List().Model(); }

  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const QString& name : List().RowNames()) {
      names.push_back(name.toStdString());
    }
    return names;
  }
  std::string Cell(int row, int column) {
    const QModelIndex index = Model().index(row, column);
    return index.isValid() ? index.data().toString().toStdString() : std::string("<none>");
  }
  std::string CellOf(const std::string& name, int column) {
    const int row = List().RowOfName(QString::fromStdString(name));
    return row < 0 ? std::string("<no row>") : Cell(row, column);
  }
  void Select(const std::vector<std::string>& names) {
    auto* selection = List().DetailsView()->selectionModel();
    selection->clearSelection();
    for (const auto& name : names) {
      const int row = List().RowOfName(QString::fromStdString(name));
      ASSERT_GE(row, 0) << name;
      selection->select(Model().index(row, 0),
                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
  }
  static std::vector<std::string> ChildTexts(const QTreeWidgetItem* node) {
    std::vector<std::string> texts;
    for (int i = 0; node != nullptr && i < node->childCount(); ++i) {
      texts.push_back(node->child(i)->text(0).toStdString());
    }
    return texts;
  }
  // The node of a folder, revealed in the tree and scrolled into sight;
  // null when it is not there.
  QTreeWidgetItem* NodeInSight(const std::string& path) {
    if (Tree().SelectFolder(path) != 0) {
      return nullptr;
    }
    QTreeWidgetItem* node = Tree().FindNode(path);
    if (node != nullptr) {
      Tree().scrollToItem(node);
      QApplication::processEvents();
    }
    return node;
  }
  // The middle of a node's label (after its 16-pixel icon and margins).
  QPoint LabelPoint(const QTreeWidgetItem* node) {
    const QRect row = Tree().visualItemRect(node);
    return {row.left() + 16 + 6 + Tree().fontMetrics().horizontalAdvance(node->text(0)) / 2,
            row.center().y()};
  }
  // The message boxes and questions only, without the other calls.
  std::vector<FakeUserInterface::Call> Boxes() const {
    std::vector<FakeUserInterface::Call> boxes;
    for (const auto& call : ui.Calls()) {
      if (call.kind == "message" || call.kind == "ask") {
        boxes.push_back(call);
      }
    }
    return boxes;
  }
  static bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
  }

  EmulatedConsole console;
  std::unique_ptr<LinkSession> link = console.MakeSession();
  WindowUi ui;
  DeviceOperations operations{*link, ui};
  MemorySettings settings;
  TempDir pc{"zq-gui"};
  std::unique_ptr<CMainFrame> frame;
};

}  // namespace zq::test

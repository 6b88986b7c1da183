// The file list and the folder tree on large PC folders, with the real
// widgets on the offscreen platform: a parent folder holding one folder of
// 10,000 files and one of 50,000 (made here, empty files of a few types),
// each shown in the list, sorted by each column kind, and the parent
// expanded in the tree (which decides each child's expand button).
//
// Prints milliseconds per step (for the fill also the CPU time, which a
// loaded machine changes less) and the process's peak resident memory,
// overall and per row above what the program held before the first fill.
//
//   list_view [--rows N[,N...]]
#include <sys/resource.h>

#include <QApplication>
#include <QSplitter>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/fake_user_interface.h"
#include "support/temp_dir.h"
#include "views/czq61_view.h"
#include "views/czq_tree_view.h"
#include "views/list_model.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

long PeakKib() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

double CpuMilliseconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

template <typename F>
double Milliseconds(F&& step) {
  const auto start = Clock::now();
  step();
  QApplication::processEvents();  // layout and paint belong to the step
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// `count` empty files of a handful of types, in a fresh folder.
void MakeFolder(const fs::path& folder, int count) {
  static const char* const extensions[] = {"txt", "mp3", "png", "dat", "cpp", "zpk", "pdf", "bin"};
  fs::create_directories(folder);
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "file%06d.%s", (i * 7919) % count, extensions[i % 8]);
    std::ofstream(folder / name) << std::string(static_cast<std::size_t>(i % 5000), 'x');
  }
}

std::vector<int> RowCounts(int argc, char** argv) {
  std::vector<int> counts{10000, 50000};
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--rows") == 0) {
      counts.clear();
      for (char* at = argv[i + 1]; *at != '\0';) {
        char* end = nullptr;
        const long value = std::strtol(at, &end, 10);
        if (end == at || value <= 0) {
          break;
        }
        counts.push_back(static_cast<int>(value));
        at = *end == ',' ? end + 1 : end;
      }
    }
  }
  return counts;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const std::vector<int> counts = RowCounts(argc, argv);
  QApplication application(argc, argv);

  zq::test::TempDir parent("zq-list-bench");
  for (int count : counts) {
    MakeFolder(parent / ("f" + std::to_string(count)), count);
  }
  const std::string root = parent.Path().string() + "/";

  zq::test::FakeUserInterface ui;
  zq::LinkSession link;
  zq::DeviceOperations operations(link, ui);
  zq::ExplorerContext context{ui, operations};
  QSplitter window;
  auto* tree = new zq::CZQTreeView(context, &window);
  auto* list = new zq::CZQ61View(context, &window);
  tree->SetDrives({{"Bench (" + root + ")", root}});
  tree->SetListView(list);
  window.resize(1000, 700);
  window.show();
  list->InsertColumns();
  tree->FillRoots();
  QApplication::processEvents();

  const long baseline = PeakKib();
  std::printf("list_view: offscreen, baseline peak %ld KiB\n", baseline);
  std::printf("%8s %9s %9s %10s %10s %10s %10s %12s\n", "rows", "fill ms", "fill cpu", "name ms",
              "size ms", "date ms", "again ms", "peak B/row");
  for (int count : counts) {
    const std::string folder = root + "f" + std::to_string(count) + "/";
    const double cpu = CpuMilliseconds();
    const double fill = Milliseconds([&] { list->NavigateTo(folder); });
    const double fillCpu = CpuMilliseconds() - cpu;
    const int rows = list->Model()->rowCount();
    const double byName = Milliseconds([&] { list->OnHeaderClicked(0); });
    const double bySize = Milliseconds([&] { list->OnHeaderClicked(1); });
    const double byDate = Milliseconds([&] { list->OnHeaderClicked(3); });
    const double again = Milliseconds([&] { list->OnHeaderClicked(0); });
    const long peak = PeakKib();
    std::printf("%8d %9.0f %9.0f %10.0f %10.0f %10.0f %10.0f %12.0f\n", rows, fill, fillCpu, byName,
                bySize, byDate, again, static_cast<double>(peak - baseline) * 1024.0 / rows);
  }
  const double leave = Milliseconds([&] { list->NavigateTo(root); });
  std::printf("leaving the last folder (its rows deleted): %.0f ms\n", leave);

  // The tree: the drive node's expansion decides the parent's button, the
  // parent's expansion each large folder's button.
  QTreeWidgetItem* drive = nullptr;
  const double expandComputer = Milliseconds([&] {
    tree->ComputerNode()->setExpanded(true);
    drive = tree->ComputerNode()->child(0);
  });
  const double expandParent = Milliseconds([&] { drive->setExpanded(true); });
  std::printf("tree: computer node %.1f ms, parent of the large folders %.1f ms (%d children)\n",
              expandComputer, expandParent, drive->childCount());
  std::printf("peak resident memory %ld KiB\n", PeakKib());
  return 0;
}

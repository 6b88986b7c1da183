// zq61: the desktop companion of the ZQ61 console.
#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/cmain_frame.h"
#include "app/czq61_app.h"
#include "app/guarded_application.h"
#include "app/instance/single_instance.h"
#include "app/rules/window_options.h"
#include "views/czq61_view.h"
#include "views/czq_tree_view.h"

namespace {

// With ZQ61_SCREENSHOT=path the program answers its own questions, shows the
// card's MP3 folder with the game's folders open in the tree, saves a picture
// of its window to `path` and quits.
void TakeScreenshotLater(zq::CZQ61App& app, const QString& path) {
  zq::CMainFrame* frame = app.Frame();
  QTimer::singleShot(300, frame, [frame, path] {
    if (frame->IsConnected()) {
      frame->Tree()->SelectFolder("zq:\\GAME\\RACE\\");
      frame->Tree()->SelectFolder("zq:\\MP3\\");
      if (QTreeWidgetItem* mp3 = frame->Tree()->FindNode("zq:\\MP3\\")) {
        frame->Tree()->setCurrentItem(mp3);
      }
    }
    QTimer::singleShot(700, frame, [frame, path] {
      const bool saved = frame->grab().save(path);
      std::fprintf(saved ? stdout : stderr, "zq61: %s %s\n",
                   saved ? "saved the window to" : "could not save the window to",
                   path.toLocal8Bit().constData());
      QCoreApplication::exit(saved ? 0 : 1);
    });
  });
}

// Files handed over by later starts: the window comes to the front and
// opens them once connected.
void ServeLaterStarts(zq::SingleInstance& instance, zq::CZQ61App& app) {
  QObject::connect(&instance, &zq::SingleInstance::fileHandedOver, &instance,
                   [&app](const QString& path) {
                     zq::CMainFrame* frame = app.Frame();
                     if (frame == nullptr) {
                       return;  // still starting: the start itself is the answer
                     }
                     frame->BringToFront();
                     if (!path.isEmpty()) {
                       frame->OpenWhenConnected(path.toStdString());
                     }
                   });
}

}  // namespace

int main(int argc, char** argv) {
  // --help and --version are answered before Qt opens the window system:
  // they need no display.
  if (const auto answer =
          zq::AnswerWindowOptions(std::vector<std::string>(argv + 1, argv + argc))) {
    std::fputs(answer->text.c_str(), stdout);
    return std::fflush(stdout) == 0 ? answer->exitStatus : 1;
  }
  zq::GuardedApplication application(argc, argv);
  QCoreApplication::setOrganizationName("ZQ61 Program");
  QCoreApplication::setApplicationName("ZQ61");

  // The framework's own texts in Korean on a Korean system.
  QTranslator korean;
  if (QLocale::system().language() == QLocale::Korean &&
      korean.load("qtbase_ko", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(&korean);
  }

  const QString screenshot = qEnvironmentVariable("ZQ61_SCREENSHOT");
  // `zq61 FILE`: a running window takes the file; otherwise this one opens it.
  const QString opened = zq::FileToOpen(QCoreApplication::arguments());
  zq::SingleInstance instance;
  if (screenshot.isEmpty()) {
    if (instance.HandOver(opened)) {
      return 0;
    }
    instance.Listen();
  }
  zq::CZQ61App app;
  ServeLaterStarts(instance, app);
  if (!app.InitInstance(!screenshot.isEmpty())) {
    return 1;
  }
  if (!opened.isEmpty()) {
    app.Frame()->OpenWhenConnected(opened.toStdString());
  }
  if (!screenshot.isEmpty()) {
    TakeScreenshotLater(app, screenshot);
  }
  return QApplication::exec();
}

// One window per person: a later start hands its file over; the frame opens
// handed files once connected.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include "app/instance/single_instance.h"
#include "window_fixture.h"

namespace zq::test {
namespace {

TEST(SingleInstanceTest, ALaterStartHandsItsFileOver) {
  TempDir folder("zq-instance");
  const QString name = QString::fromStdString((folder / "window").string());
  SingleInstance later(name);
  EXPECT_FALSE(later.HandOver("/music/a.fpk", 300));  // nobody listens yet

  // A socket file left by a run that died does not stop the first start.
  QFile leftover(name);
  ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
  leftover.close();
  SingleInstance first(name);
  ASSERT_TRUE(first.Listen());
  QStringList handed;
  QObject::connect(&first, &SingleInstance::fileHandedOver,
                   [&handed](const QString& path) { handed.push_back(path); });

  for (const QString& path : {QString("/music/a.fpk"), QString(), QString("/p/한글 패치.zqt")}) {
    EXPECT_TRUE(later.HandOver(path));
  }
  QElapsedTimer timer;
  timer.start();
  while (handed.size() < 3 && timer.elapsed() < 5000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  EXPECT_EQ(handed, (QStringList{"/music/a.fpk", "", "/p/한글 패치.zqt"}));
}

TEST(SingleInstanceTest, TheFileNamedOnTheCommandLine) {
  const QString here = QDir::currentPath();
  const struct {
    QStringList arguments;
    QString file;
  } cases[] = {
      {{"zq61"}, ""},
      {{"zq61", "race.fpk"}, here + "/race.fpk"},
      {{"zq61", "-style", "/p/fix.zqt"}, "/p/fix.zqt"},
      {{"zq61", "--", "-odd.zpk"}, here + "/-odd.zpk"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    EXPECT_EQ(FileToOpen(c.arguments), c.file);
  }
}

// A file waits for the connection, then opens from the event loop; files
// handed over later open one after the other.
class PendingFileTest : public WindowFixture {};

TEST_F(PendingFileTest, FilesOpenOnceConnected) {
  settings.SetInt("zq Mode", "flag", 1);
  frame = std::make_unique<CMainFrame>(ui, operations, settings);
  ui.frame = frame.get();
  std::vector<std::string> opened;
  frame->Commands().onOpenFile = [&opened](const std::string& path) { opened.push_back(path); };

  frame->OpenWhenConnected("/p/race.fpk");
  QApplication::processEvents();
  EXPECT_TRUE(opened.empty());  // not connected yet

  ASSERT_TRUE(frame->InitialUpdate("/prog/"));
  EXPECT_TRUE(opened.empty());  // not inside the connect path
  QApplication::processEvents();
  EXPECT_EQ(opened, std::vector<std::string>{"/p/race.fpk"});

  frame->OpenWhenConnected("/p/a.zqt");
  frame->OpenWhenConnected("/p/b.zpk");
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(opened, (std::vector<std::string>{"/p/race.fpk", "/p/a.zqt", "/p/b.zpk"}));
  EXPECT_TRUE(frame->PendingFiles().empty());
}

}  // namespace
}  // namespace zq::test

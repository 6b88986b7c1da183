#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <filesystem>
#include <string>

#include "app/program_identity.h"
#include "support/temp_dir.h"
#include "views/view_icons.h"

namespace zq::test {
namespace {

// An icon theme of its own in a temporary folder, put back as it was after.
class ProgramIdentityTest : public ::testing::Test {
 protected:
  ProgramIdentityTest()
      : searchPaths_(QIcon::themeSearchPaths()),
        themeName_(QIcon::themeName()),
        fallbackTheme_(QIcon::fallbackThemeName()) {
    QIcon::setThemeSearchPaths({QString::fromStdString(themes_.Path().string())});
    QIcon::setFallbackThemeName("hicolor");
    QIcon::setThemeName("hicolor");
  }
  ~ProgramIdentityTest() override {
    QIcon::setThemeSearchPaths(searchPaths_);
    QIcon::setFallbackThemeName(fallbackTheme_);
    QIcon::setThemeName(themeName_);
  }

  // The hicolor theme with one 16-pixel icon of one colour under `name`.
  void InstallThemeIcon(const std::string& name, QColor colour) {
    const std::filesystem::path theme = themes_ / "hicolor";
    std::filesystem::create_directories(theme / "16x16" / "apps");
    QFile index(QString::fromStdString((theme / "index.theme").string()));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write(
        "[Icon Theme]\nName=Hicolor\nDirectories=16x16/apps\n\n"
        "[16x16/apps]\nSize=16\nContext=Applications\nType=Threshold\n");
    index.close();
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(colour);
    ASSERT_TRUE(
        image.save(QString::fromStdString((theme / "16x16" / "apps" / (name + ".png")).string())));
    // The theme is read again now that it has changed.
    QIcon::setThemeSearchPaths(QIcon::themeSearchPaths());
  }

  static QColor CentreOf(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage().pixelColor(8, 8);
  }

 private:
  TempDir themes_{"zq-icon-theme"};
  QStringList searchPaths_;
  QString themeName_;
  QString fallbackTheme_;
};

TEST_F(ProgramIdentityTest, TheInstalledThemeIconComesFirst) {
  InstallThemeIcon(kDesktopId, Qt::red);
  const QIcon icon = ProgramIcon();
  EXPECT_EQ(icon.name().toStdString(), kDesktopId);
  EXPECT_EQ(CentreOf(icon), QColor(Qt::red));
}

TEST_F(ProgramIdentityTest, WithoutItTheBuiltInIconShows) {
  // A theme that holds other icons only, and then no theme at all.
  InstallThemeIcon("another-program", Qt::red);
  EnsureProgramResources();
  const QImage builtIn = QIcon(":/zq61/icons/zq61.svg").pixmap(16, 16).toImage();
  ASSERT_FALSE(builtIn.isNull());
  for (const QStringList& paths : {QIcon::themeSearchPaths(), QStringList()}) {
    QIcon::setThemeSearchPaths(paths);
    const QIcon icon = ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixmap(16, 16).toImage(), builtIn);
  }
}

TEST_F(ProgramIdentityTest, TheDesktopKnowsTheProgramByItsEntry) {
  InstallThemeIcon(kDesktopId, Qt::blue);
  SetProgramIdentity();
  EXPECT_EQ(QGuiApplication::desktopFileName().toStdString(), kDesktopId);
  // Every window without an icon of its own, the connect prompt included.
  EXPECT_EQ(CentreOf(QGuiApplication::windowIcon()), QColor(Qt::blue));
  QGuiApplication::setDesktopFileName({});
  QGuiApplication::setWindowIcon({});
}

}  // namespace
}  // namespace zq::test

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/cmain_frame.h"
#include "app/czq61_app.h"
#include "app/progress_window.h"
#include "support/temp_dir.h"

namespace zq::test {
namespace {

// An environment variable set for one test, put back afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    const char* old = std::getenv(name);
    had_ = old != nullptr;
    old_ = had_ ? old : "";
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (had_) {
      setenv(name_, old_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  bool had_ = false;
  std::string old_;
};

// The whole start-up without a console: the program's own folders exist
// afterwards (the file dialogs start in them) and the progress window
// belongs to the main window.
TEST(AppStartupTest, MakesTheProgramsFoldersAndGivesTheProgressWindowToTheFrame) {
  TempDir data("zq-data");
  TempDir devices("zq-devices");
  ScopedEnv dataHome("XDG_DATA_HOME", data.Path().string());
  ScopedEnv deviceDir("ZQ61_DEVICE_DIR", devices.Path().string());
  ScopedEnv transport("ZQ61_TRANSPORT", "dir");
  QCoreApplication::setOrganizationName("ZQ61 Program");
  QCoreApplication::setApplicationName("ZQ61");
  {
    CZQ61App app;
    ASSERT_TRUE(app.InitInstance(true));
    const std::filesystem::path folder = app.ProgramFolder();
    EXPECT_EQ(folder, data.Path() / "ZQ61 Program" / "ZQ61" / "");
    for (const char* name : {"zpk", "package", "zqt", "mp3"}) {
      EXPECT_TRUE(std::filesystem::is_directory(folder / name)) << name;
    }
    EXPECT_EQ(app.Progress()->parentWidget(), app.Frame());
    EXPECT_TRUE(app.Progress()->isWindow());
  }
  QCoreApplication::setOrganizationName(QString());
  QCoreApplication::setApplicationName(QString());
}

}  // namespace
}  // namespace zq::test

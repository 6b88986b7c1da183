// The USB guest's tests: a QApplication on the offscreen platform for the
// window's cases, whose settings and adopted IDs stay in a folder of their own.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("XDG_CONFIG_HOME", "/tmp/zq61-usb-tests-config", 0);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}

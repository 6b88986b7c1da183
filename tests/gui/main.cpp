// The window tests: the program's own QApplication on the offscreen
// platform, except when the build only asks for the list of tests.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/guarded_application.h"

int main(int argc, char** argv) {
  bool listing = false;
  for (int i = 1; i < argc; ++i) {
    listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
  }
  ::testing::InitGoogleTest(&argc, argv);
  if (listing) {
    return RUN_ALL_TESTS();
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The window's settings must never reach the person's own.
  setenv("XDG_CONFIG_HOME", "/tmp/zq61-gui-tests-config", 0);
  zq::GuardedApplication application(argc, argv);
  return RUN_ALL_TESTS();
}

// Test entry point: a headless application object, so that window tests can run
// real widgets and pure tests need nothing more.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/app.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  platform::App::initForTests(argc, argv);
  return RUN_ALL_TESTS();
}

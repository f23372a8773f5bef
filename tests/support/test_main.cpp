// Test entry point: a headless application object, so that window tests can run
// real widgets and pure tests need nothing more.
#include <gtest/gtest.h>

#include <cstdlib>

#include <memory>

#include "platform/app.h"
#include "platform/dialogs.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  platform::App::initForTests(argc, argv);
  // No test waits on a real modal question: unscripted questions get the neutral
  // answer. Tests of the Qt dialogs install them explicitly.
  platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
  return RUN_ALL_TESTS();
}

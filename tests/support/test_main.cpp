// Test entry point: a headless application object, so that window tests can run
// real widgets and pure tests need nothing more.
#include <gtest/gtest.h>

#include <cstdlib>

#include <memory>

#include "measure/calibration.h"
#include "platform/app.h"
#include "platform/dialogs.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  platform::App::initForTests(argc, argv);
  // No test waits on a real modal question: unscripted questions get the neutral
  // answer. Tests of the Qt dialogs install them explicitly.
  platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
  // The notice of a missing calibration file comes once per run, at the first picture
  // shown; tests take it as given (the calibration tests reset it themselves).
  Absence_Calib_Signalee = true;
  return RUN_ALL_TESTS();
}

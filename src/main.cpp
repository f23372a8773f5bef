// Quorvale: measuring microscopic structures on calibrated microscope images.
#include "platform/app.h"
#include "shell/main_window.h"

int main(int argc, char** argv) {
  platform::App::init(argc, argv);
  Qvl().show();
  return platform::App::exec();
}

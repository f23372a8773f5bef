// Quorvale: measuring microscopic structures on calibrated microscope images.
#include "forms/main_window.h"
#include "platform/app.h"

int main(int argc, char** argv) {
  platform::App::init(argc, argv);
  Qvl().show();
  return platform::App::exec();
}

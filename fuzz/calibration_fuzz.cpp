// libFuzzer entry for the calibration file: any bytes as the calibration file of the
// program folder; its entries listed in the calibration panel and each one chosen,
// the entry matching the calibration looked for, then a new entry appended to it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "images/image_state.h"
#include "measure/calibration.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Start(true);
  QVL& f = Qvl();
  Fic_Calib = "Qvrl.Cal";
  Calibrage = 0.05;
  fuzz::Write(Rep_Prog + "/" + Fic_Calib, fuzz::Bytes(data, size));
  Calibrage_Charge(1);
  for (int k = 0; k < f.ListCalib.listCount() && k < 20; ++k) {
    f.ListCalib.setListIndex(k);
    ListCalib_Click();
  }
  ChercheCal_FicCalibrage();
  f.TBox(0).setText("x40");
  Calibrage_Sauve();
  return 0;
}

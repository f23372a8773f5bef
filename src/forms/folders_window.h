#pragma once
// The folders window QVLplus: the program, image and data folders in a frame of four
// labels. Its filling is the shell's.

#include "forms/design.h"

class QVLplus : public FormDesign {
 public:
  QVLplus();
  ~QVLplus() override;

  platform::Frame Frame1{*this, "Frame1"};   // "Répertoires"
  Array<Label> Label1{Frame1, "Label1"};     // 0 program, 1 images, 2 data, 3 unused
};

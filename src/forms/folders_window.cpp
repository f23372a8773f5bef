// The folders window's design: a frame of four labels, one above the other (twips).
#include "forms/folders_window.h"

QVLplus::QVLplus() : FormDesign("QVLplus") {
  setCaption("Form1");
  move(3000, 2000, 6000, 3400);
  place(titled(Frame1, "Répertoires"), 120, 120, 5640, 2800);
  const char* const captions[] = {"rep_application", "rep_image", "rep_Données", "rep_trame"};
  for (int i = 0; i <= 3; ++i) place(titled(Label1.add(i), captions[i]), 120, 300 + i * 620.0, 5400, 560);
}

QVLplus::~QVLplus() = default;

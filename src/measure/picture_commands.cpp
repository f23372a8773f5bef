// Clipboard copy of the picture, the insertion menu "Référence" and the "µ" button.
#include "measure/picture_commands.h"

#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/annotations.h"
#include "measure/measure_state.h"
#include "platform/clipboard.h"

namespace {

// The micrometre unit after a blank: U+00B5, byte B5 where Windows-1252 is written.
const char* const kMicrometre = " \u00B5m";

}  // namespace

void Command11_Click() {
  if (!QvlExists()) return;
  platform::Clipboard::clear();
  platform::Clipboard::setImage(Qvl().Picture1.image());
}

void insref_Click(int index) {
  if (!QvlExists() || (index != 1 && index != 2)) return;
  QVL& f = Qvl();
  Mode_InsTexte = true;
  f.Picture2.setPicture(f.picbase.picture());
  Loupe_Ouverte = true;
  f.StatusBar1.setSimpleText(MSG(194));
  if (index == 1) {
    Mode_InsRef = true;
    Mode_Annot = false;
  } else {
    Mode_Annot = true;
  }
}

void Bout_Symb_Click() {
  if (!QvlExists()) return;
  platform::TextBox& t = Qvl().TBox(5);
  t.setFocus();
  t.setText(kMicrometre);
}

void Connecte_Commandes_Image(QVL& f) {
  f.Command11.onClick = [] { Command11_Click(); };
  f.Mntool_a(2).onClick = [] { Command11_Click(); };
  f.insref->onClick = [](int i) { insref_Click(i); };
  f.Bout_Symb.onClick = [] { Bout_Symb_Click(); };
}

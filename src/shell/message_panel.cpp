// The timed message panel: a coloured frame over the picture showing one text for a
// few seconds without taking the focus.
#include "forms/main_window.h"
#include "platform/events.h"
#include "platform/runtime.h"

#include <string>

namespace {

// The message that stays until it is ended.
struct MessagePermanent {
  bool actif = false;
  double couleur = 0;
  std::string texte;
};
MessagePermanent g_permanent;

}  // namespace

void QVL::Flash(double couleur, const std::string& Chn, int delai) {
  const auto c = static_cast<platform::Colour>(platform::CLng(couleur));
  FraFlash.setBackColor(c);
  lblLabelflashx.setBackColor(c);
  FraFlash.move(5600, 4300, 4000, 1200);
  lblLabelflashx.setHeight(FraFlash.height() - 200);
  FraFlash.setVisible(true);
  FraFlash.zOrder(0);
  lblLabelflashx.setCaption(Chn);
  // Handlers may run during the wait and show the panel for a message of their own;
  // each turn shows it again until this message's time is over.
  platform::Pause(delai, [this] {
    FraFlash.setVisible(true);
    return false;
  });
  FraFlash.setVisible(false);
  if (g_permanent.actif) Flash_Permanent(g_permanent.couleur, g_permanent.texte);
}

void QVL::Flash_Permanent(double couleur, const std::string& Chn) {
  g_permanent = {true, couleur, Chn};
  const auto c = static_cast<platform::Colour>(platform::CLng(couleur));
  FraFlash.setBackColor(c);
  lblLabelflashx.setBackColor(c);
  FraFlash.move(5600, 4300, 4000, 1200);
  lblLabelflashx.setCaption(Chn);
  lblLabelflashx.setVisible(true);
  FraFlash.setVisible(true);
  FraFlash.zOrder(0);
}

void QVL::Flash_Permanent_Fin() {
  if (!g_permanent.actif) return;
  g_permanent = {};
  FraFlash.setVisible(false);
}

void QVL::Flash_ouvre(const std::string& Chn) {
  FraFlash.move(5600, 4300, 4000, 1000);
  lblLabelflashx.setHeight(FraFlash.height() - 200);
  FraFlash.setVisible(true);
  FraFlash.zOrder(0);
  lblLabelflashx.setCaption(Chn);
  lblLabelflashx.setVisible(true);
}

void QVL::Flash_ferme(int delai) {
  platform::Pause(delai);
  FraFlash.setVisible(false);
  if (g_permanent.actif) Flash_Permanent(g_permanent.couleur, g_permanent.texte);
}

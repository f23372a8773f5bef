#include "images/exif_display.h"

#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/exif_listing.h"
#include "images/image_state.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"

namespace {
constexpr int kBoutonDroit = 2;
constexpr double kPartHauteur = 0.8;   // of Picture1's height
}  // namespace

void Affiche_Exif() {
  QVL& f = Qvl();
  Place_Objet(f.TextExif, platform::CInt(f.Picture1.height() * kPartHauteur), 0, 0,
              platform::CInt(f.Picture1.width()));
  f.TextExif.setText("");
  if (!Img_Active.empty()) {
    f.TextExif.setVisible(true);
    f.TextExif.zOrder(0);
    f.TextExif.setText(Liste_Exif_Fichier(Img_Active));
    f.StatusBar1.setSimpleText(MSG(80));
  } else {
    platform::MsgBox("aucune image chargée !", platform::vbOKOnly);
  }
  if (f.TextExif.text().empty()) {
    f.TextExif.setVisible(false);
    platform::MsgBox(" pas d'information EXIF disponible", platform::vbOKOnly);
  }
}

void TextExif_MouseDown(int Button, int /*Shift*/, double /*X*/, double /*Y*/) {
  if (Button == kBoutonDroit) Qvl().TextExif.setVisible(false);
}

void Connecte_Exif(QVL& f) {
  f.TextExif.onMouseDown = [](int b, int s, double x, double y) { TextExif_MouseDown(b, s, x, y); };
}

// The diagnostics listing shown by "Voir Options".
#include "shell/diagnostics.h"

#include <charconv>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "colour/colour_state.h"
#include "colour/scanner_correction.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "platform/app.h"
#include "platform/runtime.h"

namespace {

std::string Nombre(double x) { return platform::CStr(x); }

// A single-precision value as it was stored: its own shortest digits ("9.3", not the
// digits of its double).
std::string Nombre(float x) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, x);
  if (r.ec != std::errc()) return platform::CStr(static_cast<double>(x));
  return platform::CStr(platform::Val(std::string(buf, r.ptr)));
}

std::string Nombre(int n) { return platform::CStr(static_cast<long long>(n)); }

std::string Drapeau(bool b) { return b ? "True" : "False"; }

// The caption of the ticked notation item; "" when none is ticked.
std::string Notation_Cochee(QVL& f) {
  std::string legende;
  for (int i = 1; i <= 6; ++i) {
    if (f.NotExp.exists(i) && f.NotExp(i).checked()) legende = f.NotExp(i).caption();
  }
  return legende;
}

std::string Calibrage_Image() {
  if (!Calib_Images.inBounds(Index_Image)) return "";
  return Nombre(Calib_Images(Index_Image));
}

// The name on disk of a colour file of the settings; a bare name is looked up in the
// program folder. "" when there is no such file.
std::string Nom_Sur_Disque(const std::string& nom) { return Dir_Sur(Chemin_Fichier_Couleur(nom)); }

std::string Extension_Export() {
  if (Format_Image < 0 || Format_Image >= static_cast<int>(Ext_Images.size())) return "";
  return Ext_Images[static_cast<size_t>(Format_Image)];
}

}  // namespace

std::string Texte_Diagnostic() {
  QVL& f = Qvl();
  std::string t = MNU(16);
  auto ligne = [&t](const std::string& texte) { t += "\r\n" + texte; };
  ligne(" * : " + MNU(17));
  ligne(" OS : " + Nom_Systeme);
  ligne("Langue * = " + Langue);
  ligne("Fic Trame = " + Fic_Trame);
  ligne("Img_Active = " + Nom_Fichier(Img_Active));
  ligne("Index Image = " + Nombre(Index_Image));
  ligne("Indep_Resol * = " + Drapeau(Indep_Resol));
  ligne("Fichier de calibrage * = " + Fic_Calib);
  ligne("cal. *= " + Nombre(Calibrage));
  ligne("K calibrage img *= " + Calibrage_Image());
  ligne("Res.Ecran *= " + Nombre(platform::App::ScreenWidth() / platform::kTwipsPerPixel) + "x" +
        Nombre(platform::App::ScreenHeight() / platform::kTwipsPerPixel));
  ligne(" K zoom = " + Nombre(K_Zoom));
  ligne(" taille grille =  " + Nombre(Taille_Grille));
  ligne("");
  ligne("Nb images prêtes = " + Nombre(f.ListIMGchar.listCount()));
  ligne("Nb images MC = " + Nombre(f.ListImgMC.listCount()));
  ligne("num image active = " + Nombre(Index_Image));
  ligne("REP. IMAGE *: " + Rep_Images);
  ligne("REP. DATA *:" + Rep_Data);
  ligne("REP. PROG *:" + Rep_Prog);
  ligne(MNU(10) + NomObjet);
  for (int i = 0; i < f.ListIMGchar.listCount(); ++i) ligne(Nombre(i + 1) + " : " + Nom_Fichier(f.ListIMGchar.list(i)));
  if (!Fic_Resultats.empty()) ligne(Fic_Resultats);
  ligne("Fonction = " + Nombre(FonctionCourante));
  ligne("FONCTION DEMARRAGE *= " + Nombre(Fonction_Demarrage));
  ligne("Format Décimal *:" + Format_Decimal);
  ligne("FDecimAuto * =" + Drapeau(FDecimAuto));
  ligne("Autotrace * =" + Nombre(f.Check(2).value()));
  ligne("Palmer * =" + Drapeau(f.Optn(5).value()));
  ligne("Tol. Clic * =" + Nombre(Tol_Clic / 10.0));
  ligne(MNU(22) + "* = " + Nombre(Sauve_Auto));
  ligne("Taille grille * =" + Nombre(Taille_Grille));
  ligne("notation éclair *: " + Notation_Cochee(f));
  ligne("Extension image export * = " + Extension_Export());
  ligne("Taille police * = " + Nombre(TaillePolice));
  ligne("Taille police Img * = " + Nombre(TaillePoliceImg));
  ligne("");
  ligne("Fichier étalon *: " + Nom_Sur_Disque(Fic_Etalon) + " (" + Nombre(NbEtalon) + ")");
  ligne("Fichier Scanner *: " + Nom_Sur_Disque(Fic_Scanner) + " (" + Nombre(NbScanner) + ")");
  ligne("Fichier nuancier *: " + Nom_Sur_Disque(Fic_Nuancier));
  ligne("Nuancier archive en cours * : " + Fic_ArchNua);
  ligne(" scaleW " + Nombre(f.Picture1.scaleWidth()));
  return t;
}

void Aff_Diagnostic() {
  QVL& f = Qvl();
  platform::TextBox& boite = f.TBox(4);
  boite.setVisible(!boite.visible());
  if (!boite.visible()) {
    f.Picture1.setFocus();
    return;
  }
  boite.move(8000, 1000, 4500, 7500);
  boite.zOrder(0);
  boite.setText(Texte_Diagnostic());
}

#include "shell/help.h"

#include <array>
#include <cstring>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/shell_services.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "shell/language.h"
#include "shell/settings_file.h"

namespace {

constexpr int kLongueurLue = 200;   // a warning text this long or shorter is never acknowledged
constexpr int kResteLu = 15;        // characters that may follow the caret
constexpr platform::Colour kRouge = 255;

// The step-by-step calibration guide; fixed French, not from the text tables.
constexpr std::array<const char*, 11> kGuide{{
    "La mesure avec Quorvale nécessite un calibrage préalable.",
    "Le plus simple est d'effectuer une prise de vue de la mire micrométrique de votre oculaire",
    "Charger cette image et centrez la sur les graduations",
    "Pressez ensuite le bouton 'Etalonner'",
    "Pointez un maximum de divisions, entrez la grandeur vraie et valider",
    "",
    "   Quorvale est prêt à mesurer",
    "",
    "Pour que votre calibrage soit conservé au prochain démarrage",
    "faire  'Fichier/sauver les paramètres'",
    "",
}};

// The welcome panel opened for a help text: its "close" button and no acceptance box.
void Panneau_Aide(QVL& f, const std::string& titre) {
  f.Frame(9).setCaption(titre);
  f.Bout(33).setVisible(false);
  f.Bout(34).setCaption(MSG(18));
  f.Check(4).setVisible(false);
  f.Frame(9).setVisible(true);
  f.Frame(9).zOrder(0);
}

}  // namespace

void Mnuaide_Click(int index) {
  QVL& f = Qvl();
  switch (index) {
    case 2:
      Panneau_Aide(f, "mémo clés");
      Aide_Liste();
      Aide_Touches_Ouverte = true;
      break;
    case 3:
      AFF_Aide_pdf();
      break;
    case 5:
      Panneau_Aide(f, "Pas à pas");
      f.TBox(7).setText("");
      f.TBox(5).setText(platform::CStr(static_cast<long long>(NbSegments_Calib)));
      f.Picture1.setFocus();
      Aide_Calibrage();
      Mode_Etalonnage = true;
      f.StatusBar1.setSimpleText(MSG(167));
      break;
    default:
      break;
  }
}

void AFF_Aide_pdf() { Ouvre_Manuel(Langue); }

void Aide_Liste() {
  std::string texte;
  for (int i = 2; i <= 13; ++i) texte += MSG(i) + SautLigne;
  Qvl().TBox(7).setText(texte);
}

void Aide_Calibrage() {
  std::string texte;
  for (const char* ligne : kGuide) texte += std::string(ligne) + SautLigne;
  Qvl().TBox(7).setText(texte);
}

void Affiche_Avertissement() {
  QVL& f = Qvl();
  f.Frame(9).setVisible(true);
  f.Frame(9).zOrder(0);
  f.TBox(7).setText("");
  const std::string path = Fichier_Programme("avert_" + Langue + ".txt");
  if (!Fichier_Existe(path, path + " " + MSG(177), 1)) return;
  std::vector<std::string> lignes;
  std::string erreur;
  if (!platform::readLines(path, &lignes, &erreur)) {
    platform::MsgBox(erreur);
    return;
  }
  std::string texte;
  for (const std::string& l : lignes) texte += platform::Trim(l) + SautLigne;
  f.TBox(7).setText(texte);
}

bool Avertissement_Lu(int caret, int length) {
  return caret > kLongueurLue && caret > length - kResteLu;
}

void TBox_Click(int index) {
  if ((index >= 1 && index <= 6) || index == 8 || Mode_Annot || Mode_InsRef) return;
  QVL& f = Qvl();
  f.Bout(34).setCaption(MSG(18));
  f.Bout(33).setCaption(MSG(197));
  if (f.Bout(10).backColor() == kRouge) return;
  platform::TextBox& texte = f.TBox(7);
  const int longueur = static_cast<int>(platform::Len(texte.text()));
  if (!Avertissement_Lu(texte.selStart(), longueur)) return;
  f.Check(4).setEnabled(false);
  f.Bout(33).setEnabled(true);
  f.Bout(34).setEnabled(true);
  Avert_Attente = true;
  f.Bout(34).setCaption(MSG(18));
  platform::MsgBox(MNU(1), platform::vbOKOnly);
  Avert_Attente = false;
  Sauve_Parametres(1);
}

std::string Date_Construction() {
  static constexpr const char* kMois = "JanFebMarAprMayJunJulAugSepOctNovDec";
  const char* d = __DATE__;   // "Mmm dd yyyy"
  const char* m = std::strstr(kMois, std::string(d, 3).c_str());
  const int mois = m ? static_cast<int>((m - kMois) / 3) + 1 : 1;
  std::string jour(d + 4, 2);
  if (jour[0] == ' ') jour[0] = '0';
  return jour + "/" + (mois < 10 ? "0" : "") + std::to_string(mois) + "/" + std::string(d + 7, 4);
}

void MnApropos_Click() {
  QVL& f = Qvl();
  f.label(0).setCaption("Maj " + Date_Construction());
  f.MnApropos->setVisible(false);
  f.FraQvrl.setCaption("");
  f.FraQvrl.setVisible(true);
  f.FraQvrl.zOrder(0);
}

void Connecte_Aide(QVL& f) {
  f.Mnuaide->onClick = [](int i) { Mnuaide_Click(i); };
  // The statistics window's "Documentation" opens the same manual.
  Services_Shell().AFF_Aide_pdf = [] { AFF_Aide_pdf(); };
  f.MnApropos->onClick = [] { MnApropos_Click(); };
  f.TBox.onClick = [](int i) { TBox_Click(i); };
  // The diagnostics box closes when it loses the focus.
  f.TBox.onLostFocus = [&f](int i) {
    if (i == 4) f.TBox(4).setVisible(false);
  };
}

#include "images/capture_naming.h"

#include <cctype>

#include "base/helpers.h"
#include "forms/twain_prefixe.h"
#include "images/capture.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "platform/calendar.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"

namespace {

constexpr int kNumeroMax = 32767;
const char* const kNomDansChargeur = "nom d'image déjà sdans le chargeur";

bool g_chargement = false;   // the change checks are off while the window loads

void connecte(TwainPrefixe& f) {
  f.onLoad = [] { TwainPrefixe_Form_Load(); };
  f.Option1.onClick = [](int i) { TwainPrefixe_Option1_Click(i); };
  f.Check1.onClick = [](int i) { TwainPrefixe_Check1_Click(i); };
  f.Command1.onClick = [](int i) { TwainPrefixe_Command1_Click(i); };
  f.Command2.onClick = [] { TwainPrefixe_Command2_Click(); };
  f.Command3.onClick = [] { TwainPrefixe_Command3_Click(); };
  f.Text1.onChange = [](int i) { TwainPrefixe_Text1_Change(i); };
}

void Affiche_Repertoire(TwainPrefixe& f) { f.Label1(2).setCaption("Répertoire : " + Rep_Images); }

// The names the boxes give, or none when the number is not valid.
bool Noms_Des_Boites(std::array<std::string, 2>* noms) {
  TwainPrefixe& f = FenTwainPrefixe();
  const int n = Premier_Numero(f.Text1(1).text());
  if (n < 0) return false;
  *noms = Noms_Captures_Prevues(f.Text1(0).text(), n);
  return true;
}

}  // namespace

TwainPrefixe& FenTwainPrefixe() {
  // Never destroyed, as the main window: its widgets belong to the application object.
  static TwainPrefixe* instance = [] {
    auto* f = new TwainPrefixe();
    connecte(*f);
    return f;
  }();
  return *instance;
}

void Affiche_TwainPrefixe() { FenTwainPrefixe().show(); }

std::array<std::string, 2> Noms_Captures_Prevues(const std::string& prefixe, int n) {
  const std::string dossier = Dossier_Captures();
  const std::string numero = platform::CStr(static_cast<long long>(n)) + ".bmp";
  return {dossier + "/" + prefixe + numero, dossier + "/" + prefixe + "_" + numero};
}

int Premier_Numero(const std::string& texte) {
  const std::string t = platform::Trim(texte);
  if (t.empty() || t.size() > 5) return -1;
  for (const char c : t)
    if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
  const int n = std::stoi(t);
  return n <= kNumeroMax ? n : -1;
}

void TwainPrefixe_Form_Load() {
  TwainPrefixe& f = FenTwainPrefixe();
  g_chargement = true;
  f.Option1(Nom_Auto ? 0 : 1).setValue(true);
  f.Frame1.setVisible(!Nom_Auto);
  f.Text1(0).setText(Prefixe_Capture);
  f.Text1(1).setText(platform::CStr(static_cast<long long>(Num_Capture)));
  Affiche_Repertoire(f);
  const bool garde0 = Sauve_Captures(0), garde1 = Sauve_Captures(1);
  f.Check1(0).setValue(garde0 ? 1 : 0);
  f.Check1(1).setValue(garde1 ? 1 : 0);
  g_chargement = false;
}

void TwainPrefixe_Option1_Click(int Index) {
  if (Index != 0 && Index != 1) return;
  Nom_Auto = Index == 0;
  FenTwainPrefixe().Frame1.setVisible(!Nom_Auto);
}

void TwainPrefixe_Check1_Click(int Index) {
  if (Index != 0 && Index != 1) return;
  Sauve_Captures(Index) = FenTwainPrefixe().Check1(Index).value() == 1;
}

int test_nom_chargeur() {
  std::array<std::string, 2> noms;
  if (!Noms_Des_Boites(&noms)) return 0;
  for (const std::string& nom : noms)
    if (Position_Image(nom) >= 0) return -1;
  return 0;
}

void TwainPrefixe_Command1_Click(int Index) {
  TwainPrefixe& f = FenTwainPrefixe();
  if (Index == 1) {
    f.unload();
    return;
  }
  if (Index != 0) return;
  const int n = Premier_Numero(f.Text1(1).text());
  if (n < 0) {
    platform::MsgBox("Premier numéro invalide", platform::vbExclamation);
    return;
  }
  if (test_nom_chargeur() == -1) {
    platform::MsgBox(kNomDansChargeur);
    return;
  }
  Prefixe_Capture = f.Text1(0).text();
  Prefixe_Capture2 = Prefixe_Capture;
  Num_Capture = n;
  for (int i = 0; i <= 1; ++i) Sauve_Captures(i) = f.Check1(i).value() == 1;
  f.unload();
}

void TwainPrefixe_Command2_Click() {
  const std::optional<std::string> choix =
      platform::dialogs().chooseFolder("Choix d'un répertoire", Rep_Images);
  if (choix && !choix->empty()) Rep_Images = *choix;
  Affiche_Repertoire(FenTwainPrefixe());
}

void TwainPrefixe_Command3_Click() {
  const platform::Date d = platform::Today();
  FenTwainPrefixe().Text1(0).setText(platform::FormatDate(d.year, d.month, d.day, 0, 0, 0, "yyyymmdd") + "_");
}

void TwainPrefixe_Text1_Change(int /*Index*/) {
  if (g_chargement) return;
  if (test_nom_chargeur() == -1) {
    platform::MsgBox(kNomDansChargeur);
    return;
  }
  std::array<std::string, 2> noms;
  if (!Noms_Des_Boites(&noms)) return;
  for (const std::string& nom : noms) {
    if (!Fichier_Existe(nom)) continue;
    if (platform::MsgBox(Question_Ecrasement(nom), platform::vbYesNo) == platform::vbYes)
      FenTwainPrefixe().unload();
    return;
  }
}

// Modes of the diagram panel.
#include "statwindow/modes.h"

#include <algorithm>
#include <optional>
#include <string>

#include "base/text_tables.h"
#include "forms/main_window.h"
#include "forms/stat_window.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "statwindow/data_series.h"
#include "statwindow/diagram_panel.h"
#include "statwindow/diagram_state.h"
#include "statwindow/stat_window.h"

namespace {

constexpr platform::Colour kPret = 0x80FF80;      // "calcul", "Ok" ready
constexpr platform::Colour kAnnule = 0xC0C0FF;    // "Annule" ready
constexpr platform::Colour kMarquage = 0x00FF00;  // MCommand2 while marking
constexpr platform::Colour kRepos = 0xC0C0C0;     // MCommand2 otherwise

void statut(const std::string& texte) { Qvl().StatusBar1.setSimpleText(texte); }

void desactive(FenHisto& f, std::initializer_list<int> boutons) {
  for (int i : boutons) {
    f.MCommand5(i).setEnabled(false);
    f.MCommand5(i).setBackColor(platform::kButtonFace);
  }
}

void active(FenHisto& f, int i, platform::Colour c) {
  f.MCommand5(i).setEnabled(true);
  f.MCommand5(i).setBackColor(c);
}

void limitesVides(FenHisto& f, const std::string& tiret) {
  f.MLabel5(1).setCaption(tiret);
  f.MLabel5(2).setCaption(tiret);
  Attente_Borne2 = false;
}

// Back to the whole data after a mode.
void donneesCompletes() {
  Texte_Donnees = Texte_Complet;
  Mcalcul(Texte_Donnees, 0);
}

void calculMode(FenHisto& f) {
  f.MCommand2.setEnabled(false);
  if (NbModes > 15) {
    platform::MsgBox("15 PDMS maximum");
    return;
  }
  if (f.MVScroll2(5).value() > 0 && f.Hopt(1).checked() && NbModes == 1) platform::MsgBox(NMST(17));
  if (!Mcalcul_dlms()) {
    f.MCommand2.setEnabled(true);
    return;
  }
  active(f, 4, kPret);
  active(f, 5, kAnnule);
  f.MCommand5(15).setEnabled(true);
  f.MCommand5(16).setEnabled(true);
  statut("résultats données voisines du PDM / Presser <OK>");
}

// "/Xi": the whole data without the values between the limits.
void retireMode(FenHisto& f) {
  donneesCompletes();
  const std::string reste = Valeurs_Hors(Donnees, Indice1, Indice2);
  if (reste.empty()) {
    platform::MsgBox("il ne reste aucune donnée à calculer");
    return;
  }
  Mcalcul(reste, 1);
  f.MText3.setText(reste);
  if (f.MCheck1(6).value() == 1) ReCalcul(0);
}

// "Ok": the dominant value of the marked values becomes the mode of the slot.
void accepteMode(FenHisto& f) {
  if (NbModes > 16) {
    platform::MsgBox("16 PDM maximum");
    return;
  }
  const bool tropPeu = Val_Dominante == 0;
  limitesVides(f, "-");
  f.MFrame1(1).setCaption("PDMS");
  desactive(f, {3, 4, 5});
  if (tropPeu) {
    donneesCompletes();
    platform::MsgBox(" nombre insuffisant de données sélectionnées ");
  } else {
    Modes(NbModes) = static_cast<float>(Val_Dominante);
    ++NbModes;
    f.MCommand2.setCaption("PDMS " + std::to_string(NbModes));
    if (f.MCheck1(6).value() != 1)
      donneesCompletes();
    else
      Mcalcul(Texte_Donnees, 1);
    if (f.MCheck1(7).value() == 1) {
      f.MCheck1(6).setValue(1);
      retireMode(f);
    }
  }
  statut("Résultats relatifs aux données restantes");
}

}  // namespace

void ConnecteModes(FenHisto& f) {
  f.MCommand2.onClick = [] { MCommand2_Click(); };
  f.MCommand5.onClick = [](int i) { MCommand5_Click(i); };
  f.MHistPic.onMouseUp = [](int b, int s, double x, double y) { MHistPic_MouseUp(b, s, x, y); };
}

void MCommand2_Click() {
  FenHisto& f = StatWindow();
  Attente_Borne2 = false;
  if (!Marquage_PDM) {
    Modes(0) = static_cast<float>(Val_Dominante);
    Marquage_PDM = true;
    f.MCommand2.setBackColor(kMarquage);
    statut("marquer 2 points encadrant le PDM trouvé puis presser <Calcul>");
    return;
  }
  Marquage_PDM = false;
  f.MCommand2.setBackColor(kRepos);
  for (int i : {3, 4, 15, 16}) f.MCommand5(i).setEnabled(false);
  limitesVides(f, " -");
}

void MHistPic_MouseUp(int /*Button*/, int /*Shift*/, double x, double /*y*/) {
  if (!Marquage_PDM) return;
  FenHisto& f = StatWindow();
  const double abscisse = x + (f.MCheck1(3).value() == 1 ? f.MScroll1(5).value() : 0);
  if (!Attente_Borne2) {
    Borne1 = static_cast<float>(abscisse);
    desactive(f, {3, 4, 5});
    Attente_Borne2 = true;
    f.MLabel5(1).setCaption(platform::Format(Borne1, "##.##") + " ");
    f.MLabel5(2).setCaption("");
  } else {
    Borne2 = static_cast<float>(abscisse);
    active(f, 3, kPret);
    Attente_Borne2 = false;
    f.MLabel5(2).setCaption(platform::Format(Borne2, "##.##") + " ");
  }
}

bool Mcalcul_dlms() {
  if (Borne2 < Borne1) std::swap(Borne1, Borne2);
  const std::optional<ModeInterval> m = Valeurs_Entre(Donnees, Borne1, Borne2);
  if (!m) {
    platform::MsgBox(NMST(1) + " " + NMST(3));
    return false;
  }
  Indice1 = m->indice1;
  Indice2 = m->indice2;
  Texte_Donnees = m->texte;
  StatWindow().lblNb.setCaption(m->nbParUnite);
  Mcalcul(Texte_Donnees, 1);
  return true;
}

void MCommand5_Click(int Index) {
  FenHisto& f = StatWindow();
  f.MCommand2.setEnabled(true);
  switch (Index) {
    case 2:
      platform::Clipboard::clear();
      platform::Clipboard::setText(f.MText1.text());
      break;
    case 3:
      calculMode(f);
      break;
    case 4:
      accepteMode(f);
      break;
    case 5:
      Annule_Mode();
      break;
    case 14:
      RazModes(0);
      desactive(f, {3, 4, 5});
      break;
    case 15: {
      const int n = static_cast<int>(Donnees.size()) - 1;
      f.MText3.setText(Texte_Valeurs(Donnees, 1, std::min(n, Indice2)));
      break;
    }
    case 16:
      retireMode(f);
      break;
    default:
      break;
  }
}

void Annule_Mode() {
  FenHisto& f = StatWindow();
  if (NbModes >= 17) {
    platform::MsgBox("16 PDM maximum");
    return;
  }
  limitesVides(f, "-");
  f.MFrame1(1).setCaption("PDMS");
  desactive(f, {3, 4, 5});
  if (Modes.inBounds(NbModes)) Modes(NbModes) = 0;
  donneesCompletes();
  f.MCommand2.setCaption("PDMS " + std::to_string(NbModes));
}

void RazModes(int mode) {
  FenHisto& f = StatWindow();
  if (mode == 0) {
    if (Marquage_PDM) {
      f.MCommand2.setCaption("PDMS ");
      limitesVides(f, "-");
      Msto_texte();
    } else {
      donneesCompletes();
    }
  } else if (mode == 1) {
    f.MCommand2.setCaption("PDMS ");
    limitesVides(f, "-");
    Sauve_Resume = true;
    OublieModes();
  }
}

// The colour-match window's life and its search side: made on first use, opened
// modal from the main window, loaded, activated on the grid's colours, closed.
#include "colour/colour_window.h"

#include <algorithm>
#include <cstdlib>
#include <array>
#include <set>
#include <string>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "colour/chart.h"
#include "colour/chart_archive.h"
#include "colour/colour_state.h"
#include "colour/colour_window_parts.h"
#include "colour/nearest_search.h"
#include "forms/colour_window.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "platform/app.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

namespace {

Ajustement* g_fenetre = nullptr;

// The searches that loading and activation start show each message once per opening.
int g_ouverture = 0;
std::set<int> g_messagesMontres;

// The result lines of the last search and the input colour it read.
std::string Texte_Res;
std::array<double, 3> Coul_Entree{};

class PhaseOuverture {
 public:
  PhaseOuverture() { ++g_ouverture; }
  ~PhaseOuverture() { --g_ouverture; }
  PhaseOuverture(const PhaseOuverture&) = delete;
  PhaseOuverture& operator=(const PhaseOuverture&) = delete;
};

void connecte(Ajustement& f) {
  using namespace colour_window;
  f.onLoad = [] { Form_Load(); };
  f.onActivate = [] { Form_Activate(); };
  f.Option2.onClick = [](int i) { Option2_Click(i); };
  f.Option3.onClick = [](int i) { Option3_Click(i); };
  f.Check3.onClick = [] { Check3_Click(); };
  f.Text5.onChange = [] { Text5_Change(); };
  f.VScroll3.onChange = [](int) { VScroll3_Change(); };
  f.Text4.onChange = [] { Text4_Change(); };
  f.VScroll2.onChange = [] { VScroll2_Change(); };
  f.Option5.onClick = [](int i) { Option5_Click(i); };
  f.OpDelta.onClick = [](int i) { OpDelta_Click(i); };
  f.ChKRel.onClick = [] { calcul_Ajust(); };
  f.ComCalc.onClick = [] { calcul_Ajust(); };
  f.Command1.onClick = [](int) { Command1_Click(); };
  f.Command2.onClick = [] { Command2_Click(); };
  f.Command3.onClick = [] { Command3_Click(); };
  f.Comm_nuancier.onClick = [] { Comm_nuancier_Click(); };
  f.Option1.onClick = [](int i) { Option1_Click(i); };
  f.Check4.onClick = [] { Check4_Click(); };
  f.VScroll1.onChange = [](int) { VScroll1_Change(); };
  Connecte_Archive(f);
  // Items without a command of their own are greyed: the menu titles that hold no
  // list, and "Charger Nuancier" and "Charger étalon couleur" of Fichiers.
  Grise_Articles(f.Fic_Ajust, {2, 3, 4, 5, 6, 7, 8, 9, 11, 12});
  Grise_Articles(f.Fic_Charte, {1, 5});
}

void grise(platform::TextBox& t) {
  t.setBackColor(kFondInactif);
  t.setEnabled(false);
}

void applique(platform::Frame& cadre, const Pastille& p) {
  if (p.legende) cadre.setCaption(*p.legende);
  if (p.couleur) cadre.setBackColor(*p.couleur);
  cadre.setVisible(p.visible);
}

// "Nuancier : " and the chart file's name on disk ("" when it is not found).
std::string legendeNuancier() { return TINTAVEL(11) + " : " + Nom_Nuancier(); }

}  // namespace

std::string Nom_Nuancier() { return Dir_Sur(Chemin_Fichier_Couleur(Fic_Nuancier)); }

std::string Cellule_Grille(const platform::FlexGrid& g, int ligne, int colonne) {
  if (ligne < 0 || ligne >= g.rows() || colonne < 0 || colonne >= g.cols()) return "";
  return g.textMatrix(ligne, colonne);
}

bool Texte_Nombre(const std::string& texte) {
  const std::string t = platform::Replace(platform::Trim(texte), ",", ".");
  if (t.empty()) return false;
  char* fin = nullptr;
  std::strtod(t.c_str(), &fin);
  return fin != t.c_str() && *fin == '\0';
}

void Montre_Message(int numero) {
  if (g_ouverture > 0 && !g_messagesMontres.insert(numero).second) return;
  platform::MsgBox(MSG(numero));
}

std::function<void()>& Bip_Ajustement() {
  static std::function<void()> bip = [] { platform::App::Beep(); };
  return bip;
}

Ajustement& ColourWindow() {
  if (!g_fenetre) {
    g_fenetre = new Ajustement();
    connecte(*g_fenetre);
  }
  return *g_fenetre;
}

bool ColourWindowExists() { return g_fenetre != nullptr; }

void ForgetColourWindow() {
  if (!g_fenetre) return;
  g_fenetre->unload();
  delete g_fenetre;
  g_fenetre = nullptr;
}

void UnloadColourWindow() {
  if (g_fenetre) g_fenetre->unload();
}

// An unloaded window comes back in its design state, as a window made anew.
static Ajustement& fenetreChargee() {
  if (g_fenetre && !g_fenetre->isLoaded()) ForgetColourWindow();
  Ajustement& f = ColourWindow();
  if (!f.isLoaded()) {
    g_messagesMontres.clear();
    f.load();
  }
  return f;
}

void ShowColourWindow() {
  // A window loaded hidden (the chart details) opens anew for its messages.
  if (g_fenetre && g_fenetre->isLoaded() && !g_fenetre->visible()) g_messagesMontres.clear();
  Ajustement& f = fenetreChargee();
  if (!f.isLoaded()) return;
  f.move(1000, 500);
  f.showModal();
}

void Comm_nuancier_Click() {
  Ajustement& f = fenetreChargee();
  const std::string chemin = Chemin_Fichier_Couleur(Fic_Nuancier);
  std::vector<std::string> lignes;
  if (chemin.empty() || !Fichier_Existe(chemin) || !platform::readLines(chemin, &lignes)) return;
  f.Text2.setText(Details_Nuancier(lignes, platform::ShortDateNow(), Nom_Fichier(Img_Active), Nom_Nuancier(),
                                   NbNuancier));
}

namespace colour_window {

void Form_Load() {
  PhaseOuverture phase;
  Ajustement& f = ColourWindow();
  for (int i = 0; i <= 2; ++i) {
    grise(f.Text3(i));
    f.Label2(i).setCaption("");
  }
  f.Option1(0).setEnabled(false);
  f.Option1(1).setEnabled(true);
  f.Option1(1).setValue(true);
  f.Option3(0).setValue(true);
  f.Option3(1).setValue(false);
  f.Text1(0).setEnabled(false);
  f.VScroll1(0).setEnabled(false);
  f.Frame3.setCaption("");
  f.Label8.setCaption(Nuancier_Trouve ? legendeNuancier() : TINTAVEL(11));
}

void Form_Activate() {
  PhaseOuverture phase;
  Ajustement& f = ColourWindow();
  QVL& q = Qvl();
  const int lignes = std::max(NbLignes_Ajust, 1);
  f.VScroll3(0).setMax(lignes);
  f.VScroll7(1).setMax(lignes);
  Charge_entetes();
  f.Fic_Charte(7).setEnabled(true);
  f.Label5(1).setCaption(Nom_Fichier(Fic_ArchNua));
  f.Label10.setCaption(TxtNuaAffiche());
  if (q.MntoolXp.exists(4)) q.MntoolXp(4).setEnabled(true);
  const int nombre = std::min(NbNuancier, 5);
  f.Text4.setText(platform::CStr(static_cast<long long>(nombre)));
  f.VScroll2.setValue(nombre);
  Option2_Click(f.Option2(0).value() ? 0 : 1);
  f.Label9.setCaption(TINTAVEL(q.CheckCalibre.value() == 1 ? 36 : 35));
  f.Label8.setCaption(legendeNuancier());
  if (NbLignes_Ajust >= 0 && NbLignes_Ajust < q.GrilleRef.rows()) q.GrilleRef.setRow(NbLignes_Ajust);
  for (int c = 1; c <= 3; ++c) {
    platform::TextBox& t = f.Text1(c - 1);
    t.setVisible(true);
    t.setEnabled(false);
    t.setText(Cellule_Grille(q.GrilleRef, NbLignes_Ajust, c));
  }
  f.Frame6(1).setCaption("test");
  f.Text2.setText("");
  f.VScroll2.setMax(14);
  calcul_Ajust();
}

void Charge_entetes() {
  Ajustement& f = ColourWindow();
  f.Label8.setCaption(TINTAVEL(11));
  f.Option5(0).setCaption(TINTAVEL(12));
  f.Option5(1).setCaption(TINTAVEL(13));
  f.Command1(0).setCaption(TINTAVEL(14));
  f.Command3.setCaption(TINTAVEL(15));
  f.Command2.setCaption(TINTAVEL(16));
  f.Comm_nuancier.setCaption(TINTAVEL(17));
  f.ComCalc.setCaption(TINTAVEL(18));
  for (int k = 1; k <= 10; ++k) {
    const std::string titre = TINTAVEL(23 + k);
    f.Fic_Ajust(k).setCaption(titre);
    f.Fic_Ajust(k).setVisible(!titre.empty());
  }
  for (int i = 0; i <= 2; ++i) f.Option3(i).setCaption(TINTAVEL(19 + i));
  f.Label1.setCaption(TINTAVEL(23));
}

void calcul_Ajust() {
  Ajustement& f = ColourWindow();
  f.Frame6(0).setVisible(false);
  f.Frame6(1).setVisible(false);
  DemandeAjust d;
  for (int i = 1; i <= 8 && d.formule == 0; ++i)
    if (f.OpDelta(i).value()) d.formule = i;
  d.relatif = f.ChKRel.value() == 1;
  d.automatique = f.Check5.value() == 1;
  for (int i = 0; i <= 2; ++i) {
    d.entree[static_cast<std::size_t>(i)] = f.Text3(i).text();
    Coul_Entree[static_cast<std::size_t>(i)] = Val_Decimal(f.Text3(i).text());
  }
  d.nombre = f.Text4.text();
  d.entete = Texte_Entete_Ajust(platform::ShortDateNow(), Dir_Sur(Img_Active), Nom_Nuancier(),
                                Qvl().CheckCalibre.value() == 1);
  const ResultatAjust r = ::calcul_Ajust(d, Nuancier_Courant());
  if (r.archiveBloquee) f.Fic_Charte(7).setEnabled(false);
  if (r.ecrit) {
    f.Text2.setText(r.texte);
    Texte_Res = r.texteRes;
  }
  applique(f.Frame6(0), r.mesure);
  applique(f.Frame6(1), r.nuancier);
  if (r.message != 0) Montre_Message(r.message);
}

void Lit_ligne_grille(int ligne, int q) {
  Ajustement& f = ColourWindow();
  platform::FlexGrid& g = Qvl().GrilleRef;
  if (ligne >= 0 && ligne < g.rows()) g.setRow(ligne);
  for (int i = 1; i <= 3; ++i) {
    platform::TextBox& t = f.Text3(i - 1);
    t.setVisible(true);
    t.setEnabled(true);
    t.setText(Cellule_Grille(g, ligne, q + i));
  }
}

void Lit_couleur_grille(int ligne) {
  Ajustement& f = ColourWindow();
  QVL& q = Qvl();
  const bool lab = f.Option2(1).value();
  if (!lab && !f.Option2(0).value()) return;
  for (int i = 1; i <= 3; ++i) {
    platform::TextBox& t = f.Text3(i - 1);
    t.setVisible(true);
    t.setEnabled(true);
    t.setText(Cellule_Grille(q.GrilleRefP, ligne, (lab ? 3 : 0) + i));
  }
  if (lab && ligne >= 0 && ligne < q.GrilleRef.rows()) q.GrilleRef.setRow(ligne);
}

void Option2_Click(int) {
  Ajustement& f = ColourWindow();
  for (int i = 1; i <= 8; ++i) f.OpDelta(i).setEnabled(false);
  f.ChKRel.setEnabled(false);
  if (f.Option2(0).value()) {
    f.OpDelta(1).setEnabled(true);
    Lit_couleur_grille(1);
    f.ChKRel.setEnabled(true);
    f.OpDelta(1).setValue(true);
    const char* canaux[] = {"R", "V", "B"};
    for (int i = 0; i <= 2; ++i) f.Label_C(i).setCaption(canaux[i]);
  }
  if (f.Option2(1).value()) {
    for (int i = 4; i <= 8; ++i) f.OpDelta(i).setEnabled(true);
    f.OpDelta(5).setValue(true);
    const char* axes[] = {"L", "a", "b"};
    for (int i = 0; i <= 2; ++i) f.Label_C(i).setCaption(axes[i]);
    Lit_couleur_grille(1);
  }
  calcul_Ajust();
}

void Option3_Click(int Index) {
  Ajustement& f = ColourWindow();
  if (Index < 0 || Index > 3) return;
  const int q = f.Option2(1).value() ? 3 : 0;
  for (int i = 0; i <= 2; ++i) grise(f.Text3(i));
  for (int i = 0; i <= 3; ++i)
    if (i != Index) f.Option3(i).setValue(false);
  switch (Index) {
    case 0:
      Lit_couleur_grille(1);
      break;
    case 1:
      Lit_ligne_grille(NbLignes_Ajust, q);
      break;
    case 2:
      if (f.Check3.value() == 1) {
        for (int i = 0; i <= 2; ++i) {
          f.Text3(i).setBackColor(kFondSaisie);
          f.Text3(i).setEnabled(true);
        }
      }
      break;
    default:
      Lit_ligne_grille(platform::CInt(Val_Decimal(f.Text5.text())), q);
      break;
  }
  calcul_Ajust();
}

void Check3_Click() {
  Ajustement& f = ColourWindow();
  const bool expert = f.Check3.value() == 1;
  for (int i = 0; i <= 2; ++i) {
    platform::TextBox& t = f.Text3(i);
    t.setBackColor(kFondInactif);
    f.Option3(2).setEnabled(false);
    if (expert) f.Option3(2).setEnabled(true);
    if (f.Option3(2).value()) {
      t.setBackColor(expert ? kFondSaisie : kFondInactif);
      t.setEnabled(expert);
    }
  }
}

void Text5_Change() {
  Ajustement& f = ColourWindow();
  f.Option3(3).setValue(false);
  const std::string texte = f.Text5.text();
  if (!Texte_Nombre(texte)) return;
  const double v = Val_Decimal(texte);
  // A corrected text comes back here and does the rest.
  if (v < 1) {
    f.Text5.setText("1");
    return;
  }
  if (NbLignes_Ajust >= 1 && v > NbLignes_Ajust) {
    f.Text5.setText(platform::CStr(static_cast<long long>(NbLignes_Ajust)));
    return;
  }
  f.VScroll3(0).setValue(platform::CInt(v));
  // Selecting the source reads the row and searches.
  f.Option3(3).setValue(true);
  if (NbLignes_Ajust == 0) f.Text5.setText("1");
}

void VScroll3_Change() {
  Ajustement& f = ColourWindow();
  if (NbLignes_Ajust != 0)
    f.Text5.setText(platform::CStr(static_cast<long long>(f.VScroll3(0).value())));
}

void Text4_Change() {
  Ajustement& f = ColourWindow();
  const double v = platform::Val(f.Text4.text());
  // A corrected count comes back here and searches.
  if (!(v > 0)) {
    f.Text4.setText("1");
    return;
  }
  if (NbNuancier > 0 && v > NbNuancier) {
    if (Bip_Ajustement()) Bip_Ajustement()();
    f.Text4.setText(platform::CStr(static_cast<long long>(NbNuancier)));
    return;
  }
  calcul_Ajust();
}

void VScroll2_Change() {
  Ajustement& f = ColourWindow();
  int v = f.VScroll2.value();
  if (NbNuancier > 0) v = std::min(v, NbNuancier);
  f.Text4.setText(platform::CStr(static_cast<long long>(v)));
}

void Option5_Click(int Index) {
  Ajustement& f = ColourWindow();
  if (Index == 0) {
    f.Text4.setEnabled(true);
    f.Text4.setBackColor(kFondSaisie);
  } else if (Index == 1) {
    f.Text4.setEnabled(false);
    f.Text4.setBackColor(0x8000000A);
  }
}

void OpDelta_Click(int) {
  if (NbNuancier != 0)
    calcul_Ajust();
  else
    Montre_Message(221);
}

void Command1_Click() {
  Ajustement& f = ColourWindow();
  f.MonthView1.setVisible(false);
  f.unload();
}

void Command2_Click() {
  platform::Frame& grille = Qvl().Frame(6);
  grille.setVisible(!grille.visible());
}

void Command3_Click() {
  Ajustement& f = ColourWindow();
  platform::Clipboard::clear();
  platform::Clipboard::setText(f.Text2.text());
  f.Text2.setSelStart(0);
  if (Bip_Ajustement()) Bip_Ajustement()();
}

void Option1_Click(int Index) {
  Ajustement& f = ColourWindow();
  for (int i = 0; i <= 2; ++i) f.Label2(i).setCaption("");
  if (Index == 0) {
    f.Option1(0).setValue(true);
    f.Option1(1).setValue(false);
  } else if (Index == 1) {
    f.Label2(0).setCaption("%");
    f.Option1(1).setValue(true);
    f.Option1(0).setValue(false);
  }
}

void Check4_Click() {
  Ajustement& f = ColourWindow();
  if (f.Check4.value() == 1) {
    for (int i = 0; i <= 2; ++i) {
      f.Text1(i).setBackColor(0x8000000B);
      f.Label2(i).setCaption("");
    }
    f.Option1(0).setEnabled(false);
    f.Option1(1).setEnabled(true);
    f.Option1(1).setValue(true);
    f.Option3(0).setValue(true);
    f.Option3(1).setValue(false);
    f.Text4.setBackColor(kFondSaisie);
    f.Text4.setEnabled(true);
    f.VScroll2.setEnabled(true);
    f.Text1(0).setEnabled(false);
    f.VScroll1(0).setEnabled(false);
    f.Text4.setFocus();
    return;
  }
  for (int i = 0; i <= 2; ++i) f.Label2(i).setCaption("");
  f.Label2(0).setCaption("%");
  f.Text1(1).setEnabled(false);
  f.Option1(0).setEnabled(true);
  f.Option1(1).setEnabled(true);
  f.Option1(1).setValue(true);
  f.Text1(0).setBackColor(kFondSaisie);
  f.Text1(0).setEnabled(true);
  f.Text4.setEnabled(false);
  f.VScroll1(0).setEnabled(true);
  f.Text1(0).setFocus();
}

void VScroll1_Change() {
  Ajustement& f = ColourWindow();
  const platform::VScrollBar& b = f.VScroll1(0);
  const std::string gris = platform::CStr(static_cast<long long>(b.max() - b.value() + 1));
  for (int i = 0; i <= 2; ++i) f.Text1(i).setText(gris);
}

}  // namespace colour_window

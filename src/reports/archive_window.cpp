#include "reports/archive_window.h"

#include <cmath>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/archive_window.h"
#include "forms/main_window.h"
#include "forms/stat_window.h"
#include "measure/grid_statistics.h"
#include "measure/measure_state.h"
#include "platform/app.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "reports/archive_file.h"
#include "reports/archive_input.h"
#include "reports/report_model.h"
#include "statwindow/stat_window.h"
#include "stats/archive_search.h"

namespace {

constexpr int kRisqueInitial = 20;   // scroll bar position at opening (20 %)
constexpr int kParamRisque = 1, kParamFiltre = 2;

bool g_miseEnPlace = false;   // the set-up moves the scroll bar without searching

Fen_Nmst* g_fenetre = nullptr;

// The risk shown in percent (both tails).
std::string Risque_Pourcent() { return stats::Str_Simple(static_cast<float>(Alpha_Archive * 200.0f)); }

// The open dialog on the archive of the current function; a cancelled dialog keeps
// the proposed name. A missing file is said.
void Choix_Fichier_Archive(Fen_Nmst& w) {
  platform::FileRequest r;
  r.initialFolder = Rep_Prog;
  r.fileName = Rep_Prog + "/" + Nom_Archive(FonctionCourante);
  r.filter = Filtre_Archive_Dialogue(FonctionCourante);
  const platform::FileAnswer a = platform::dialogs().openFile(r);
  w.Nom_Fic_Archive = a.cancelled || a.path().empty() ? r.fileName : a.path();
  if (!Fichier_Existe(w.Nom_Fic_Archive))
    platform::MsgBox(MSG(144) + " " + w.Nom_Fic_Archive, platform::vbOKOnly);
}

bool Bilateral() {
  if (!StatWindowExists()) return false;
  FenHisto& h = StatWindow();
  return h.Copt.exists(2) && h.Copt(2).value() == 1;
}

// The captions of the statistics window's two-means panel that a two-sample test
// writes, when that window was opened in this run.
void Legendes_Test_2m() {
  if (!StatWindowExists()) return;
  FenHisto& h = StatWindow();
  if (h.lblMoyenne.exists(10)) h.lblMoyenne(10).setCaption("colonne " + h.MText4.text());
  if (h.CLabel6.exists(3))
    h.CLabel6(3).setCaption(NMST(40) + stats::Str_Simple(static_cast<float>(Alpha_Archive * 100.0f)) + " % ,");
}

void connecte(Fen_Nmst& w) {
  w.HScroll1.onChange = [] { Nmst_HScroll1_Change(); };
  w.Nmst_m.onClick = [](int i) { Nmst_m_Click(i); };
  w.Nmst_p.onClick = [](int i) { Nmst_p_Click(i); };
  w.Command1.onClick = [](int i) { Nmst_Command1_Click(i); };
}

}  // namespace

Fen_Nmst& Fenetre_Archive() {
  // Never destroyed, as the main window: its widgets belong to the application object.
  if (g_fenetre == nullptr) {
    g_fenetre = new Fen_Nmst();
    connecte(*g_fenetre);
  }
  return *g_fenetre;
}

bool Fenetre_Archive_Ouverte() { return g_fenetre != nullptr && g_fenetre->visible(); }

void Ouvre_Recherche_Archive() {
  Fen_Nmst& w = Fenetre_Archive();
  if (w.visible()) {
    w.show();
    return;
  }
  w.show();
  Nmst_init();
  Nmst_Test();
}

void Test_Archv() {
  if (!Fenetre_Archive_Ouverte()) {
    Ouvre_Recherche_Archive();
    return;
  }
  Nmst_Test();
}

void Nmst_init() {
  Fen_Nmst& w = Fenetre_Archive();
  w.NbLgn = 2;
  w.Text1.setText("");
  w.move(1000, 500, 11000, kHauteurFenetreArchives);
  w.setCaption("archives");
  Choix_Fichier_Archive(w);
  g_miseEnPlace = true;
  w.HScroll1.setMin(1);
  w.HScroll1.setMax(100);
  w.HScroll1.setValue(kRisqueInitial);
  Nmst_HScroll1_Change();
  g_miseEnPlace = false;
  w.Frame2.setVisible(false);
  Filtre_Archive.clear();
  w.Label2.setCaption("");
}

void Nmst_Test() {
  Fen_Nmst& w = Fenetre_Archive();
  if (LigneCourante < 3) {
    platform::MsgBox(MSG(187) + " (<=2)", platform::vbOKOnly);
    return;
  }
  Calcul_stat_Force();
  w.NbLgn = 2;
  // The results of an earlier search go at once: a file that cannot be read leaves
  // the title and the rule alone.
  w.Text1.setText(stats::Titre_Recherche(Alpha_Archive));
  const platform::FlexGrid& p = Qvl().GrilleRefP;
  const std::string moyenne = p.rows() > 4 && p.cols() > 1 ? p.textMatrix(1, 1) : std::string();
  const std::string sigma = p.rows() > 4 && p.cols() > 1 ? p.textMatrix(4, 1) : std::string();
  double sig = 0;
  std::vector<std::string> lignes;
  if (!litNombre(sigma, &sig) || !platform::readLines(w.Nom_Fic_Archive, &lignes)) {
    platform::App::Beep();
    return;
  }
  bool coord = false;
  if (lignes.empty() || !stats::Entete_Archive(lignes.front(), &coord)) {
    platform::MsgBox("fichier   " + w.Nom_Fic_Archive + "  incorrect", platform::vbOKOnly);
    Choix_Fichier_Archive(w);
    return;
  }
  w.setCaption("Archive  :  " + w.Nom_Fic_Archive);
  lignes.erase(lignes.begin());
  const stats::ArchiveSample echantillon{LigneCourante - 1, static_cast<float>(Val_Decimal(moyenne)),
                                         static_cast<float>(sig)};
  const stats::ArchiveSearch recherche{Alpha_Archive, Filtre_Archive, Bilateral()};
  const stats::ArchiveResult r = stats::Recherche_Archive(lignes, coord, echantillon, recherche);
  w.Text1.setText(r.text);
  w.NbLgn = r.NbLgn;
  if (r.found) Qvl().StatusBar1.setSimpleText("Bouton droit pour fermer");
  if (r.test2m) Legendes_Test_2m();
}

void Nmst_HScroll1_Change() {
  Fen_Nmst& w = Fenetre_Archive();
  Alpha_Archive = static_cast<float>(w.HScroll1.value() * 0.5 / 100);
  w.Label1.setCaption("Risque " + Risque_Pourcent() + "%");
  if (!g_miseEnPlace) Nmst_Test();
}

void Nmst_m_Click(int Index) {
  Fen_Nmst& w = Fenetre_Archive();
  switch (Index) {
    case 1:
      w.unload();
      break;
    case 2:
      platform::Clipboard::clear();
      platform::Clipboard::setText(w.Text1.text());
      break;
    case 3:
      Archv1_Click(4);
      break;
    case 4:
      Nmst_Test();
      break;
    default:
      break;
  }
}

void Nmst_p_Click(int Index) {
  Fen_Nmst& w = Fenetre_Archive();
  if (Index != kParamRisque && Index != kParamFiltre) return;
  w.Parametre = Index;
  w.Frame2.setCaption(Index == kParamRisque ? "Risque alpha %" : "Filtre Texte");
  w.Text2.setText(Index == kParamRisque ? Risque_Pourcent() : Filtre_Archive);
  w.Frame2.setVisible(true);
  w.Text2.setSelStart(0);
  w.Text2.setSelLength(platform::Len(w.Text2.text()));
  w.Text2.setFocus();
}

void Nmst_Command1_Click(int Index) {
  Fen_Nmst& w = Fenetre_Archive();
  if (Index == 0 && w.Parametre == kParamRisque) {
    const double v = Val_Decimal(w.Text2.text()) / 100;
    if (!(v > 0.01 && v < 1)) {
      platform::MsgBox(MNU(104), platform::vbOKOnly);
    } else {
      w.HScroll1.setValue(platform::CInt(v * 100));
      Alpha_Archive = static_cast<float>(v / 2);
    }
  } else if (Index == 0 && w.Parametre == kParamFiltre) {
    Filtre_Archive = w.Text2.text();
    w.Label2.setCaption(platform::Trim(Filtre_Archive).empty() ? "" : "Filtre :  " + Filtre_Archive);
  }
  if (Index == 0 || Index == 1) w.Frame2.setVisible(false);
}

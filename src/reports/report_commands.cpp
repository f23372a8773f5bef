#include "reports/report_commands.h"

#include <algorithm>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/shell_services.h"
#include "base/text_tables.h"
#include "colour/colour_options.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/picture_save.h"
#include "images/resolution.h"
#include "measure/grid_reset.h"
#include "measure/grid_statistics.h"
#include "measure/grid_templates.h"
#include "measure/measure_state.h"
#include "platform/app.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "reports/notations.h"
#include "reports/report_source.h"
#include "reports/results_import.h"
#include "reports/stat_rows.h"
#include "reports/summary.h"

namespace {

constexpr double kVert = 65280;     // &HFF00
constexpr double kJaune = 65535;    // &HFFFF
constexpr double kBlanc = 16777215;  // &HFFFFFF
constexpr double kLargeurApercu = 6000, kHauteurApercu = 4200;

// The statistics grid and the decile rows as the grid stands.
void Rafraichit_Statistiques() {
  Calcul_stat();
  Entetes_Stat();
}

void Signale(const ReportNotices& n) {
  if (n.grilleIncomplete) Qvl().Flash(kJaune, " Grille Incomplète", 0);
}

void Place_Apercu(QVL& f) {
  platform::Frame& panneau = f.Frame(12);
  panneau.move(f.Picture1.left() + 100, f.Picture1.top() + f.Picture1.height() - kHauteurApercu, kLargeurApercu,
               kHauteurApercu);
  panneau.zOrder(0);
  const struct {
    int index;
    double left;
  } boutons[] = {{43, 200}, {37, 1100}, {38, 2000}};
  for (const auto& b : boutons)
    if (f.Bout.exists(b.index)) {
      f.Bout(b.index).setLeft(b.left);
      f.Bout(b.index).setTop(200);
    }
  auto& texte = f.TBox(8);
  texte.setVisible(true);
  texte.move(0, 600, kLargeurApercu, kHauteurApercu - 200 - 500);
}

// The grids laid out for the file: the template of the function it names (its cells
// and columns, FonctionCourante left at 0), or 8 columns with 6 cells.
void Prepare_Grilles_Import(const ResultatsLus& lu) {
  QVL& f = Qvl();
  // The imported rows belong to no measuring function: the colour tools close, and
  // only the grid of the function the file names is laid out.
  Ferme_Couleur();
  const bool prete = lu.fonction != 0 &&
                     Appelle_Service<bool>(Services_Shell().Dispose_Grilles_Fonction, lu.fonction);
  FonctionCourante = 0;
  Ligne_Ref = 1;
  Compteur_Lignes = 0;
  Appelle_Service(Services_Shell().Titre_Sans_Fonction);
  if (!prete) {
    Fonction_Grille = 0;
    f.GrilleRef.setCols(kColonnesSansFonction);
    f.GrilleRefP.setCols(kColonnesSansFonction);
    NbCellules = 6;
    Der_Colonne = 6;
    NomFonction = lu.nomFonction;
  }
  const int lignes = std::max(Borne_Taille_Grille(Taille_Grille) + 1, static_cast<int>(lu.lignes.size()));
  if (f.GrilleRef.rows() < lignes) f.GrilleRef.setRows(lignes);
}

// Fills the grid from rows read whole; the statistics heading row takes the headings
// of the value columns (all but the image number and the comment).
void Importe_Lignes(const ResultatsLus& lu) {
  QVL& f = Qvl();
  platform::FlexGrid& g = f.GrilleRef;
  const int colonnes = std::min(lu.colonnes, g.cols());
  for (std::size_t r = 0; r < lu.lignes.size(); ++r)
    for (int c = 0; c < colonnes; ++c)
      g.setTextMatrix(static_cast<int>(r), c, lu.lignes[r][static_cast<std::size_t>(c)]);
  for (int c = 0; c <= g.cols() - 3 && c < f.GrilleRefP.cols() && c < colonnes; ++c)
    f.GrilleRefP.setTextMatrix(0, c, lu.lignes[0][static_cast<std::size_t>(c)]);
  LigneCourante = static_cast<int>(lu.lignes.size());
  EtapeClic = 1;
}

}  // namespace

void Resume_Stat() {
  QVL& f = Qvl();
  if (LigneCourante < 11) {
    f.Flash_ouvre(MSG(187));
    platform::DoEvents();
  }
  f.Frame(12).setVisible(true);
  f.Flash_ferme(1);
  Place_Apercu(f);
  Rafraichit_Statistiques();
  const StatSummary r = Texte_Resume(Modele_Rapport());
  f.TBox(8).setText(r.text);
  Signale(r.notices);
  f.Picture1.setFocus();
}

void Copie_Resume() {
  Resume_Stat();
  platform::Clipboard::clear();
  platform::Clipboard::setText(Qvl().TBox(8).text());
}

std::string Notation_Mesures(int mode) {
  Rafraichit_Statistiques();
  ReportNotices n;
  const std::string texte = Texte_Mesures(Modele_Rapport(), mode, &n);
  Signale(n);
  return texte;
}

void Copie_Mesures(int mode) {
  const std::string texte = Notation_Mesures(mode);
  platform::Clipboard::clear();
  platform::Clipboard::setText(texte);
}

ExportHeader Entete_Export() {
  QVL& f = Qvl();
  ExportHeader h;
  h.date = platform::ShortDateNow();
  h.time = platform::ShortTimeNow();
  h.type = Ext_Export;
  h.independent = Indep_Resol;
  h.NomFonction = NomFonction;
  h.NomObjet = NomObjet;
  for (int k = 0; k < f.ListIMGchar.listCount(); ++k)
    h.images.push_back({f.ListIMGchar.list(k), Calib_Images.inBounds(k + 1) ? Calib_Images(k + 1) : 0.0});
  h.comment = f.TBox(3).text();
  return h;
}

void Export_Resultats(int mode) {
  QVL& f = Qvl();
  Rafraichit_Statistiques();
  const std::string nom =
      Nom_Export_Defaut(Img_Active, f.labNomFic.caption().empty(),
                        Nom_Court_Fonction(Modele_Titres.inBounds(FonctionCourante) ? Modele_Titres(FonctionCourante) : "",
                                           NomFonction),
                        Ext_Export);
  std::string path;
  if (mode == 0) {
    path = Rep_Data + "/" + nom;
    if (!Fichier_Existe(path)) {
      platform::MsgBox(MSG(144) + " :  " + path, platform::vbOKOnly);
      return;
    }
    if (platform::MsgBox(MSG(116) + platform::vbCrLf + path, platform::vbOKCancel) == platform::vbCancel) return;
  } else {
    int echec = 0;
    bool existait = false;
    path = Dialogue_Sauve_Dans(Rep_Fichier(Img_Active), nom, Ext_Export, echec, &existait);
    if (existait && f.MnuEDit.exists(2)) f.MnuEDit(2).setEnabled(true);
    if (echec != 0) {
      f.Flash(kBlanc, "Abandon", 2);
      return;
    }
    if (path.empty()) return;
    Export_Fait = true;
  }

  const ReportModel m = Modele_Rapport();
  const ExportHeader h = Entete_Export();
  Fic_Resultats = h.comment;
  const ExportLines e = Lignes_Export(m, h);
  std::string erreur;
  if (!platform::writeLines(path, e.lines, &erreur)) {
    f.Flash(kBlanc, "Abandon", 2);
    platform::MsgBox(MSG(144) + " :  " + path + platform::vbCrLf + erreur, platform::vbOKOnly | platform::vbExclamation);
    return;
  }
  if (e.beep) platform::App::Beep();
  const std::string volume = Suite_Volume_Export(m);
  if (!volume.empty()) f.TBox(8).setText(f.TBox(8).text() + volume);
  Signale(e.notices);
}

void Ouvre_CSV() {
  QVL& f = Qvl();
  platform::FileRequest demande;
  demande.initialFolder = Rep_Data;
  demande.fileName = f.labNomFic.caption().empty() ? "mesures.csv" : ".csv";
  demande.filter = "*.csv|*.csv|*.txt|*.txt|Tous les fichiers (*.*)|*.*";
  const platform::FileAnswer choix = platform::dialogs().openFile(demande);
  if (choix.cancelled || choix.path().empty()) return;

  auto legende = [&f](int i) { return f.Mnusurf.exists(i) ? f.Mnusurf(i).caption() : std::string(); };
  const ResultatsLus lu = Lit_Fichier_Resultats(choix.path(), Fonctions_Importables(legende(2), legende(3)),
                                                Borne_Taille_Grille(Taille_Grille));
  if (lu.etat != ResultatsLus::Etat::Lu) {
    platform::MsgBox(lu.message, platform::vbOKOnly | platform::vbExclamation);
    return;
  }
  if (EtapeClic + LigneCourante > 2 &&
      platform::MsgBox(MSG(185) + SautLigne + MSG(106), platform::vbYesNo, "Attention !") != platform::vbYes)
    return;

  FonctionCourante = 0;
  Vide_Grille_Mesures();
  Aff_Consignes = false;
  Fic_CSV_Import = choix.path();
  Facteur_Resol = Facteur_Resolution();
  Prepare_Grilles_Import(lu);
  Importe_Lignes(lu);
  // Rows left out (a full grid) or not there (the list ended early) are said.
  if (!lu.message.empty()) platform::MsgBox(lu.message, platform::vbOKOnly);

  f.ListImgMC.clear();
  f.ListImgIdx.clear();
  if (f.ListIMGchar.listCount() > 0) f.ListIMGchar.setListIndex(0);
  Aff_Consignes = true;
  f.Flash(kVert, MSG(64), 1);
}

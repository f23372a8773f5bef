// Files of an extract.
#include "statwindow/extract_files.h"

#include <vector>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/shell_services.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "forms/stat_window.h"
#include "images/image_state.h"
#include "images/picture_save.h"
#include "measure/grid_statistics.h"
#include "measure/grid_templates.h"
#include "measure/measure_state.h"
#include "measure/trame_file.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "reports/report_model.h"
#include "reports/results_export.h"
#include "statwindow/extract_selection.h"
#include "statwindow/stat_window.h"

namespace {

// The name cut before its first ".".
std::string avantPoint(const std::string& nom) {
  const std::size_t p = nom.find('.');
  return p == std::string::npos ? nom : nom.substr(0, p);
}

// The rows of the extract that the grid still holds (below LigneCourante).
std::vector<int> lignesExtrait() {
  std::vector<int> r;
  for (int l : Lignes_Liste(Liste_Extrait))
    if (l < LigneCourante) r.push_back(l);
  return r;
}

std::string listeDe(const std::vector<int>& lignes) {
  std::string t;
  for (int l : lignes) t += platform::CStr(static_cast<long long>(l)) + ";";
  return t;
}

bool memeDossier(std::string a, std::string b) {
  auto net = [](std::string p) {
    p = platform::normalizePath(p);
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    return p;
  };
  return net(a) == net(b);
}

// The save dialog of both files; the chosen path, "" when cancelled. The chosen folder
// becomes the data folder.
std::string choisitFichier(const std::string& nom, const std::string& extension) {
  platform::FileRequest r;
  r.initialFolder = Rep_Data;
  r.fileName = nom;
  r.filter = "*." + extension + "|*." + extension + "|Tous les fichiers (*.*)|*.*";
  r.defaultExt = extension;
  const platform::FileAnswer a = platform::dialogs().saveFile(r);
  if (a.cancelled || a.path().empty()) return "";
  const std::string chemin = a.path();
  const std::string dossier = a.folder.empty() ? Rep_Fichier(chemin) : a.folder;
  if (!dossier.empty() && !memeDossier(dossier, Rep_Data)) Rep_Data = dossier;
  if (memeDossier(platform::App::Path(), Rep_Images)) Appelle_Service(Services_Shell().Alerte_Unique);
  return chemin;
}

}  // namespace

std::string Nom_Trame_Extrait(const std::string& ficTrame, const std::string& fichierAffiche, bool fichierExiste) {
  std::string nom;
  if (!ficTrame.empty())
    nom = Nom_Fichier(ficTrame);
  else if (fichierAffiche.empty())
    nom = "Extrait.";
  else if (fichierExiste)
    nom = Nom_Fichier(fichierAffiche);
  return avantPoint(nom) + "_EX.trm";
}

std::string Nom_Export_Extrait(const std::string& imageActive, bool aucunFichier, const std::string& type) {
  const std::string nom = aucunFichier ? "mesures_Extr." : Nom_Fichier(imageActive);
  return avantPoint(nom) + "_Extr." + type;
}

std::vector<std::string> Lignes_Export_Extrait(const EnteteExtrait& h, const std::vector<std::string>& titres,
                                               const std::vector<std::vector<std::string>>& lignes) {
  const std::string sep = Separateur_Export(h.type);
  std::vector<std::string> l;
  l.push_back(" Extrait du Résultat des mesures du " + h.date + " à " + h.heure);
  l.push_back(h.independant ? "indépendance Résolution" : "indépendance Dimension");
  l.push_back("Fonction : " + h.NomFonction);
  l.push_back(MSG(131) + " : " + h.NomObjet);
  if (!h.ficImport.empty()) {
    l.push_back("CSV importé : " + Nom_Fichier(h.ficImport));
    l.push_back("");
  }
  l.push_back("num" + sep + MSG(126) + " " + MSG(109));
  l.push_back("");
  l.push_back(platform::CStr(static_cast<long long>(lignes.size())) + " mesures sur " +
              platform::CStr(static_cast<long long>(h.lignesGrille)));
  l.push_back("LISTE=");
  auto rangee = [&](const std::vector<std::string>& cellules) {
    std::string t;
    for (const std::string& c : cellules) t += sansSautLigne(c) + sep;
    return t;
  };
  l.push_back(rangee(titres));
  for (const auto& r : lignes) l.push_back(rangee(r));
  l.push_back("; ; ; ; ; ; ;");
  return l;
}

void exporte_trame_extrait() {
  const std::vector<int> lignes = lignesExtrait();
  if (lignes.empty()) {
    platform::MsgBox("Liste extraite vide", platform::vbOKOnly);
    return;
  }
  const SessionTrame s = Session_Extrait(Session_Courante(), lignes);
  for (const LigneTrame& l : s.lignes) {
    if (!Ligne_Mesuree(l)) {
      platform::MsgBox(MSG(130), platform::vbOKOnly);
      return;
    }
  }
  const std::string affiche = Qvl().labNomFic.caption();
  const std::string chemin = choisitFichier(
      Nom_Trame_Extrait(Fic_Trame, affiche, !affiche.empty() && platform::fileExists(affiche)), "trm");
  if (chemin.empty()) return;
  if (platform::fileExists(chemin) && platform::MsgBox(MSG(116), platform::vbOKCancel) != platform::vbOK) return;
  Extrait_Sauve(chemin);
}

bool Extrait_Sauve(const std::string& FichierTrame) {
  const std::vector<int> lignes = lignesExtrait();
  const SessionTrame s = Session_Extrait(Session_Courante(), lignes);
  std::string erreur;
  if (!platform::writeLines(FichierTrame, Lignes_Trame_Extrait(s, Nom_Fichier(Fic_Trame) + " / " + listeDe(lignes)),
                            &erreur)) {
    platform::MsgBox(MSG(144) + FichierTrame + SautLigne + erreur, platform::vbExclamation);
    return false;
  }
  return true;
}

void CSV_Export() {
  if (Liste_Extrait.empty()) {
    platform::MsgBox(MSG(130), platform::vbOKOnly);
    return;
  }
  Calcul_stat();
  CSVexportGrille(1);
}

void CSVexportGrille(int mode) {
  if (mode != 1) return;
  QVL& q = Qvl();
  const std::string chemin =
      choisitFichier(Nom_Export_Extrait(Img_Active, q.labNomFic.caption().empty(), Ext_Export), Ext_Export);
  if (chemin.empty()) return;
  if (platform::fileExists(chemin) &&
      platform::MsgBox(chemin + SautLigne + MSG(116), platform::vbOKCancel) != platform::vbOK)
    return;
  EnteteExtrait h;
  h.date = platform::ShortDateNow();
  h.heure = platform::ShortTimeNow();
  h.type = Ext_Export;
  h.independant = Indep_Resol;
  h.NomFonction = NomFonction;
  h.NomObjet = NomObjet;
  h.ficImport = Fic_CSV_Import;
  h.lignesGrille = LigneCourante - 1;
  const platform::FlexGrid& g = q.GrilleRef;
  auto cellules = [&](int r) {
    std::vector<std::string> c;
    for (int k = 0; k < g.cols(); ++k) c.push_back(r < g.rows() ? g.textMatrix(r, k) : std::string());
    return c;
  };
  std::vector<std::vector<std::string>> lignes;
  for (int r : lignesExtrait()) lignes.push_back(cellules(r));
  std::string erreur;
  if (!platform::writeLines(chemin, Lignes_Export_Extrait(h, cellules(0), lignes), &erreur))
    platform::MsgBox(MSG(144) + "011" + SautLigne + erreur, platform::vbExclamation);
}

// The chart shown beside the button, the histogram or the scatter plot.
void cmdCopie_Ecran_Click() { Sauve_Capture("nmsts", 3); }

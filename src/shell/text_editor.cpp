#include "shell/text_editor.h"

#include <algorithm>
#include <vector>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "colour/colour_state.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "measure/trame_dialogs.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/menu.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "shell/button_bar.h"
#include "shell/language.h"
#include "shell/settings_file.h"

int Type_Fichier_Edit = 0;

namespace {

constexpr int kCalibrage = 1, kParametres = 2, kArchiveNuancier = 3, kTrameCommande = 4;
constexpr int kFonctionCouleur = 20;

// The frame's caption for an editor type.
std::string Titre_Editeur(int type) {
  switch (type) {
    case kCalibrage:
      return Fic_Calib;
    case kParametres:
      return kFichierParametres;
    case kArchiveNuancier:
      return Nom_Fichier(Fic_ArchNua);
    default:
      return platform::App::Command();
  }
}

// The file the editor opened: its path and bytes, its lines as read, and the text the
// box gave back once it showed them.
struct FichierEdite {
  std::string chemin, octets;
  std::vector<std::string> lignes;
  std::string affiche;
};
FichierEdite g_edite;

const std::string kEspaceInsecable = "\xC2\xA0";
const std::string kSeparateurLigne = "\xE2\x80\xA8";
const std::string kSeparateurParagraphe = "\xE2\x80\xA9";

// The lines a file's line shows as in the editor's box: no-break spaces as blanks, a
// line or paragraph separator breaking the line.
std::vector<std::string> Lignes_Affichees(const std::string& ligne) {
  std::string t = platform::Replace(ligne, kEspaceInsecable, " ");
  t = platform::Replace(t, kSeparateurParagraphe, kSeparateurLigne);
  return platform::Split(t, kSeparateurLigne);
}

// True when the lines from e on are the lines shown for a file's line.
bool Montre(const std::vector<std::string>& lignes, std::size_t e, const std::vector<std::string>& groupe) {
  if (e + groupe.size() > lignes.size()) return false;
  return std::equal(groupe.begin(), groupe.end(), lignes.begin() + static_cast<std::ptrdiff_t>(e));
}

// How far a typed line looks for the file's line it may be.
constexpr std::size_t kPortee = 64;

void Ouvre_Si_Present(int type) {
  const std::string path = Fichier_Edite(type);
  if (Fichier_Existe(path)) EditerTexte(path);
}

}  // namespace

std::string Texte_A_Ecrire(const std::string& texte) {
  std::string t = platform::Trim(texte);
  if (!t.empty() && t.back() == '\n') t.pop_back();
  if (!t.empty() && t.back() == '\r') t.pop_back();
  return platform::encodeLines({t});
}

std::string Texte_Edite_A_Ecrire(const std::vector<std::string>& lues, const std::string& affiche,
                                 const std::string& edite) {
  // The file's lines as the box showed them, as long as the text shown agrees.
  const std::vector<std::string> montrees = platform::splitLines(affiche);
  std::vector<std::vector<std::string>> groupes;
  for (std::size_t i = 0, m = 0; i < lues.size(); ++i) {
    std::vector<std::string> g = Lignes_Affichees(lues[i]);
    if (!Montre(montrees, m, g)) break;
    m += g.size();
    groupes.push_back(std::move(g));
  }
  const std::vector<std::string> tapees = platform::splitLines(edite);
  struct Sortie {
    std::string texte;
    bool lue;   // a line of the file, written as it was read
  };
  std::vector<Sortie> avant, apres;
  std::size_t e = 0, fin = tapees.size(), g = 0, gFin = groupes.size();
  // The lines left as they were at the start, then at the end.
  while (g < gFin && Montre(tapees, e, groupes[g])) {
    avant.push_back({lues[g], true});
    e += groupes[g++].size();
  }
  while (gFin > g && fin >= e + groupes[gFin - 1].size() &&
         Montre(tapees, fin - groupes[gFin - 1].size(), groupes[gFin - 1])) {
    fin -= groupes[gFin - 1].size();
    apres.push_back({lues[--gFin], true});
  }
  std::reverse(apres.begin(), apres.end());
  // Between them, each typed line is looked for a little further among the file's lines.
  while (e < fin) {
    std::size_t trouve = gFin;
    for (std::size_t j = g; j < gFin && j < g + kPortee; ++j)
      if (e + groupes[j].size() <= fin && Montre(tapees, e, groupes[j])) {
        trouve = j;
        break;
      }
    if (trouve == gFin) {
      avant.push_back({tapees[e++], false});
      continue;
    }
    avant.push_back({lues[trouve], true});
    e += groupes[trouve].size();
    g = trouve + 1;
  }
  avant.insert(avant.end(), apres.begin(), apres.end());
  if (avant.empty()) avant.push_back({"", false});
  if (!avant.front().lue) avant.front().texte = platform::LTrim(avant.front().texte);
  const bool finSansSaut = edite.empty() || (edite.back() != '\n' && edite.back() != '\r');
  if (finSansSaut && !avant.back().lue) avant.back().texte = platform::RTrim(avant.back().texte);
  std::vector<std::string> lignes;
  lignes.reserve(avant.size());
  for (Sortie& s : avant) lignes.push_back(std::move(s.texte));
  return platform::encodeLines(lignes);
}

std::string Fichier_Edite(int type) {
  switch (type) {
    case kCalibrage:
    case kParametres:
      return Fichier_Programme(Titre_Editeur(type));
    case kArchiveNuancier:
      return Chemin_Fichier_Couleur(Fic_ArchNua);
    case kTrameCommande:
      return Fic_Ligne_Cmd;
    default:
      return "";
  }
}

void Editeur_GF(int ouvre) {
  switch (Type_Fichier_Edit) {
    case kCalibrage:
      if (ouvre == 0) return;
      if (Fichier_Existe(Fichier_Edite(kCalibrage)))
        EditerTexte(Fichier_Edite(kCalibrage));
      else
        platform::MsgBox("Etalonner et sauver le calibrage préalablement");
      break;
    case kParametres:
      if (ouvre != 0) Ouvre_Si_Present(kParametres);
      break;
    case kArchiveNuancier:
      Ouvre_Si_Present(kArchiveNuancier);
      break;
    case kTrameCommande:
      if (Fichier_Existe(Fic_Ligne_Cmd, "", 1)) EditerTexte(Fic_Ligne_Cmd);
      break;
    default:
      break;
  }
}

void EditerTexte(const std::string& Fichier) {
  QVL& f = Qvl();
  if (Type_Fichier_Edit >= kCalibrage && Type_Fichier_Edit <= kTrameCommande) {
    Place_Objet(f.FrameEditer, 4800, 3720, 950, 4200);
    f.TextEdit.move(0, 500, 4200, f.FrameEditer.height() - 500);
    f.FrameEditer.setCaption(Titre_Editeur(Type_Fichier_Edit));
  }
  if (!Fichier_Existe(Fichier, MSG(137), 1)) return;
  std::string octets, erreur;
  if (!platform::readBytes(Fichier, &octets, &erreur)) {
    platform::MsgBox(MSG(144) + erreur);
    return;
  }
  const std::vector<std::string> lignes = platform::splitLines(platform::decodeText(octets));
  f.TextEdit.setText("");
  f.FrameEditer.setVisible(true);
  f.FrameEditer.zOrder(0);
  std::string texte;
  for (const std::string& l : lignes) texte += l + SautLigne;
  f.TextEdit.setText(texte);
  g_edite = {Fichier, std::move(octets), lignes, f.TextEdit.text()};
}

bool Sauve_Texte(const std::string& t_texte, const std::string& nomfichier) {
  if (!Fichier_Existe(nomfichier, "", 1)) return false;
  std::string a_ecrire;
  if (!g_edite.chemin.empty() && platform::normalizePath(g_edite.chemin) == platform::normalizePath(nomfichier))
    a_ecrire = t_texte == g_edite.affiche ? g_edite.octets
                                          : Texte_Edite_A_Ecrire(g_edite.lignes, g_edite.affiche, t_texte);
  else
    a_ecrire = Texte_A_Ecrire(t_texte);
  std::string erreur;
  if (!platform::saveFileAtomic(nomfichier, a_ecrire, &erreur)) {
    platform::MsgBox(MSG(144) + erreur, platform::vbExclamation);
    return false;
  }
  Qvl().FrameEditer.setVisible(false);
  return true;
}

void Command8_Click(int Index) {
  QVL& f = Qvl();
  if (Index == 0) {
    f.FrameEditer.setVisible(false);
    return;
  }
  if (Index != 1) return;
  if (Type_Fichier_Edit >= kCalibrage && Type_Fichier_Edit <= kArchiveNuancier)
    Sauve_Texte(f.TextEdit.text(), Fichier_Edite(Type_Fichier_Edit));
}

void Command9_Click(int Index) {
  switch (Index) {
    case 0:
      Etat_Archive = 0;
      break;
    case 1:
      Etat_Archive = 2;
      break;
    case 2:
      Qvl().FraDial_Seq.setVisible(false);
      break;
    default:
      break;
  }
}

void MntoolXp_Click(int Index) {
  if (Index >= 2 && Index <= 5) {
    Type_Fichier_Edit = Index - 1;
    Editeur_GF(-1);
    return;
  }
  if (Index != 6) return;
  if (platform::MsgBox(" Re-définir le calibrage ?", platform::vbYesNo) == platform::vbYes &&
      platform::MsgBox(" Confirmer le calibrage de  " + Qvl().labNomFic.caption(), platform::vbYesNo) ==
          platform::vbYes)
    Maj_Grille();
  Bout_Click(8);
}

void Articles_Editer() {
  QVL& f = Qvl();
  // The settings file and the chart archive open only when they exist; their items
  // are greyed otherwise. The archive is edited in the colour function only.
  if (f.MntoolXp.exists(kParametres + 1)) f.MntoolXp(kParametres + 1).setEnabled(Fichier_Existe(Fichier_Edite(kParametres)));
  if (f.MntoolXp.exists(kArchiveNuancier + 1)) {
    platform::MenuItem& archive = f.MntoolXp(kArchiveNuancier + 1);
    if (!Fichier_Existe(Fichier_Edite(kArchiveNuancier)))
      archive.setEnabled(false);
    else if (FonctionCourante == kFonctionCouleur)
      archive.setEnabled(true);
  }
}

void Connecte_Editeur(QVL& f) {
  f.Command8.onClick = [](int i) { Command8_Click(i); };
  f.Command9.onClick = [](int i) { Command9_Click(i); };
  f.MntoolXp->onClick = [](int i) { MntoolXp_Click(i); };
  // The "Editer" list runs its title's click as it opens.
  if (auto* editer = dynamic_cast<platform::MenuItem*>(f.find("MnOutilsFichiers"))) editer->onClick = [] { Articles_Editer(); };
}

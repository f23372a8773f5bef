#include "images/image_loading.h"

#include <algorithm>
#include <set>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/shell_services.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_files.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"

int Rep_Panneau = 0;
std::string Rep_Courant;

namespace {

// Colours of the message panel: the count of files chosen, a file already listed.
constexpr double kVertCompte = 65280;
constexpr double kJauneDoublon = 65535;
// Seconds the panel shows the count, and a file already listed: long enough to be
// read, the panel being hidden again before it is drawn when given no time at all.
constexpr int kDureeCompte = 1;
constexpr int kDureeDoublon = 1;

// List mode given to NouveauRep: a click in ListRep acts only in modes 0 and 1.
int Mode_ListRep = 0;

// Browsing modes of the folder frame, where the drive and folder lists show.
bool Mode_Parcours(int mode) { return mode == 0 || mode == 1; }

std::vector<std::string> Chemins_Listes() {
  std::vector<std::string> v;
  const platform::ListBox& l = Qvl().ListIMGchar;
  for (int i = 0; i < Nombre_Images(); ++i) v.push_back(l.list(i));
  return v;
}

void Invite(const std::string& texte) { Qvl().StatusBar1.setSimpleText(texte); }

// Appends the paths of a plan; false when the list was full before the end (MSG(242)
// shown). Each file already listed flashes its name on yellow.
bool Execute_Ajout(const Plan_Ajout& plan, const std::vector<std::string>& choisis) {
  QVL& f = Qvl();
  const std::set<std::string> doublons(plan.doublons.begin(), plan.doublons.end());
  const std::set<std::string> ajouts(plan.ajouts.begin(), plan.ajouts.end());
  for (const std::string& chemin : choisis) {
    if (ajouts.count(chemin)) {
      if (Ajoute_Image_Liste(chemin) < 0) break;
    } else if (doublons.count(chemin)) {
      f.Flash(kJauneDoublon, Texte_Deja_Listee(Nom_Fichier(chemin)), kDureeDoublon);
    }
  }
  if (!plan.liste_pleine) return true;
  platform::MsgBox(MSG(242));
  return false;
}

// The selected entries of a list, in ascending order.
std::vector<int> Lignes_Choisies(const platform::ListBox& l) {
  std::vector<int> v;
  for (int i = 0; i < l.listCount(); ++i)
    if (l.selected(i)) v.push_back(i);
  return v;
}

// "Charger" with adding mode and no folder list: the files selected in ListRep are
// appended from Rep_Images.
void Ajoute_Selection_ListRep() {
  QVL& f = Qvl();
  std::vector<std::string> choisis;
  for (int i : Lignes_Choisies(f.ListRep)) choisis.push_back(Rep_Images + "/" + f.ListRep.list(i));
  const Plan_Ajout plan = Planifie_Ajout(Chemins_Listes(), choisis, kMaxImages);
  // The files already listed are skipped without a word here.
  Plan_Ajout silencieux = plan;
  silencieux.doublons.clear();
  if (!Execute_Ajout(silencieux, choisis)) return;
  f.FraListeImg.setVisible(true);
  aff_liste_images();
  Gest_FraRep(1);
}

// "Charger" with removal mode: the images selected in ListRep leave the list; the
// frame stays open with the images still unused.
void Supprime_Selection_ListRep() {
  QVL& f = Qvl();
  Img_A_Supprimer.fill(-1);
  const std::vector<int> choisies = Lignes_Choisies(f.ListRep);
  if (choisies.empty()) {
    platform::MsgBox(f.ListRep.listCount() == 0 ? Texte_Aucune_Inutilisee(f.chkMC(0).value() == 1)
                                                : std::string("Choisir dans la liste les images à supprimer"),
                     platform::vbInformation);
    return;
  }
  int n = 0;
  for (int i : choisies) {
    if (i > kMaxImages || n >= kMaxImages) break;
    const int k = Img_Inutilisees(i);
    if (k >= 0) Img_A_Supprimer(n++) = k;
  }
  std::sort(Img_A_Supprimer.begin(), Img_A_Supprimer.begin() + n);
  RepEffaceLigne();
}

void Charger() {
  QVL& f = Qvl();
  switch (Rep_Panneau) {
    case 0:
      Rep_Images = f.RepDir.selectedPath();
      f.FraRep.setVisible(false);
      break;
    case 1:
      if (f.RepDir.visible()) {
        Rep_Images = f.RepDir.selectedPath();
        Gest_FraRep(1);
      } else {
        Ajoute_Selection_ListRep();
      }
      break;
    case 2:
      Supprime_Selection_ListRep();
      break;
    default:
      break;
  }
}

void Fermer() {
  QVL& f = Qvl();
  switch (Rep_Panneau) {
    case 0:
    case 2:
      f.FraRep.setVisible(false);
      break;
    case 1:
      if (f.RepDir.visible()) {
        Gest_FraRep(1);
        f.FraListeImg.setVisible(false);
      } else {
        f.FraRep.setVisible(false);
        f.FraListeImg.setVisible(false);
      }
      break;
    default:
      break;
  }
}

}  // namespace

// --- rules ----------------------------------------------------------------------------

std::vector<std::string> Ordre_Ajout(std::vector<std::string> chemins) {
  std::stable_sort(chemins.begin(), chemins.end(), [](const std::string& a, const std::string& b) {
    const std::string na = platform::LCase(Nom_Fichier(a)), nb = platform::LCase(Nom_Fichier(b));
    if (na != nb) return na < nb;
    return a < b;
  });
  return chemins;
}

Plan_Ajout Planifie_Ajout(const std::vector<std::string>& listes, const std::vector<std::string>& choisis,
                          int maximum) {
  Plan_Ajout plan;
  std::set<std::string> connus(listes.begin(), listes.end());
  int n = static_cast<int>(listes.size());
  for (const std::string& chemin : choisis) {
    if (chemin.empty()) continue;
    if (connus.count(chemin)) {
      plan.doublons.push_back(chemin);
      continue;
    }
    if (n >= maximum) {
      plan.liste_pleine = true;
      break;
    }
    plan.ajouts.push_back(chemin);
    connus.insert(chemin);
    ++n;
  }
  return plan;
}

std::string Texte_Deja_Listee(const std::string& nom) { return "l'image " + nom + " est déjà dans la liste "; }

std::string Texte_Aucune_Inutilisee(bool groupe) {
  return std::string("Aucune image sans mesure dans ") + (groupe ? "le groupe MC" : "la liste");
}

std::string Texte_Images_Chargees(int n) {
  return platform::CStr(static_cast<long long>(n)) + "  Images chargées";
}

// --- the multi-file dialog ----------------------------------------------------------------

void Gest_FraRep(int /*Fn_Index*/) {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  platform::FileRequest demande;
  demande.filter = kFiltreBlocImages;
  demande.initialFolder = Rep_Images;
  demande.multiSelect = true;
  const platform::FileAnswer reponse = platform::dialogs().openFile(demande);
  if (reponse.cancelled || reponse.files.empty()) return;
  Rep_Images = Dossier_Choisi(reponse);
  if (Meme_Dossier(Rep_Images, Rep_Prog)) Appelle_Service(Services_Shell().Alerte_Unique);
  f.FraListeImg.setVisible(true);

  const std::vector<std::string> choisis = Ordre_Ajout(reponse.files);
  const Plan_Ajout plan = Planifie_Ajout(Chemins_Listes(), choisis, kMaxImages);
  if (choisis.size() == 1 && !plan.doublons.empty()) {
    f.Flash(kJauneDoublon, Texte_Deja_Listee(Nom_Fichier(choisis.front())), kDureeDoublon);
    return;
  }
  if (!Execute_Ajout(plan, choisis)) return;
  if (choisis.size() > 1)
    f.Flash(kVertCompte, Texte_Images_Chargees(static_cast<int>(choisis.size())), kDureeCompte);
  f.FraListeImg.setVisible(true);
  aff_liste_images();
}

void Charge_Images_Mode1() {
  Invite(MNU(2));
  Rep_Panneau = 1;
  Gest_FraRep(1);
}

void Charge_Images_Mode2() {
  Invite(MNU(25));
  Rep_Panneau = 2;
  AffListeImgUT();
  NouveauRep("", 2);
}

void Repertoire_Image() {
  Invite(MNU(5) + MNU(20) + MNU(21));
  Rep_Panneau = 0;
  Gest_FraRep(0);
}

void MnuCharg_click(int Index) {
  switch (Index) {
    case 1:
      Charge_Images_Mode1();
      break;
    case 2:
      Charge_Images_Mode2();
      break;
    case 3:
      Vide_Listes_Images();
      break;
    default:
      break;
  }
}

// --- the folder frame ---------------------------------------------------------------------

void NouveauRep(const std::string& /*repAncien*/, int NumRepIdx) {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  f.FraRep.setVisible(true);
  f.FraRep.zOrder(0);
  Mode_ListRep = NumRepIdx;
  const bool parcours = Mode_Parcours(NumRepIdx);
  if (parcours && !f.RepDir.setPath(Rep_Images)) f.RepDir.setPath(Rep_Prog);
  f.RepDir.setVisible(parcours);
  f.RepDrive.setVisible(parcours);
  // The file list below the drive and folder lists while they show.
  const double haut = parcours ? f.RepDir.top() + f.RepDir.height() + 20 : 180;
  f.ListRep.move(0, haut, f.FraRep.width(), std::max(300.0, f.repText1.top() - 20 - haut));
  if (parcours) f.RepDir.refresh();
}

void cmdRep_Click(int Index) {
  if (!QvlExists()) return;
  Invite("");
  switch (Index) {
    case 0:
      Charger();
      break;
    case 1:
      if (Rep_Panneau == 1) Gest_FraRep(0);
      break;
    case 2:
      Fermer();
      break;
    default:
      break;
  }
}

void ListRep_Click() {
  if (!QvlExists() || !Mode_Parcours(Mode_ListRep)) return;
  QVL& f = Qvl();
  const std::string e = f.ListRep.text();
  if (e.empty()) return;
  const std::string t = Rep_Images + "/" + e;
  f.repText1.setText(t);
  f.repText1.setSelStart(platform::Len(t));
  Rep_Courant = f.RepDir.path();
}

void RepDir_Click() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  f.repText1.setText(f.RepDir.selectedPath());
}

void RepDrive_Change() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  const std::string garde = f.RepDir.path();
  if (!f.RepDir.setPath(f.RepDrive.drive())) {
    platform::MsgBox(MNU(12));
    f.RepDir.setPath(garde);
  }
}

void Drive1_Change() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  if (!f.Dir1.setPath(f.Drive1.drive())) {
    platform::MsgBox(" disque non disponible");
    f.Drive1.setDrive(f.Dir1.path());
  }
}

void Dir1_Change() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  f.Label11.setCaption("Rep : " + Nom_Fichier(f.Dir1.path()));
}

void Connecte_Chargement(QVL& f) {
  f.MnuCharg(1).onClick = [] { MnuCharg_click(1); };
  f.MnuCharg(2).onClick = [] { MnuCharg_click(2); };
  f.MnuFIC(13).onClick = [] { Repertoire_Image(); };
  f.cmdRep.onClick = [](int i) { cmdRep_Click(i); };
  f.ListRep.onClick = [] { ListRep_Click(); };
  f.RepDir.onClick = [] { RepDir_Click(); };
  f.RepDrive.onChange = [] { RepDrive_Change(); };
  f.Drive1.onChange = [] { Drive1_Change(); };
  f.Dir1.onChange = [] { Dir1_Change(); };
}

#include "reports/archive_input.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/shell_services.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/grid_statistics.h"
#include "measure/measure_state.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "reports/archive_file.h"
#include "reports/archive_window.h"
#include "reports/results_export.h"
#include "stats/archive_search.h"

namespace {

constexpr int kRepondu = 0, kAttente = 1, kAnnule = 2;
constexpr int kLieu = 1, kLongitude = 2, kLatitude = 3;  // entries of Champs_Archive

bool g_saisie = false;  // an input of the panel is running
double g_hauteurPanneau = 2900;   // the panel's height without the calendar

// The panel lies over the picture, below the button bar.
double Haut_Panneau(QVL& f) { return f.Picture1.top(); }

// The calendar hidden, the panel back to its height without it.
void Cache_Calendrier(QVL& f) {
  f.MonthView1.setVisible(false);
  f.FraDial_Seq.setHeight(g_hauteurPanneau);
}

// One step of an input: the label put before the answer in the summary, the next
// default of the entry box and the next prompt; `apres` runs once the answer is kept.
struct Pas {
  std::string label;
  std::function<std::string()> defaut;
  std::string prompt;
  std::function<void(const std::string& reponse)> apres;
};

// Marks an input as running for its lifetime; the panel state is back at 0 at its end.
class SaisieEnCours {
 public:
  SaisieEnCours() { g_saisie = true; }
  ~SaisieEnCours() {
    g_saisie = false;
    Etat_Archive = kRepondu;
  }
  SaisieEnCours(const SaisieEnCours&) = delete;
  SaisieEnCours& operator=(const SaisieEnCours&) = delete;
};

void metDefaut(QVL& f, const std::string& texte, bool selectionne) {
  f.Text9.setText(texte);
  if (selectionne) {
    f.Text9.setSelStart(0);
    f.Text9.setSelLength(platform::Len(texte));
  }
  f.Text9.setFocus();
}

// Runs the steps: the first prompt, then each answer in turn. The answers in order,
// or false when "Annule" ended the input (the panel and the calendar hidden).
bool Boucle_Saisie(QVL& f, const std::string& premier, const std::vector<Pas>& pas, bool selectionne,
                   std::vector<std::string>* reponses) {
  Etat_Archive = kRepondu;
  std::size_t etape = 0;
  while (etape <= pas.size()) {
    if (Etat_Archive == kRepondu) {
      if (etape == 0) {
        f.Text9.setText("");
        f.Text9.setFocus();
        f.FraDial_Seq.setVisible(true);
        f.Label9(1).setCaption(premier);
      } else {
        const Pas& p = pas[etape - 1];
        const std::string reponse = f.Text9.text();
        reponses->push_back(reponse);
        f.Label9(0).setCaption(f.Label9(0).caption() + p.label + reponse + SautLigne);
        if (p.apres) p.apres(reponse);
        if (etape == pas.size()) {
          f.Text9.setText("");
          f.Text9.setFocus();
          Etat_Archive = kRepondu;
          return true;
        }
        metDefaut(f, p.defaut ? p.defaut() : std::string(), selectionne);
        f.Label9(1).setCaption(p.prompt);
      }
      Etat_Archive = kAttente;
      etape += 1;
    }
    if (Etat_Archive == kAnnule) {
      f.FraDial_Seq.setVisible(false);
      Cache_Calendrier(f);
      return false;
    }
    platform::Pause(0.1, [] { return Etat_Archive != kAttente; });
  }
  return true;
}

// The panel as the archive writers lay it out, over any panel already there.
void Place_Panneau(QVL& f, double hauteur) {
  g_hauteurPanneau = hauteur;
  Place_Objet(f.FraDial_Seq, hauteur, 3720, Haut_Panneau(f), 4500);
  f.FraDial_Seq.zOrder(0);
  Place_Objet(f.Text9, 495, 240, 600, 3495);
  // The summary takes the panel's height below the buttons: eight answers with place.
  Place_Objet(f.Label9(0), std::max(1095.0, hauteur - 1900), 240, 1800, 3615);
  Place_Objet(f.Label9(1), 375, 240, 240, 3615);
  const char* const titres[] = {"OK", "Annule", "Fermer"};
  for (int i = 0; i <= 2; ++i) {
    Place_Objet(f.Command9(i), 375, 360 + 1100.0 * i, 1200, 1035);
    f.Command9(i).setCaption(titres[i]);
  }
  f.Command9(2).setEnabled(false);
  f.Command9(3).setVisible(false);
  f.Label9(0).setCaption("");
}

// The calendar below the summary of the answers, the panel grown to hold it: the
// entry box, the buttons and the summary stay uncovered.
void Montre_Calendrier(QVL& f) {
  const platform::Label& resume = f.Label9(0);
  f.MonthView1.move(resume.left(), resume.top() + resume.height() + 60);
  f.FraDial_Seq.setHeight(f.MonthView1.top() + f.MonthView1.height() + 100);
  f.MonthView1.setValue(platform::Today());
  f.MonthView1.setVisible(true);
}

// The date and time now, as a date is typed: "12/10/2024 16:35:22".
std::string Date_Heure() { return platform::ShortDateNow() + " " + platform::FormatNow("hh:nn:ss"); }

// The steps of a record: genus, species, reference, date, (place, longitude,
// latitude,) K_sigma.
std::vector<Pas> Pas_Archive(QVL& f, bool coord) {
  std::vector<Pas> pas = {
      {" Genre = ", nullptr, " entrer :  Espèce", nullptr},
      {" Espèce = ", nullptr, "entrer :  Référence", nullptr},
      {" Référence = ", [&f] {
         Montre_Calendrier(f);
         return Date_Heure();
       },
       "entrer :  Date", nullptr},
  };
  auto garde = [](int entree) {
    return [entree](const std::string& r) {
      if (Champs_Archive(entree) != r) Champs_Archive(entree) = r;
    };
  };
  if (coord) {
    pas.push_back({"  date =", [&f] {
                     Cache_Calendrier(f);
                     return Champs_Archive(kLieu);
                   },
                   "entrer :  Lieudit", nullptr});
    pas.push_back({"Lieudit = ", [] { return Champs_Archive(kLongitude); }, " entrer Longitude", garde(kLieu)});
    pas.push_back({"Longitude =", [] { return Champs_Archive(kLatitude); }, " entrer Latitude", garde(kLongitude)});
    pas.push_back({"Latitude =", [] { return std::string("1"); }, "entrer :  K_sigma", garde(kLatitude)});
  } else {
    pas.push_back({"  date =", [] { return std::string("1"); }, "entrer :  K_sigma", nullptr});
  }
  pas.push_back({"  K_sigma =", nullptr, "", nullptr});
  return pas;
}

ArchiveAnswers Reponses(const std::vector<std::string>& r, bool coord) {
  ArchiveAnswers a;
  a.coord = coord;
  a.genre = r.at(0);
  a.espece = r.at(1);
  a.reference = r.at(2);
  a.date = r.at(3);
  if (coord) {
    a.lieu = r.at(4);
    a.longitude = r.at(5);
    a.latitude = r.at(6);
  }
  a.ksigma = r.back();
  return a;
}

// The means and deviations of grid columns 1 to 3 as the statistics grid shows them.
std::array<std::string, 6> Textes_Statistiques(QVL& f) {
  const platform::FlexGrid& p = f.GrilleRefP;
  auto cellule = [&](int r, int c) { return r < p.rows() && c < p.cols() ? p.textMatrix(r, c) : std::string(); };
  return {cellule(1, 1), cellule(4, 1), cellule(1, 2), cellule(4, 2), cellule(1, 3), cellule(4, 3)};
}

// The save dialog on the proposed archive file; "" when cancelled. The chosen folder
// becomes the data folder.
std::string Choix_Fichier(int fonction) {
  platform::FileRequest r;
  r.initialFolder = Rep_Prog;
  r.fileName = Rep_Prog + "/" + Nom_Archive(fonction);
  r.filter = Filtre_Archive_Dialogue(fonction);
  const platform::FileAnswer a = platform::dialogs().saveFile(r);
  if (a.cancelled || a.path().empty()) return "";
  const std::string dossier = a.folder.empty() ? Rep_Fichier(a.path()) : a.folder;
  if (!dossier.empty() && !Meme_Dossier(dossier, Rep_Data)) Rep_Data = dossier;
  if (Meme_Dossier(Rep_Prog, Rep_Images)) Appelle_Service(Services_Shell().Alerte_Unique);
  return a.path();
}

void Ecrit_Archive(bool coord) {
  QVL& f = Qvl();
  if (g_saisie) {
    platform::App::Beep();
    return;
  }
  SaisieEnCours saisie;
  Calcul_stat_Force();
  const std::string sep = Separateur_Export(Ext_Export);
  Place_Panneau(f, coord ? 3500 : 2900);
  std::vector<std::string> reponses;
  if (!Boucle_Saisie(f, "entrer :  Genre", Pas_Archive(f, coord), coord, &reponses)) return;
  const std::string chemin = Choix_Fichier(FonctionCourante);
  f.FraDial_Seq.setVisible(false);
  if (!chemin.empty()) {
    const std::string ligne =
        Ligne_Archive(Reponses(reponses, coord), std::max(LigneCourante - 1, 0), Textes_Statistiques(f), sep);
    std::string erreur;
    // The code, then the file and the system's cause.
    if (!Ajoute_Enregistrement(chemin, ligne, coord, &erreur))
      platform::MsgBox(MSG(144) + (coord ? "012" : "014") + platform::vbCrLf + erreur, platform::vbOKOnly);
  }
  Cache_Calendrier(f);
  f.FraDial_Seq.setVisible(false);
}

// The risk step of the parameters: false (after MNU(104)) when it is refused.
bool Accepte_Risque(QVL& f, const std::string& texte) {
  const double v = Val_Decimal(texte);
  if (!(v > 0.001 && v < 1)) {
    platform::MsgBox(MNU(104), platform::vbOKOnly);
    return false;
  }
  Alpha_Archive = static_cast<float>(v);
  f.Label9(0).setCaption(f.Label9(0).caption() + " Risque = " + stats::Str_Simple(Alpha_Archive) + " %" + SautLigne);
  f.Text9.setText("");
  return true;
}

}  // namespace

bool Saisie_Archive_En_Cours() { return g_saisie; }

void Abandon_Saisie_Archive() {
  if (g_saisie) Etat_Archive = kAnnule;
}

void Archive_Stat() { Ecrit_Archive(false); }

void Archive_Stat_Coord() { Ecrit_Archive(true); }

void Parametres_Recherche() {
  QVL& f = Qvl();
  if (g_saisie) {
    platform::App::Beep();
    return;
  }
  SaisieEnCours saisie;
  f.FraDial_Seq.setVisible(true);
  f.FraDial_Seq.zOrder(0);
  Place_Objet(f.FraDial_Seq, 2500, 3720, Haut_Panneau(f), 2200);
  Place_Objet(f.Text9, 495, 100, 600, 2000);
  Place_Objet(f.Label9(0), 600, 100, 1800, 1500);   // inside the panel, two answers
  Place_Objet(f.Label9(1), 375, 100, 240, 1500);
  Place_Objet(f.Command9(0), 375, 50, 1200, 1035);
  f.Command9(0).setCaption("OK");
  Place_Objet(f.Command9(1), 375, 1100, 1200, 1035);
  f.Command9(1).setCaption("Annule");
  f.Label9(0).setCaption("");
  f.Command9(2).setEnabled(false);
  f.Command9(2).setVisible(false);
  f.Command9(3).setVisible(false);

  Etat_Archive = kRepondu;
  for (int etape = 0; etape <= 2;) {
    if (Etat_Archive == kRepondu) {
      if (etape == 0) {
        f.Text9.setText(stats::Str_Simple(Alpha_Archive));
        f.FraDial_Seq.setVisible(true);
        f.Label9(1).setCaption("entrer :  risque");
      } else if (etape == 1) {
        if (!Accepte_Risque(f, f.Text9.text())) break;
        f.Label9(1).setCaption(" entrer : Filtre nom");
      } else {
        Filtre_Archive = f.Text9.text();
        f.Text9.setText("");
        f.Text9.setFocus();
        f.Label9(0).setCaption(f.Label9(0).caption() + " " + " Filtre nom =" + Filtre_Archive + "\r");
        break;
      }
      Etat_Archive = kAttente;
      etape += 1;
    }
    if (Etat_Archive == kAnnule) break;
    platform::Pause(0.1, [] { return Etat_Archive != kAttente; });
  }
  f.FraDial_Seq.setVisible(false);
  f.Command9(2).setVisible(true);
}

void Archv1_Click(int Index) {
  QVL& f = Qvl();
  if (Index == 1 && !g_saisie) {
    f.FraDial_Seq.setVisible(true);
    f.FraDial_Seq.setCaption("Archivage");
    Archive_Stat_Coord();
    f.Frame(10).setVisible(false);
  } else if (Index == 1) {
    platform::App::Beep();
    return;
  }
  if (Index == 2) Ouvre_Recherche_Archive();
  if (!g_saisie) Etat_Archive = kRepondu;
}

void Edition_Archive() {
  QVL& f = Qvl();
  if (g_saisie) {
    platform::App::Beep();
    return;
  }
  f.FraDial_Seq.setVisible(true);
  Archive_Stat();
  f.Frame(10).setVisible(false);
}

void spo_Click(int Index) {
  // "Spore optimale" opens the optimal-spore options, which act as the tools menu's.
  if (Index == 1) Parametres_Recherche();
}

void statdef_Click(int Index) {
  QVL& f = Qvl();
  if (Index < 1 || Index > 4) return;
  for (int i = 1; i <= 4; ++i)
    if (f.statdef.exists(i)) f.statdef(i).setChecked(i == Index);
  Vue_Stat = Index;
}

void Connecte_Archives(QVL& f) {
  f.Archv1->onClick = [](int i) { Archv1_Click(i); };
  f.spo->onClick = [](int i) { spo_Click(i); };
  f.statdef->onClick = [](int i) { statdef_Click(i); };
}

#include "measure/comment_panel.h"

#include <cmath>
#include <string>

#include "base/helpers.h"
#include "base/text_tables.h"
#include "colour/colour_state.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/dispatch.h"
#include "measure/measure_state.h"
#include "measure/redraw.h"
#include "measure/trame_file.h"
#include "platform/colour.h"
#include "platform/dialogs.h"
#include "reports/report_commands.h"

namespace {

constexpr platform::Colour kFondLigne = 0xC0C000;    // a row's comment
constexpr platform::Colour kFondExport = 0x00C0C0;   // the export's comment
constexpr int kTriangle = 15;
constexpr int kEspace = 32;

// The row the panel shows (0: none, the panel is not on a row).
int Ligne_Montree = 0;
// True while code sets the row box or the scroll bar: their own handlers stay quiet.
bool Panneau_Occupe = false;

struct Silence {
  Silence() : avant(Panneau_Occupe) { Panneau_Occupe = true; }
  ~Silence() { Panneau_Occupe = avant; }
  bool avant;
};

int Derniere_Ligne_Finie() { return LigneCourante - 1; }

// The panel's one purpose: whatever it was opened for before is forgotten.
void Nouvel_Usage() {
  Mode_Commentaire = false;
  Seq_Ouvert = false;
  Charte_Demande = false;
  Charte_Demande2 = false;
  Ligne_Montree = 0;
}

// The bar's buttons 28 to 30 of the panel in a row below its own buttons, and the
// panel tall enough for them.
void Range_Boutons(QVL& f) {
  const double haut = f.Bout_dial(28).top() + f.Bout_dial(28).height() + 100;
  for (int i = 28; i <= 30; ++i) f.Bout(i).setTop(haut);
  f.Frame(10).setHeight(haut + f.Bout(28).height() + 100);
}

// Geometry and row box of a layout (1 grid comment, 2 colour-zone comment; another
// value: the export's comment). The panel lies over the picture, clear of the left
// column and of the button bar, and over any panel already there (the image list);
// the row box and its scroll bar sit on the caption's line, above the comment box and
// clear of the buttons.
void Place_Panneau(QVL& f, int mode) {
  platform::Frame& cadre = f.Frame(10);
  cadre.zOrder(0);
  f.Text4.setVisible(false);
  f.VScroll2.setVisible(false);
  cadre.setLeft(f.Picture1.left());
  cadre.setTop(f.Picture1.top());
  if (mode == 1 || mode == 2) {
    const bool ligne = mode == 1;
    f.Text4.setVisible(ligne);
    f.VScroll2.setVisible(ligne);
    if (!ligne) cadre.setWidth(5200);
    f.TBox(3).move(100, ligne ? 600 : 550, 5000, ligne ? 300 : 1200);
    for (int i = 28; i <= 30; ++i) f.Bout_dial(i).setTop(ligne ? 1000 : 1800);
    f.Bout_dial(29).setCaption(MSG(18));
    f.Bout_dial(30).setVisible(true);
  }
  Range_Boutons(f);
}

// Shows finished row `ligne` in the panel: its number in Text4 and in the scroll bar,
// its comment in TBox(3). Nothing when no row is finished.
void Montre_Ligne(QVL& f, int ligne) {
  if (ligne < 1) {
    Ligne_Montree = 0;
    return;
  }
  Silence calme;
  Ligne_Montree = ligne;
  const std::string numero = std::to_string(ligne);
  if (f.Text4.text() != numero) f.Text4.setText(numero);
  f.VScroll2.setMin(1);
  f.VScroll2.setMax(std::max(1, Derniere_Ligne_Finie()));
  f.VScroll2.setValue(ligne);
  const int c = f.GrilleRef.cols() - 1;
  f.TBox(3).setText(c >= 0 && ligne < f.GrilleRef.rows() ? f.GrilleRef.textMatrix(ligne, c) : "");
}

// The end every button of the panel shares: the measurement in progress abandoned and
// the picture redrawn.
void Fin_Commune(QVL& f, int Index) {
  Valide_Commentaire(Index - 28);
  RAZ_Mesure();
  RAZ_Compteurs_Points();
  if (f.Bout.exists(40)) f.Bout(40).setBackColor(platform::kButtonFace);
  Retrace(0);
}

}  // namespace

int Ligne_Commentaire(double n) {
  const int derniere = Derniere_Ligne_Finie();
  if (derniere < 1) return 0;
  if (!(n > 0)) return 1;   // NaN too
  if (n >= derniere) return derniere;
  return static_cast<int>(n);
}

bool Ecrit_Commentaire(int ligne, const std::string& texte) {
  QVL& f = Qvl();
  const int c = f.GrilleRef.cols() - 1;
  if (ligne < 1 || ligne > Derniere_Ligne_Finie() || ligne >= f.GrilleRef.rows() || c < 1) return false;
  f.GrilleRef.setTextMatrix(ligne, c, Commentaire_Une_Ligne(texte));
  return true;
}

void GrilleRef_Click() {
  QVL& f = Qvl();
  const platform::FlexGrid& g = f.GrilleRef;
  if (g.col() + 1 != g.cols()) return;
  const int ligne = Ligne_Commentaire(g.row());
  if (ligne < 1) return;
  Nouvel_Usage();
  f.Frame(6).setVisible(false);
  platform::Frame& cadre = f.Frame(10);
  cadre.setBackColor(kFondLigne);
  Place_Panneau(f, 1);
  cadre.setVisible(true);
  Montre_Ligne(f, ligne);
  cadre.setCaption(MNU(13) + " :" + std::to_string(ligne) + "--- img " + std::to_string(Index_Image) +
                   " : " + Nom_Fichier(Img_Active));
  f.label(10).setCaption(MSG(102));
  f.TBox(3).setFocus();
}

std::optional<std::string> Chemin_Image_Ligne(int ligne) {
  QVL& f = Qvl();
  const platform::FlexGrid& g = f.GrilleRef;
  const int c = g.cols() - 2;
  if (c < 0 || ligne < 0 || ligne >= g.rows()) return std::nullopt;
  const double n = LeadingNumber(g.textMatrix(ligne, c));
  if (!(n >= 1 && n <= f.ListIMGchar.listCount() && n == std::floor(n))) return std::nullopt;
  return f.ListIMGchar.list(static_cast<int>(n) - 1);
}

void GrilleRef_KeyDown(int KeyCode, int) {
  if (KeyCode != kEspace) return;
  QVL& f = Qvl();
  if (f.GrilleRef.cols() >= 2) f.GrilleRef.setCol(f.GrilleRef.cols() - 2);
  if (const auto chemin = Chemin_Image_Ligne(f.GrilleRef.row())) platform::MsgBox("image :" + *chemin);
}

void commenter_grille() {
  Nouvel_Usage();
  Mode_Commentaire = true;
  Panneau_Commentaire(1);
  QVL& f = Qvl();
  Montre_Ligne(f, Ligne_Commentaire(LeadingNumber(f.Text4.text())));
}

void Panneau_Commentaire(int mode) {
  QVL& f = Qvl();
  Place_Panneau(f, mode);
  if (mode != 1 && mode != 2) return;
  f.Frame(10).setCaption("Commentaires grille");
  f.Frame(10).setVisible(true);
}

void Text4_Change() {
  if (Panneau_Occupe) return;
  QVL& f = Qvl();
  Montre_Ligne(f, Ligne_Commentaire(LeadingNumber(f.Text4.text())));
  f.TBox(3).setFocus();
}

void VScroll2_Change() {
  if (Panneau_Occupe) return;
  QVL& f = Qvl();
  const int vers = Ligne_Commentaire(f.VScroll2.value());
  if (Ligne_Montree >= 1) Ecrit_Commentaire(Ligne_Montree, f.TBox(3).text());
  Montre_Ligne(f, vers);
}

void Bout_dial_Click(int Index) {
  QVL& f = Qvl();
  f.StatusBar1.setSimpleText("");
  switch (Index) {
    case 28:
      if (Charte_Demande2 || Charte_Demande) {
        if (Enregistre_Couleur()) Enregistre_Couleur()();
        return;
      }
      if (Mode_Commentaire) {
        Ecrit_Commentaire(Ligne_Montree, f.TBox(3).text());
        return;
      }
      break;
    case 29:
      Charte_Demande = false;
      Charte_Demande2 = false;
      Ferme_Panneau_Commentaire();
      break;
    case 30:
      f.TBox(3).setText("");
      return;
    default:
      break;
  }
  Fin_Commune(f, Index);
}

void Valide_Commentaire(int k) {
  QVL& f = Qvl();
  if (k == 0) {
    if (Seq_Ouvert) {
      Seq_Ouvert = false;
      Export_Resultats(1);
    } else {
      Ecrit_Commentaire(Ligne_Montree, f.TBox(3).text());
    }
    Ferme_Panneau_Commentaire();
  } else if (k == 1) {
    Ferme_Panneau_Commentaire();
  }
}

void Fin_Etape_Mesure() {
  QVL& f = Qvl();
  platform::Frame& cadre = f.Frame(10);
  if (LigneCourante <= 1) {
    platform::MsgBox(MSG(130));
    return;
  }
  // The triangle counts its closing click apart: one step less is still unfinished.
  const int etape = FonctionCourante == kTriangle ? EtapeClic - 1 : EtapeClic;
  if (etape > 1) {
    f.Flash(65535, MSG(178), 2);
    return;
  }
  Nouvel_Usage();
  Place_Panneau(f, 0);
  cadre.setBackColor(kFondExport);
  cadre.setCaption(MSG(119));
  cadre.setVisible(true);
  f.TBox(3).setText("");
  f.TBox(3).setFocus();
  Seq_Ouvert = true;
}

void Ferme_Panneau_Commentaire() {
  Qvl().Frame(10).setVisible(false);
  Mode_Commentaire = false;
  Seq_Ouvert = false;
  Ligne_Montree = 0;
}

std::function<void()>& Enregistre_Couleur() {
  static std::function<void()> slot;
  return slot;
}

void Connecte_Commentaires(QVL& f) {
  f.GrilleRef.onClick = [] { GrilleRef_Click(); };
  f.GrilleRef.onKeyDown = [](int& k, int s) { GrilleRef_KeyDown(k, s); };
  f.Text4.onChange = [] { Text4_Change(); };
  f.VScroll2.onChange = [] { VScroll2_Change(); };
  f.Bout_dial.onClick = [](int i) { Bout_dial_Click(i); };
}

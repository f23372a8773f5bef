// The colour-match window's chart-archive panel: the archive line of the mean or of a
// grid row with its comment, the file it is added to, the entry count and the editor.
#include <array>
#include <string>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/shell_services.h"
#include "colour/chart.h"
#include "colour/chart_archive.h"
#include "colour/colour_state.h"
#include "colour/colour_window.h"
#include "colour/colour_window_parts.h"
#include "forms/colour_window.h"
#include "forms/main_window.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

namespace {

// The editor type of the chart archive.
constexpr int kEditeurArchive = 3;

std::array<std::string, 6> cellules(const platform::FlexGrid& g, int ligne) {
  std::array<std::string, 6> v;
  for (int c = 1; c <= 6; ++c) v[static_cast<std::size_t>(c - 1)] = Cellule_Grille(g, ligne, c);
  return v;
}

std::string enLigne(const std::array<std::string, 6>& v) {
  std::string t;
  for (const std::string& s : v) t += s + ";";
  return t;
}

std::string cheminArchive() { return Chemin_Fichier_Couleur(Fic_ArchNua); }

void rafraichitApercu() {
  Ajustement& f = ColourWindow();
  f.Label10.setCaption(colour_window::TxtNuaAffiche());
}

}  // namespace

void Connecte_Archive(Ajustement& f) {
  using namespace colour_window;
  f.Fic_Charte.onClick = [](int i) { Fic_Charte_Click(i); };
  f.Label5.onClick = [](int i) { Label5_Click(i); };
  f.Command6.onClick = [] { TextArchv_enreg(); };
  f.Option7.onClick = [](int i) { Option7_Click(i); };
  f.Text6.onChange = [] { Text6_Change(); };
  f.Text6.onClick = [] {
    Ajustement& w = ColourWindow();
    w.Text6.setSelStart(0);
    w.Text6.setSelLength(platform::Len(w.Text6.text()));
  };
  f.Text7.onChange = [] { Text7_Change(); };
  f.VScroll7.onChange = [](int) { VScroll7_Change(); };
  f.Command4.onClick = [] { Command4_Click(); };
  f.Command5.onClick = [] { Command5_Click(); };
  f.Command7.onClick = [] { Command7_Click(); };
  f.MonthView1.onDateClick = [] { MonthView1_DateClick(); };
}

namespace colour_window {

void Fic_Charte_Click(int Index) {
  Ajustement& f = ColourWindow();
  f.Frame7.setVisible(false);
  if (Index == 7) {
    f.Frame7.setWidth(5300);
    f.Frame7.setHeight(2600);
    f.Frame7.setVisible(true);
  } else if (Index == 8) {
    Appelle_Service(Services_Shell().Edite_Fichier, kEditeurArchive, cheminArchive());
    f.unload();
  }
}

std::string Chn_RGB_Lab_Moy() { return enLigne(cellules(Qvl().GrilleRefP, 1)); }

std::string Chn_RGB_Lab_Res(int ligne) {
  platform::FlexGrid& g = Qvl().GrilleRef;
  if (ligne >= 0 && ligne < g.rows()) g.setRow(ligne);
  return enLigne(cellules(g, ligne));
}

std::string TxtNuaAffiche() {
  Ajustement& f = ColourWindow();
  QVL& q = Qvl();
  const bool moyenne = f.Option7(4).value();
  const int ligne = platform::CInt(Val_Decimal(f.Text7.text()));
  if (!moyenne && ligne >= 0 && ligne < q.GrilleRef.rows()) q.GrilleRef.setRow(ligne);
  return Ligne_Archive_Nuancier(cellules(moyenne ? q.GrilleRefP : q.GrilleRef, moyenne ? 1 : ligne), moyenne,
                                f.Text6.text());
}

std::string TextArchv(int nn) {
  if (nn == 1) return TxtNuaAffiche();
  if (nn == 0)
    return "'Rem = Nuancier  archive " + SautLigne + "'N°;R;V;B;L;a;b;zone;S;comment;" + SautLigne + TxtNuaAffiche();
  return "";
}

void Label5_Click(int) {
  Ajustement& f = ColourWindow();
  platform::FileRequest demande;
  const std::string actuel = cheminArchive();
  std::string dossier = Rep_Fichier(actuel);
  while (dossier.size() > 1 && (dossier.back() == '/' || dossier.back() == '\\')) dossier.pop_back();
  demande.initialFolder = dossier.empty() ? Rep_Prog : dossier;
  demande.fileName = f.Label5(1).caption();
  const platform::FileAnswer reponse = platform::dialogs().saveFile(demande);
  if (reponse.cancelled || reponse.path().empty()) return;
  const std::string ligne = TextArchv(1);
  std::string chemin = reponse.path();
  if (Extension_Fichier(Nom_Fichier(chemin)).empty()) chemin += ".Nua";
  const std::string message = "Création fichier " + Dir_Sur(chemin);
  if (!platform::fileExists(chemin)) Qvl().Flash(65280, message + "création ", 1);
  const ResultatArchive r = Ecrit_Archive_Nuancier(chemin, ligne);
  if (r.etat == ResultatArchive::Echec) {
    platform::MsgBox(r.message, platform::vbExclamation);
    return;
  }
  Fic_ArchNua = chemin;
  f.Label5(1).setCaption(Nom_Fichier(chemin));
}

void TextArchv_enreg() { Label5_Click(1); }

void Option7_Click(int) { rafraichitApercu(); }

void Text6_Change() { rafraichitApercu(); }

void Text7_Change() {
  Ajustement& f = ColourWindow();
  const std::string texte = f.Text7.text();
  if (!Texte_Nombre(texte)) return;
  const double v = Val_Decimal(texte);
  // A corrected text comes back here and does the rest.
  if (v < 1) {
    f.Text7.setText("1");
    return;
  }
  if (NbLignes_Ajust >= 1 && v > NbLignes_Ajust) {
    f.Text7.setText(platform::CStr(static_cast<long long>(NbLignes_Ajust)));
    return;
  }
  f.VScroll7(1).setValue(platform::CInt(v));
  if (NbLignes_Ajust == 0 && f.Text7.text() != "1") {
    f.Text7.setText("1");
    return;
  }
  rafraichitApercu();
}

void VScroll7_Change() {
  Ajustement& f = ColourWindow();
  if (!f.Option7(4).value() && NbLignes_Ajust != 0)
    f.Text7.setText(platform::CStr(static_cast<long long>(f.VScroll7(1).value())));
}

void Command4_Click() {
  Ajustement& f = ColourWindow();
  f.Frame7.setVisible(false);
  f.MonthView1.setVisible(false);
}

void Command5_Click() {
  Ajustement& f = ColourWindow();
  f.MonthView1.setVisible(true);
  if (f.Command5.caption() != "Date OK") {
    f.Command5.setCaption("Date OK");
  } else {
    f.Command5.setCaption("Date");
    f.MonthView1.setVisible(false);
  }
}

void Command7_Click() {
  Ajustement& f = ColourWindow();
  f.Label9.setCaption("********" + platform::CStr(static_cast<long long>(Compte_Entrees_Liste(cheminArchive()))));
}

void MonthView1_DateClick() {
  Ajustement& f = ColourWindow();
  f.MonthView1.setVisible(true);
  f.Label10.setCaption(TxtNuaAffiche() + " /  " + platform::ShortDateText(f.MonthView1.value()));
}

}  // namespace colour_window

// The frequency diagram in MHistPic and its option boxes and bars.
#include <exception>
#include <span>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/stat_window.h"
#include "platform/runtime.h"
#include "statwindow/chart_canvas.h"
#include "statwindow/diagram_panel.h"
#include "statwindow/diagram_state.h"
#include "statwindow/frequency_diagram.h"
#include "statwindow/grid_columns.h"
#include "statwindow/stat_window.h"

namespace {

bool coche(int i) { return StatWindow().MCheck1(i).value() == 1; }

double premiere() { return Donnees.size() > 1 ? Donnees[1] : 0; }
double derniere() { return Donnees.back(); }

// A handler of the options ends silently at a failure.
template <class F>
void silencieux(F fn) {
  try {
    fn();
  } catch (const std::exception&) {
  }
}

}  // namespace

void Trace_diagramme(int code) {
  FenHisto& f = StatWindow();
  DiagramSettings s;
  s.simple = coche(1);
  s.cumule = coche(2);
  s.fixedX = coche(3);
  s.fixedY = coche(4);
  s.resolution = f.MVScroll2(5).value();
  s.echelleX = Echelle_X;
  s.origine = f.MScroll1(5).value();
  s.echelleY = Echelle_Y;
  s.pasValeur = Pas_Valeur;
  s.code = code;
  DiagramValues v;
  v.donnees = Donnees;
  v.dominante = Val_Dominante;
  v.modes = std::span<const float>(Modes.begin(), Modes.end());
  v.nbModes = NbModes;
  PictureCanvas canvas(f.MHistPic);
  silencieux([&] { Trace_diagramme(canvas, v, s); });
}

void MCheck1_Click(int Index) {
  if (Index == 0) return;
  FenHisto& f = StatWindow();
  silencieux([&] {
    f.MCommand2.setEnabled(true);
    Auto_Pdms = false;
    Echelle_X = Echelle_X_Defaut;
    if (coche(3)) {
      Regle_Defilements();
      if (Donnees.size() > 1) {
        const int p = Puissance_Dix(derniere() - premiere());
        f.MVScroll2(3).setValue(p == 0 ? 0 : static_cast<int>(platform::Int(1.0 / p)) * 50);
      }
    }
    if (coche(0)) Auto_Pdms = true;
    Mcalcul(Texte_Donnees, 0);
  });
}

void MVScroll2_Change(int Index) {
  FenHisto& f = StatWindow();
  silencieux([&] {
    platform::VScrollBar& barre = f.MVScroll2(Index);
    const int v = barre.value();
    if (Index == 5) {
      f.groupe.setCaption(Legende_Resolution(v));
      if (v != 0) barre.setSmallChange(platform::CInt(Puissance_Dix(v) + 0.1));
      Mcalcul0();
    }
    if (!f.MCheck1.exists(Index) || !coche(Index)) return;
    if (Index == 3 && v > 0) {
      Echelle_X = derniere() * 20 / v;
      barre.setSmallChange(static_cast<int>(platform::Int(Puissance_Dix(v) * 0.2)) + 1);
      const std::string largeur = Echelle_X > 199 ? "" : platform::Format(Echelle_X, "#.0");
      f.MCheck1(3).setCaption("Ech. X fixe " + largeur + "%");
    } else if (Index == 4) {
      Echelle_Y = v;
      f.MCheck1(4).setCaption("Ech. Y fixe " + std::to_string(v));
      barre.setSmallChange(static_cast<int>(platform::Int(Puissance_Dix(v) * 0.2)) + 1);
    }
    if (Index >= 3 && Index <= 5) Mcalcul(Texte_Donnees, 0);
  });
}

void MScroll1_Change(int Index) {
  if (Index != 5) return;
  FenHisto& f = StatWindow();
  silencieux([&] {
    Mcalcul(Texte_Donnees, 0);
    f.Label4.setCaption(MNUSTAT(38) + "= " + std::to_string(f.MScroll1(5).value()));
  });
}

void Command5_Click() {
  silencieux([] { Regle_Defilements(); });
}

void Regle_Defilements() {
  if (Donnees.size() < 2) return;
  FenHisto& f = StatWindow();
  const double R = derniere() - premiere();
  platform::HScrollBar& origine = f.MScroll1(5);
  origine.setMax(platform::CInt(R + premiere()));
  f.MVScroll2(3).setValue(platform::CInt(premiere()));
  f.MVScroll2(3).setSmallChange(platform::CInt(R / 10 + 1));
  origine.setMin(platform::CInt(premiere() - 0.1 * R));
  origine.setSmallChange(platform::CInt((origine.max() - origine.min()) / 10.0));
  origine.setValue(origine.min());
}

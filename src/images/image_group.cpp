#include "images/image_group.h"

#include <algorithm>
#include <string>

#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "measure/comment_panel.h"
#include "measure/redraw.h"
#include "platform/runtime.h"

namespace {

constexpr int kMarque = -1;

bool Position_Valide(int b) { return b >= 0 && b < kMaxImages; }

// The group as the lists hold it: the positions read from ListImgIdx (unreadable
// entries as -1, kept so that both lists stay parallel).
std::vector<int> Lit_Groupe(const QVL& f) {
  std::vector<int> g;
  for (int p = 0; p < f.ListImgIdx.listCount(); ++p) {
    const std::string t = f.ListImgIdx.list(p);
    g.push_back(t.empty() ? -1 : platform::CInt(platform::Val(t)));
  }
  return g;
}

// Writes the group back into ListImgMC (paths) and ListImgIdx (positions), then
// brings the displayed list in line when it shows the group.
void Ecrit_Groupe(QVL& f, const std::vector<int>& g) {
  std::vector<std::string> chemins, positions;
  for (int b : g) {
    chemins.push_back(b >= 0 ? f.ListIMGchar.list(b) : std::string());
    positions.push_back(platform::CStr(static_cast<long long>(b)));
  }
  f.ListImgMC.setItems(chemins);
  f.ListImgIdx.setItems(positions);
  if (f.chkMC(0).value() == 1) aff_liste_images();
}

}  // namespace

// --- rules ----------------------------------------------------------------------------

void Groupe_Ajoute_Selection(std::vector<int>& groupe, Marques_Groupe& marques,
                             const std::vector<bool>& selection) {
  const int n = std::min(static_cast<int>(selection.size()), kMaxImages);
  for (int b = 0; b < n; ++b) {
    if (!selection[static_cast<size_t>(b)]) continue;
    if (marques(b) == kMarque) return;
    groupe.push_back(b);
    marques(b) = kMarque;
  }
}

void Groupe_Retire(std::vector<int>& groupe, Marques_Groupe& marques, int k) {
  if (k < 0 || k >= static_cast<int>(groupe.size())) return;
  const int b = groupe[static_cast<size_t>(k)];
  if (Position_Valide(b)) marques(b) = 0;
  groupe.erase(groupe.begin() + k);
}

void Groupe_Tout(std::vector<int>& groupe, Marques_Groupe& marques, int n) {
  marques.fill(0);
  groupe.clear();
  for (int b = 0; b < std::min(n, kMaxImages); ++b) {
    groupe.push_back(b);
    marques(b) = kMarque;
  }
}

void Groupe_Vide(std::vector<int>& groupe, Marques_Groupe& marques) {
  groupe.clear();
  marques.fill(0);
}

// --- the window ---------------------------------------------------------------------------

void cmdChargeMC_Click() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  f.StatusBar1.setSimpleText("");
  platform::Frame& cadre = f.FraMC(0);
  if (cadre.visible()) {
    cadre.setVisible(false);
    f.Picture1.setFocus();
    return;
  }
  cadre.setLeft(f.Picture1.left() + 100);
  cadre.setTop(f.Picture1.top() + 5000);
  cadre.setVisible(true);
  cadre.zOrder(0);
  f.StatusBar1.setSimpleText(MSG(68));
}

void BoutMC_Click(int Index) {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  std::vector<int> g = Lit_Groupe(f);
  switch (Index) {
    case 0: {
      std::vector<bool> selection;
      for (int b = 0; b < Nombre_Images(); ++b) selection.push_back(f.ListIMGchar.selected(b));
      Groupe_Ajoute_Selection(g, Img_Marque, selection);
      break;
    }
    case 1:
      if (f.ListImgMC.listIndex() < 0) return;
      Groupe_Retire(g, Img_Marque, f.ListImgMC.listIndex());
      break;
    case 2:
      Groupe_Tout(g, Img_Marque, Nombre_Images());
      break;
    case 3:
      Groupe_Vide(g, Img_Marque);
      break;
    case 4:
      f.FraMC(0).setVisible(false);
      if (f.FraListeImg.visible()) {
        f.FraListeImg.setVisible(false);
        Bout_dial_Click(8);
      }
      return;
    default:
      return;
  }
  Ecrit_Groupe(f, g);
}

void chkMC_Click(int Index) {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  if (Index == 0) {
    const bool groupe = f.chkMC(0).value() == 1;
    f.chkMC(1).setEnabled(groupe);
    f.Mntool(6).setEnabled(groupe);
    f.FraMC(0).setVisible(false);
    Retrace(0);
  } else if (Index == 1) {
    Retrace(0);
  } else {
    return;
  }
  // The displayed list follows the mode even while its frame is hidden, so that a
  // click in it always names the image it shows.
  aff_liste_images();
}

void Connecte_Groupe(QVL& f) {
  f.cmdChargeMC.onClick = [] { cmdChargeMC_Click(); };
  f.BoutMC.onClick = [](int i) { BoutMC_Click(i); };
  f.chkMC.onClick = [](int i) { chkMC_Click(i); };
}

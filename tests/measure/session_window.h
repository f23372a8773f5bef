#pragma once
// Fixture of the window tests that load, save and edit whole sessions: the measuring
// window fixture with every further value a load changes put back afterwards, test
// pictures of a given width, golden files with the test folder written in, and a
// snapshot of the session to tell that nothing changed.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/globals.h"
#include "colour/colour_state.h"
#include "colour/scanner_correction.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "measure_window.h"
#include "picture_window.h"
#include "platform/picture.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "support/user_input.h"

namespace session_window {

using picture_window::TempFolder;

inline std::string dataFile(const std::string& name) {
  return std::string(QV_TEST_DATA) + "/trame_read/" + name;
}

inline std::string bytesOf(const std::string& path) {
  std::string b;
  EXPECT_TRUE(platform::readBytes(path, &b)) << path;
  return b;
}

inline std::string replaceAll(std::string s, const std::string& from, const std::string& to) {
  for (std::size_t p = s.find(from); p != std::string::npos; p = s.find(from, p + to.size()))
    s.replace(p, from.size(), to);
  return s;
}

// A picture file of w x h pixels in dir; its full path.
inline std::string picture(const TempFolder& dir, const std::string& name, int w, int h = 12,
                           platform::Colour c = 0x808080) {
  const std::string path = dir.file(name);
  EXPECT_TRUE(platform::Picture::filled(w, h, c).saveBmp(path)) << path;
  return path;
}

// The rows of the measurement grid in use (headings and rows 1 to LigneCourante - 1),
// cells separated by tabs.
inline std::vector<std::string> gridLines() {
  const platform::FlexGrid& g = Qvl().GrilleRef;
  std::vector<std::string> lines;
  for (int r = 0; r < LigneCourante && r < g.rows(); ++r) {
    std::string l;
    for (int c = 0; c < g.cols(); ++c) l += (c ? "\t" : "") + g.textMatrix(r, c);
    lines.push_back(l);
  }
  return lines;
}

// The statistics grid, rows 0 to 12.
inline std::vector<std::string> statLines() {
  const platform::FlexGrid& g = Qvl().GrilleRefP;
  std::vector<std::string> lines;
  for (int r = 0; r < g.rows(); ++r) {
    std::string l;
    for (int c = 0; c < g.cols(); ++c) l += (c ? "\t" : "") + g.textMatrix(r, c);
    lines.push_back(l);
  }
  return lines;
}

inline std::vector<std::string> imageList() {
  std::vector<std::string> l;
  for (int i = 0; i < Qvl().ListIMGchar.listCount(); ++i) l.push_back(Qvl().ListIMGchar.list(i));
  return l;
}

// What a session is made of, to compare before and after.
struct Snapshot {
  std::vector<std::string> grid, stats, images;
  std::vector<double> calibrations;
  std::vector<std::string> rows;   // TabMesures rows 1 to 40 as text
  int ligne = 0, etape = 0, fonction = 0, tailleGrille = 0;
  std::string ficTrame, imgActive;
  bool operator==(const Snapshot&) const = default;
};

inline std::string rowText(const Mesure& m) {
  std::string t = std::to_string(m.NumImage) + ";" + std::to_string(m.ExpZoom) + ";" + m.Texte;
  for (int c = 0; c <= 16; ++c) {
    const Segment& s = m.Seg(c);
    for (double v : {s.X1, s.Y1, s.X2, s.Y2}) t += ";" + platform::CStr(v);
  }
  return t;
}

inline Snapshot snapshot() {
  Snapshot s;
  s.grid = gridLines();
  s.stats = statLines();
  s.images = imageList();
  for (int i = 0; i <= 50; ++i) s.calibrations.push_back(Calib_Images(i));
  for (int r = 1; r <= 40; ++r) s.rows.push_back(rowText(TabMesures(r)));
  s.ligne = LigneCourante;
  s.etape = EtapeClic;
  s.fonction = FonctionCourante;
  s.tailleGrille = Taille_Grille;
  s.ficTrame = Fic_Trame;
  s.imgActive = Img_Active;
  return s;
}

// The measuring window fixture, keeping also what loading a session changes, with the
// image folder in a folder of its own.
class SessionWindow : public measure_window::MeasureWindow {
 protected:
  SessionWindow() : MeasureWindow(kDerniereLigneTable) {}

  void SetUp() override {
    MeasureWindow::SetUp();
    QVL& f = Qvl();
    r_.keep(Img_Active); r_.keep(Rep_Images); r_.keep(Rep_Data); r_.keep(Fic_Ligne_Cmd);
    r_.keep(Rep_Trame_Ok); r_.keep(Courbe_Fermee); r_.keep(Export_Fait); r_.keep(Alerte_W7);
    r_.keep(Mode_Etalonnage); r_.keep(Mode_Illus); r_.keep(Img_Marque); r_.keep(Fic_Session_Lue);
    const int state = f.windowState();
    const std::string label = f.labNomFic.caption();
    r_.then([state, label] {
      QVL& g = Qvl();
      if (g.windowState() != state) g.setWindowState(state);
      g.labNomFic.setCaption(label);
      g.ListImgMC.clear();
      g.ListImgIdx.clear();
    });
    Rep_Images = images_.file("");
    Rep_Data = images_.file("");
    Img_Active.clear();
    Index_Image = 0;
  }

  // For the colour-zone function: keeps what measuring zones changes (the zone size,
  // the standard and scanner files and their correction, the colours measured,
  // "Calibré", the colour frame and its caption), and has the zones measured as they
  // are: no colour standard in the program folder (the test folder), no scanner
  // correction, "Calibré" unticked.
  void plainColourZones() {
    QVL& f = Qvl();
    r_.keep(ZoneCouleur); r_.keep(Fic_Etalon); r_.keep(Rep_Prog); r_.keep(Coul_Mesure);
    r_.keep(Coul_Lab); r_.keep(Table_Correction); r_.keep(Correction_Valide); r_.keep(Etalon_Charge);
    const int calibre = f.CheckCalibre.value();
    const bool charte = f.FraCharte.visible();
    const std::string label7 = f.Label7.caption();
    r_.then([calibre, charte, label7] {
      QVL& g = Qvl();
      g.CheckCalibre.setValue(calibre);
      g.FraCharte.setVisible(charte);
      g.Label7.setCaption(label7);
    });
    Rep_Prog = images_.file("");
    Fic_Etalon.clear();
    Table_Correction = TableCorrection();
    Correction_Valide = false;
    f.CheckCalibre.setValue(0);
  }

  // The panels over the picture (the preview and the welcome panel) closed by their
  // buttons, as a user does before measuring; they, and the image list, are put back
  // as they were afterwards.
  void closePanelsOverPicture() {
    QVL& f = Qvl();
    const bool apercu = f.Frame(12).visible(), accueil = f.Frame(9).visible();
    r_.then([apercu, accueil] {
      Qvl().Frame(12).setVisible(apercu);
      Qvl().Frame(9).setVisible(accueil);
      Qvl().FraListeImg.setVisible(false);
    });
    if (f.Frame(12).visible()) {
      ASSERT_TRUE(user::click(f.Bout(38)));
    }
    if (f.Frame(9).visible()) {
      ASSERT_TRUE(user::click(f.Bout(34)));
    }
  }

  // The golden trame `name` with the test folder written in for "@DOSSIER@", written
  // into that folder; its path.
  std::string golden(const std::string& name) {
    const std::string text = replaceAll(bytesOf(dataFile(name + "/input.trm")), "@DOSSIER@", folder());
    const std::string path = images_.file(name + ".trm");
    EXPECT_TRUE(platform::saveFileAtomic(path, text));
    return path;
  }
  // The test folder without its trailing separator.
  std::string folder() const {
    std::string d = images_.file("");
    if (!d.empty() && d.back() == '/') d.pop_back();
    return d;
  }

  TempFolder images_;
};

}  // namespace session_window

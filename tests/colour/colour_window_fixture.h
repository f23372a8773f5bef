#pragma once
// Fixture of the colour-match window tests on the real windows (offscreen): two colour
// rows in the grid laid out for the colour zone, a pinned date, scripted dialogs, and
// the window opened modal by "Ajuster" while a test runs inside it.
#include "colour/colour_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "colour/colour_options.h"
#include "colour_fixture.h"
#include "forms/colour_window.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/grid_setup.h"
#include "measure/measure_state.h"
#include "platform/calendar.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "shell/button_bar.h"
#include "shell/function_switch.h"
#include "shell/text_editor.h"
#include "support/file_size_limit.h"
#include "support/user_input.h"

namespace colour_window_test {


// 9 December 2026; every reading of the monotonic clock moves it on 10 ms, so that
// timed panels end.
class PinnedDate : public platform::Clock {
 public:
  double monotonicSeconds() override { return t_ += 0.01; }
  double secondsSinceMidnight() override { return 36000; }
  void localDate(int* y, int* m, int* d) override {
    *y = 2026;
    *m = 12;
    *d = 9;
  }

 private:
  double t_ = 0;
};

// (entry, distance text) of each result line of a result text.
inline std::vector<std::pair<int, std::string>> resultats(const std::string& texte) {
  std::vector<std::pair<int, std::string>> r;
  std::size_t p = 0;
  while ((p = texte.find("Cel.: ", p)) != std::string::npos) {
    p += 6;
    const int entree = std::stoi(texte.substr(p));
    const std::size_t e = texte.find(" écart : ", p) + std::string(" écart : ").size();
    const std::size_t fin = texte.find("\r\n", e);
    r.emplace_back(entree, texte.substr(e, fin == std::string::npos ? std::string::npos : fin - e));
  }
  return r;
}

using Lignes = std::vector<std::pair<int, std::string>>;

class ColourWindowTest : public colour_test::ColourTest {
 protected:
  void SetUp() override {
    // The main window's first showing sets the program folder: the test's comes after.
    Qvl().show();
    platform::DoEvents();
    ColourTest::SetUp();
    ForgetColourWindow();
    auto d = std::make_unique<platform::ScriptedDialogs>();
    dialogs_ = d.get();
    platform::setDialogs(std::move(d));
    platform::setClock(std::make_unique<PinnedDate>());
    bips_ = 0;
    Bip_Ajustement() = [this] { ++bips_; };
    QVL& f = Qvl();
    fonction_ = FonctionCourante;
    calcul_ = f.Check(3).value();
    f.Check(3).setValue(1);
    image_ = Img_Active;
    archive_ = Fic_ArchNua;
    grille_ = f.Frame(6).visible();
    Img_Active = dir_.file("spore.jpg");
    ASSERT_TRUE(platform::saveFileAtomic(Img_Active, "x"));
    Fic_ArchNua = "Archv_Nuancier.nua";
    grid({{"90", "60", "30", "28.11", "9.85", "23.29"}, {"30", "120", "90", "44.87", "-33.45", "8.63"}});
    // The colour band, which the colour function shows: "Ajuster" is on it.
    dialogs_->answerMsgBox(platform::vbOK);
    Charge_Etalon_Defaut();
    dialogs_->clear();
  }

  void TearDown() override {
    ForgetColourWindow();
    QVL& f = Qvl();
    f.GrilleRef.clear();
    f.GrilleRefP.clear();
    Choix_Fonction_Mesure(fonction_);
    f.Check(3).setValue(calcul_);
    f.Frame(6).setVisible(grille_);
    f.FrameEditer.setVisible(false);
    Img_Active = image_;
    Fic_ArchNua = archive_;
    Bip_Ajustement() = [] {};
    for (const auto& u : dialogs_->unanswered()) ADD_FAILURE() << u;
    platform::setDialogs(nullptr);
    platform::setClock(nullptr);
    ColourTest::TearDown();
  }

  // Colour rows (R, V, B, L, a, b) written into the grid laid out for the colour zone.
  static void grid(const std::vector<std::vector<std::string>>& rows) {
    QVL& f = Qvl();
    f.GrilleRef.clear();
    f.GrilleRefP.clear();
    FonctionCourante = 20;
    ASSERT_TRUE(Prepare_Grilles_Mesure(20));
    Prepare_Grille(20);
    f.GrilleRef.setRows(50);
    for (std::size_t r = 0; r < rows.size(); ++r) {
      const int ligne = static_cast<int>(r) + 1;
      f.GrilleRef.setTextMatrix(ligne, 0, std::to_string(ligne));
      for (std::size_t c = 0; c < rows[r].size(); ++c)
        f.GrilleRef.setTextMatrix(ligne, static_cast<int>(c) + 1, rows[r][c]);
      f.GrilleRef.setTextMatrix(ligne, 7, "8");
    }
    LigneCourante = static_cast<int>(rows.size()) + 1;
  }

  // Loads the six-entry chart (or a chart of n grey entries) through the chart reader.
  void chart() {
    CasesCouleur cases;
    ASSERT_EQ(Charge_Nuancier(dir_.copy("window/six.Nua", "six.Nua"), cases).etat, ChargementNuancier::Charge);
  }
  void chart(int n) {
    std::vector<std::string> lignes = {"LISTE="};
    for (int i = 1; i <= n; ++i)
      lignes.push_back(std::to_string(i) + ";" + std::to_string(i) + ";" + std::to_string(i) + ";" +
                       std::to_string(i) + ";50;" + std::to_string(i) + ";1;8;1;g" + std::to_string(i) + ";");
    const std::string chemin = dir_.file("gris" + std::to_string(n) + ".Nua");
    ASSERT_TRUE(platform::writeLines(chemin, lignes));
    CasesCouleur cases;
    ASSERT_EQ(Charge_Nuancier(chemin, cases).etat, ChargementNuancier::Charge);
  }

  // Presses "Ajuster", runs `inside` while the window is shown and modal, then closes it
  // with "Fermer" when it is still open. A window left open is unloaded after a few
  // seconds so that a failing test cannot hang.
  void whileOpen(const std::function<void(Ajustement&)>& inside) {
    QObject garde;
    bool ran = false;
    QTimer::singleShot(0, &garde, [&] {
      Ajustement& f = ColourWindow();
      EXPECT_TRUE(f.visible());
      EXPECT_TRUE(f.isModal());
      inside(f);
      ran = true;
      if (f.isLoaded()) user::click(f.Command1(0));
    });
    QTimer::singleShot(10000, &garde, [] { UnloadColourWindow(); });
    user::click(Qvl().cmd_Ch);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(ColourWindow().isLoaded());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }

  std::vector<std::string> messages() const {
    std::vector<std::string> v;
    for (const auto& a : dialogs_->log())
      if (a.kind == "msgBox") v.push_back(a.text);
    return v;
  }

  static std::string entete(const std::string& nuancier) {
    return platform::ShortDateText({2026, 12, 9}) + "  Image : spore.jpg\r\nNuancier : " + nuancier +
           "\r\n données brutes\r\n";
  }

  platform::ScriptedDialogs* dialogs_ = nullptr;
  int bips_ = 0;
  int fonction_ = 2, calcul_ = 1;
  bool grille_ = true;
  std::string image_, archive_;
};

}  // namespace colour_window_test

// The listing of "Voir Options" against a golden text, and its toggling.
#include "shell/diagnostics.h"

#include <QApplication>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "colour/scanner_correction.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "platform/events.h"
#include "shell/program_folder.h"
#include "support/user_input.h"

namespace {

std::string replaceAll(std::string s, const std::string& what, const std::string& with) {
  for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + with.size()))
    s.replace(p, what.size(), with);
  return s;
}

std::string dataFile(const std::string& name) {
  std::string bytes;
  EXPECT_TRUE(platform::readBytes(std::string(QV_TEST_DATA) + "/diagnostics/" + name, &bytes)) << name;
  return bytes;
}

class Diagnostics : public ProgramFolder {
 protected:
  void SetUp() override {
    ProgramFolder::SetUp();
    QVL& f = Qvl();
    f.show();
    platform::DoEvents();
    f.TBox(4).setVisible(false);
    trame_ = Fic_Trame;
    img_ = Img_Active;
    index_ = Index_Image;
    kzoom_ = K_Zoom;
    nbScanner_ = NbScanner;
    check2_ = f.Check(2).value();
  }
  void TearDown() override {
    QVL& f = Qvl();
    f.TBox(4).setVisible(false);
    f.ListIMGchar.clear();
    Fic_Trame = trame_;
    Img_Active = img_;
    Calib_Images(2) = 0;
    Index_Image = index_;
    K_Zoom = kzoom_;
    NbScanner = nbScanner_;
    NomObjet.clear();
    Fic_Resultats.clear();
    f.Check(2).setValue(check2_);
    ProgramFolder::TearDown();
  }
  // The state of the golden listing: the folder's settings file, two images, a results
  // file, and the colour files (the standard is missing, the scanner file differs in
  // case from its name in the settings).
  void state() {
    QVL& f = Qvl();
    std::ofstream(path("Qvrl.dat"), std::ios::binary) << dataFile("Qvrl.dat");
    std::ofstream(path("nuancier.nua")) << "x";
    std::ofstream(path("scan.scn")) << "x";
    Lire_Parametres();
    f.Check(2).setValue(1);
    Fic_Trame = "/données/Essai.trm";
    f.ListIMGchar.clear();
    f.ListIMGchar.addItem("/données/images/spore 1.jpg");
    f.ListIMGchar.addItem("C:\\données\\images\\spore 2.jpg");
    Img_Active = "/données/images/spore 2.jpg";
    Index_Image = 2;
    Calib_Images(2) = 0.25;
    K_Zoom = 2;
    NomObjet = "Russula";
    Fic_Resultats = "résultats russula";
    NbScanner = 3;
  }
  std::string expected() const {
    std::string e = replaceAll(dataFile("expected.txt"), "@DOSSIER@", dir_);
    e = replaceAll(e, "@OS@", Nom_Systeme);
    // The offscreen screen of the tests is 800 x 800 pixels.
    return replaceAll(e, "@ECRAN@", "800x800");
  }

  std::string trame_, img_;
  int index_ = 0, nbScanner_ = 0, check2_ = 0;
  double kzoom_ = 1;
};

TEST_F(Diagnostics, VoirOptionsShowsTheGoldenListingThenHides) {
  QVL& f = Qvl();
  state();
  user::click(f.Bout(7));
  ASSERT_TRUE(f.TBox(4).visible());
  EXPECT_EQ(f.StatusBar1.simpleText(), "Presser ' Voir options ' pour fermer ");
  EXPECT_EQ(f.TBox(4).text(), expected());
  EXPECT_DOUBLE_EQ(f.TBox(4).left(), 8000);
  EXPECT_DOUBLE_EQ(f.TBox(4).top(), 1000);
  EXPECT_DOUBLE_EQ(f.TBox(4).width(), 4500);
  EXPECT_DOUBLE_EQ(f.TBox(4).height(), 7500);
  f.TBox(6).setFocus();
  platform::DoEvents();
  ASSERT_FALSE(f.Picture1.hasFocus());
  user::click(f.Bout(7));
  EXPECT_FALSE(f.TBox(4).visible());
  platform::DoEvents();
  EXPECT_TRUE(f.Picture1.hasFocus());
}

TEST_F(Diagnostics, WithoutAResultsFileItsLineIsAbsent) {
  state();
  Fic_Resultats.clear();
  EXPECT_EQ(Texte_Diagnostic(), replaceAll(expected(), "\r\nrésultats russula", ""));
}

TEST_F(Diagnostics, ValuesWithoutAnEntryShowEmptyAndTheListingGoesOn) {
  state();
  Index_Image = 51;
  const int format = Format_Image;
  Format_Image = 7;
  std::string e = replaceAll(expected(), "Index Image = 2", "Index Image = 51");
  e = replaceAll(e, "num image active = 2", "num image active = 51");
  e = replaceAll(e, "K calibrage img *= 0.25", "K calibrage img *= ");
  e = replaceAll(e, "Extension image export * = JPG", "Extension image export * = ");
  EXPECT_EQ(Texte_Diagnostic(), e);
  Format_Image = format;
}

TEST_F(Diagnostics, NumbersUseTheSystemSeparator) {
  state();
  platform::SetDecimalSeparator(',');
  const std::string t = Texte_Diagnostic();
  for (const char* ligne : {"\r\ncal. *= 0,125\r\n", "\r\nTaille police * = 12,5\r\n", "\r\nTaille police Img * = 9,3\r\n",
                            "\r\n scaleW 11761,2"}) {
    EXPECT_NE(t.find(ligne), std::string::npos) << ligne;
  }
}

// The zoom factor of the fitted view at start, 1 / 1.4142136, is listed with the 15
// digits the system prints.
TEST_F(Diagnostics, TheZoomFactorShowsFifteenDigits) {
  QVL& f = Qvl();
  state();
  Zoom_Initial();
  ASSERT_TRUE(user::click(f.Czoom(2)));
  ASSERT_NEAR(K_Zoom, 1 / 1.4142136, 1e-12);
  ASSERT_TRUE(user::click(f.Bout(7)));
  EXPECT_NE(f.TBox(4).text().find("\r\n K zoom = 0.707106762373095\r\n"), std::string::npos) << f.TBox(4).text();
  ASSERT_TRUE(user::click(f.Bout(7)));
}

// The listing closes when it loses the focus, and a menu of the bar opened and closed
// with Escape (or the bar reached by Alt alone) takes no focus from it: it stays shown.
// From there every way out keeps the focus right: a second Escape, a click back in
// the listing, Alt alone and a menu item leave it with the focus; a click on another
// box, or a menu item giving the picture the focus, runs its LostFocus (it closes)
// and the GotFocus of the one that takes the focus.
TEST_F(Diagnostics, AMenuClosedWithEscapeLeavesTheListingShown) {
  QVL& f = Qvl();
  // The focus events of the boxes and the picture noted before their handlers run;
  // the handlers put back at the end.
  std::vector<std::string> events;
  struct Handlers {
    QVL& f;
    std::function<void(int)> got = f.TBox.onGotFocus, lost = f.TBox.onLostFocus;
    std::function<void()> pictureGot = f.Picture1.onGotFocus, pictureLost = f.Picture1.onLostFocus;
    ~Handlers() {
      f.TBox.onGotFocus = got;
      f.TBox.onLostFocus = lost;
      f.Picture1.onGotFocus = pictureGot;
      f.Picture1.onLostFocus = pictureLost;
    }
  } kept{f};
  auto box = [&events](const std::string& what, const std::function<void(int)>& h) {
    return [&events, what, h](int i) {
      events.push_back(what + " TBox(" + std::to_string(i) + ")");
      if (h) h(i);
    };
  };
  auto picture = [&events](const std::string& what, const std::function<void()>& h) {
    return [&events, what, h] {
      events.push_back(what + " Picture1");
      if (h) h();
    };
  };
  f.TBox.onGotFocus = box("got", kept.got);
  f.TBox.onLostFocus = box("lost", kept.lost);
  f.Picture1.onGotFocus = picture("got", kept.pictureGot);
  f.Picture1.onLostFocus = picture("lost", kept.pictureLost);
  enum Way { kEscape, kClickOther, kClickBack, kAlt, kAbout, kStepByStep };
  struct Case {
    const char* what;
    Way way;
    bool shown;   // the listing afterwards
    std::vector<std::string> events;
  };
  const Case cases[] = {
      {"second Escape", kEscape, true, {}},
      {"click on the count box", kClickOther, false, {"lost TBox(4)", "got TBox(6)"}},
      {"click back in the listing", kClickBack, true, {}},
      {"Alt alone", kAlt, true, {}},
      {"About chosen", kAbout, true, {}},
      {"Pas à Pas chosen", kStepByStep, false, {"lost TBox(4)", "got Picture1"}},
  };
  QWidget* window = f.window();
  for (bool byAlt : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(byAlt ? "Alt alone, then " : "Fichiers closed with Escape, then ") + c.what);
      ASSERT_TRUE(user::click(f.Bout(7)));
      ASSERT_TRUE(f.TBox(4).visible());
      ASSERT_TRUE(user::click(f.TBox(4)));
      events.clear();
      if (byAlt) {
        user::pressAlt(window);
      } else {
        ASSERT_TRUE(user::openMenu(*f.Mnfichiers));
        user::pressKey(window, Qt::Key_Escape);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
      }
      EXPECT_TRUE(f.TBox(4).visible());
      EXPECT_EQ(events, std::vector<std::string>{});
      switch (c.way) {
        case kEscape: user::pressKey(window, Qt::Key_Escape); break;
        case kClickOther: ASSERT_TRUE(user::click(f.TBox(6))); break;
        case kClickBack: ASSERT_TRUE(user::click(f.TBox(4))); break;
        case kAlt: user::pressAlt(window); break;
        case kAbout:
          ASSERT_TRUE(user::openMenu(*f.Mnaide));
          ASSERT_TRUE(user::clickMenuItem(*f.MnApropos));
          EXPECT_TRUE(f.FraQvrl.visible());
          break;
        case kStepByStep:
          ASSERT_TRUE(user::openMenu(*f.Mnaide));
          ASSERT_TRUE(user::clickMenuItem(f.Mnuaide(5)));
          EXPECT_TRUE(f.Frame(9).visible());
          break;
      }
      platform::DoEvents();
      EXPECT_EQ(f.TBox(4).visible(), c.shown);
      EXPECT_EQ(events, c.events);
      if (c.shown) {
        EXPECT_TRUE(f.TBox(4).hasFocus());
      }
      // Put back as it was: the listing closed (by a click elsewhere: "Voir Options"
      // would show it again once its LostFocus closed it) and the panels too.
      if (f.TBox(4).visible()) {
        ASSERT_TRUE(user::click(f.TBox(6)));
      }
      EXPECT_FALSE(f.TBox(4).visible());
      if (f.FraQvrl.visible()) {
        ASSERT_TRUE(user::click(f.Bout(35)));
      }
      if (f.Frame(9).visible()) {
        ASSERT_TRUE(user::click(f.Bout(34)));
      }
      EXPECT_FALSE(Mode_Etalonnage);
    }
  }
}

}  // namespace

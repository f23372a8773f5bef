// The Aide menu, the warning text and its acceptance, and "à propos" on the real main
// window.
#include "shell/help.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "images/image_state.h"
#include "platform/app.h"
#include "platform/colour.h"
#include "platform/textfile.h"
#include "measure/picture_window.h"
#include "program_folder.h"
#include "support/user_input.h"

namespace {

class Help : public ProgramFolder {
 protected:
  void SetUp() override {
    ProgramFolder::SetUp();
    dialogs_ = static_cast<platform::ScriptedDialogs*>(&platform::dialogs());
    langue_ = Langue;
    Langue = "fr";
    Messages_Defaut();
    Qvl().TBox(7).setText("");
  }
  void TearDown() override {
    QVL& f = Qvl();
    Langue = langue_;
    Aide_Touches_Ouverte = false;
    Mode_Etalonnage = false;
    f.Frame(9).setVisible(false);
    f.FraQvrl.setVisible(false);
    f.MnApropos->setVisible(true);
    f.Check(4).setEnabled(true);
    f.Check(4).setVisible(true);
    f.Bout(33).setVisible(true);
    f.Bout(10).setBackColor(platform::kButtonFace);
    ProgramFolder::TearDown();
  }
  platform::ScriptedDialogs* dialogs_ = nullptr;
  std::string langue_;
};

TEST_F(Help, KeyListComesFromTheTables) {
  QVL& f = Qvl();
  MSG.set(3, "Z : zoom");
  user::click(f.Mnuaide(2));
  std::string expected;
  for (int i = 2; i <= 13; ++i) expected += MSG(i) + "\r\n";
  EXPECT_EQ(f.TBox(7).text(), expected);
  EXPECT_NE(expected.find("Z : zoom\r\n"), std::string::npos);
  EXPECT_TRUE(f.Frame(9).visible());
  EXPECT_EQ(f.Frame(9).caption(), "mémo clés");
  EXPECT_FALSE(f.Bout(33).visible());
  EXPECT_FALSE(f.Check(4).visible());
  EXPECT_EQ(f.Bout(34).caption(), MSG(18));
  EXPECT_TRUE(Aide_Touches_Ouverte);
}

TEST_F(Help, StepByStepGuide) {
  QVL& f = Qvl();
  user::click(f.Mnuaide(5));
  const std::string t = f.TBox(7).text();
  EXPECT_EQ(t.rfind("La mesure avec Quorvale nécessite un calibrage préalable.\r\n", 0), 0u);
  EXPECT_NE(t.find("\r\n   Quorvale est prêt à mesurer\r\n\r\n"), std::string::npos);
  EXPECT_EQ(platform::splitLines(t).size(), 11u);
  EXPECT_EQ(t.substr(t.size() - 5), "'\r\n\r\n");
  EXPECT_EQ(f.Frame(9).caption(), "Pas à pas");
  EXPECT_TRUE(Mode_Etalonnage);
  EXPECT_EQ(f.StatusBar1.simpleText(), "choisir une commande");
}

TEST_F(Help, MissingManualAndWarningShowThePath) {
  QVL& f = Qvl();
  user::click(f.Mnuaide(3));
  Affiche_Avertissement();
  ASSERT_EQ(dialogs_->log().size(), 2u);
  EXPECT_EQ(dialogs_->log()[0].text, path("Qvrl2_fr.pdf") + "  introuvable");
  EXPECT_EQ(dialogs_->log()[1].text, path("avert_fr.txt") + "  introuvable");
  EXPECT_TRUE(f.Frame(9).visible());
  EXPECT_EQ(f.TBox(7).text(), "");
}

TEST_F(Help, WarningTextIsDecodedAndTrimmed) {
  // Windows-1252 bytes, blank-padded lines, any letter case of the name.
  ASSERT_TRUE(platform::saveFileAtomic(path("Avert_FR.txt"), "  Pr\xe9" "ambule  \r\n\r\n   \xe0 lire  \r\n"));
  // "Historique" of the about panel.
  ASSERT_TRUE(user::click(*Qvl().MnApropos));
  ASSERT_TRUE(user::click(Qvl().Bout(36)));
  EXPECT_EQ(Qvl().TBox(7).text(), "Préambule\r\n\r\nà lire\r\n");
  EXPECT_TRUE(dialogs_->log().empty());
  user::click(Qvl().Bout(35));
}

TEST_F(Help, AcceptanceNeedsTheCaretAtTheEnd) {
  EXPECT_FALSE(Avertissement_Lu(180, 180));
  EXPECT_FALSE(Avertissement_Lu(200, 200));
  EXPECT_FALSE(Avertissement_Lu(385, 400));
  EXPECT_TRUE(Avertissement_Lu(386, 400));
  EXPECT_TRUE(Avertissement_Lu(201, 201));
}

TEST_F(Help, AcceptingTheWarningThanksAndSaves) {
  QVL& f = Qvl();
  f.Frame(12).setVisible(false);   // no preview left over the welcome panel
  f.Frame(9).setVisible(true);
  ASSERT_TRUE(user::setValue(f.Check(4), 1));
  f.TBox(7).setText(std::string(400, 'a'));
  f.TBox(7).setSelStart(385);
  f.TBox(7).onClick();
  EXPECT_TRUE(dialogs_->log().empty());
  EXPECT_EQ(f.Bout(33).caption(), " j'accepte");
  EXPECT_EQ(f.Bout(34).caption(), "Fermer");
  EXPECT_FALSE(std::filesystem::exists(path("Qvrl.dat")));

  dialogs_->answerMsgBox(platform::vbOK);
  f.TBox(7).setSelStart(386);
  f.TBox(7).onClick();
  ASSERT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(dialogs_->log()[0].text, "merci ");
  EXPECT_FALSE(Avert_Attente);
  EXPECT_FALSE(f.Check(4).enabled());
  std::vector<std::string> lines;
  ASSERT_TRUE(platform::readLines(path("Qvrl.dat"), &lines));
  EXPECT_NE(std::find(lines.begin(), lines.end(), "AVERT =VRAI"), lines.end());

  // A short text is never acknowledged.
  f.TBox(7).setText(std::string(180, 'a'));
  for (int caret : {0, 170, 180}) {
    f.TBox(7).setSelStart(caret);
    f.TBox(7).onClick();
  }
  EXPECT_EQ(dialogs_->log().size(), 1u);
}

TEST_F(Help, ClickDuringACalibrationOnlyRecaptions) {
  QVL& f = Qvl();
  f.Bout(33).setCaption("aide clés");
  f.Bout(10).setBackColor(255);
  f.TBox(7).setText(std::string(400, 'a'));
  f.TBox(7).setSelStart(399);
  f.TBox(7).onClick();
  EXPECT_TRUE(dialogs_->log().empty());
  EXPECT_EQ(f.Bout(33).caption(), " j'accepte");
  EXPECT_FALSE(std::filesystem::exists(path("Qvrl.dat")));
}

TEST_F(Help, AboutShowsTheBuildDate) {
  QVL& f = Qvl();
  user::click(*f.MnApropos);
  const std::string d = Date_Construction();
  ASSERT_EQ(d.size(), 10u);
  EXPECT_EQ(d[2], '/');
  EXPECT_EQ(d[5], '/');
  EXPECT_EQ(f.label(0).caption(), "Maj " + d);
  EXPECT_TRUE(f.FraQvrl.visible());
  EXPECT_FALSE(f.MnApropos->visible());
  user::click(f.Bout(35));
  EXPECT_TRUE(f.MnApropos->visible());
}


// The welcome and About panels closed by their buttons leave the keys to the picture,
// not to the count box that follows in reading order: Z held and a click zoom the
// picture, the count box keeps its text and nothing is measured. The welcome panel as
// the start shows it, with the warning read to the box; the key list; the About panel,
// by its "Fermer" and by the welcome panel its "Historique" opens.
TEST_F(Help, ClosedPanelsLeaveTheKeysToThePicture) {
  QVL& f = Qvl();
  std::ofstream(path("avert_fr.txt")) << "Avertissement\n";
  struct Case {
    const char* what;
    std::function<void()> open;
    int button;   // Bout index of the closing click
  };
  const Case cases[] = {
      {"welcome at start", [&f] { f.Frame(9).setVisible(true); }, 34},
      {"key list", [&f] { ASSERT_TRUE(user::click(f.Mnuaide(2))); }, 34},
      {"About, Fermer", [&f] { ASSERT_TRUE(user::click(*f.MnApropos)); }, 35},
      {"About, Historique",
       [&f] {
         ASSERT_TRUE(user::click(*f.MnApropos));
         ASSERT_TRUE(user::click(f.Bout(36)));
       },
       34},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.open();
    if (f.Frame(9).visible()) {
      ASSERT_TRUE(user::click(f.TBox(7)));
    }
    ASSERT_TRUE(user::click(f.Bout(c.button)));
    EXPECT_FALSE(f.Frame(9).visible());
    EXPECT_FALSE(f.FraQvrl.visible());
    picture_window::expectZoomClickOnThePicture();
  }
}

}  // namespace

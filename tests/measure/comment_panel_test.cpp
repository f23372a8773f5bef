// The comment and export panel and the grid's click and Space key, on the real window.
#include "measure/comment_panel.h"

#include <optional>
#include <string>
#include <vector>

#include "base/text_tables.h"
#include "colour/colour_state.h"
#include "measure/trame_file.h"
#include "measure_window.h"
#include "platform/textfile.h"
#include "support/user_input.h"

namespace {

using picture_window::TempFolder;

class CommentPanel : public measure_window::MeasureWindow {
 protected:
  void SetUp() override {
    MeasureWindow::SetUp();
    QVL& f = Qvl();
    r_.keep(Img_Active); r_.keep(Mode_Commentaire); r_.keep(Seq_Ouvert); r_.keep(Rep_Data);
    r_.keep(Ext_Export); r_.keep(Charte_Demande); r_.keep(Charte_Demande2);
    r_.then([] {
      Ferme_Panneau_Commentaire();
      Qvl().Frame(6).setVisible(true);
    });
    const bool frame6 = f.Frame(6).visible();
    r_.then([frame6] { Qvl().Frame(6).setVisible(frame6); });
    f.ListIMGchar.clear();
    f.ListIMGchar.addItem("/data/spores/lame1.jpg");
    f.ListIMGchar.addItem("/data/spores/lame2.jpg");
    Img_Active = "/data/spores/lame1.jpg";
    Index_Image = 1;
    Ferme_Panneau_Commentaire();
  }

  // Function 2 with `rows` finished rows, commented "c1", "c2"... on image 1 or 2.
  void fiveRows(int rows = 5) {
    startFunction(2);
    platform::FlexGrid& g = Qvl().GrilleRef;
    for (int r = 1; r <= rows; ++r) {
      g.setTextMatrix(r, 0, std::to_string(r));
      g.setTextMatrix(r, g.cols() - 2, std::to_string(1 + r % 2));
      g.setTextMatrix(r, g.cols() - 1, "c" + std::to_string(r));
    }
    LigneCourante = rows + 1;
    EtapeClic = 1;
  }

  // A click on cell (r, c) of the grid (c -1: the comment column).
  static void clickCell(int r, int c = -1) {
    platform::FlexGrid& g = Qvl().GrilleRef;
    g.setRow(r);
    g.setCol(c < 0 ? g.cols() - 1 : c);
    g.onClick();
  }

  static std::string comment(int r) {
    const platform::FlexGrid& g = Qvl().GrilleRef;
    return g.textMatrix(r, g.cols() - 1);
  }

  static std::vector<std::string> comments(int last) {
    std::vector<std::string> v;
    for (int r = 1; r <= last; ++r) v.push_back(comment(r));
    return v;
  }

  // Exports go to dir, as CSV.
  static void exportsTo(const TempFolder& dir) {
    Rep_Data = dir.file("");
    Ext_Export = "csv";
  }

  int saveDialogs() const {
    int n = 0;
    for (const auto& a : dialogs_->log()) n += a.kind == "saveFile";
    return n;
  }
};

TEST_F(CommentPanel, CommentCellOpensThePanelOnItsRow) {
  fiveRows();
  QVL& f = Qvl();
  clickCell(3);
  EXPECT_TRUE(f.Frame(10).visible());
  EXPECT_FALSE(f.Frame(6).visible());
  EXPECT_EQ(f.Frame(10).caption(), "ligne :3--- img 1 : lame1.jpg");
  EXPECT_EQ(f.Frame(10).backColor(), 0xC0C000u);
  EXPECT_EQ(f.label(10).caption(), MSG(102));
  EXPECT_EQ(f.TBox(3).text(), "c3");
  EXPECT_EQ(f.Text4.text(), "3");
  EXPECT_TRUE(f.Text4.visible());
  EXPECT_TRUE(f.VScroll2.visible());
  EXPECT_EQ(f.VScroll2.value(), 3);
  EXPECT_FALSE(Mode_Commentaire);
  EXPECT_FALSE(Seq_Ouvert);
}

TEST_F(CommentPanel, ScrollStepStoresTheRowLeftAndLoadsTheNext) {
  fiveRows();
  QVL& f = Qvl();
  clickCell(3);
  f.TBox(3).setText("paroi épaisse");
  f.VScroll2.setValue(f.VScroll2.value() + 1);
  EXPECT_EQ(comment(3), "paroi épaisse");
  EXPECT_EQ(f.TBox(3).text(), "c4");
  EXPECT_EQ(f.Text4.text(), "4");
  // Down past the last finished row: it stays on row 5 (the scroll bar ends there).
  f.VScroll2.setValue(5);
  f.VScroll2.setValue(9);
  EXPECT_EQ(f.VScroll2.value(), 5);
  EXPECT_EQ(f.TBox(3).text(), "c5");
  EXPECT_EQ(comments(5), (std::vector<std::string>{"c1", "c2", "paroi épaisse", "c4", "c5"}));
}

TEST_F(CommentPanel, RowBoxIsClampedToTheFinishedRows) {
  fiveRows();
  QVL& f = Qvl();
  clickCell(2);
  struct Case {
    const char* typed;
    const char* shown;
    const char* comment;
  };
  const Case cases[] = {{"0", "1", "c1"}, {"8", "5", "c5"}, {"-4", "1", "c1"}, {"4", "4", "c4"},
                        {"abc", "1", "c1"}, {"3000", "5", "c5"}};
  for (const Case& c : cases) {
    f.Text4.setText(c.typed);
    EXPECT_EQ(f.Text4.text(), c.shown) << c.typed;
    EXPECT_EQ(f.TBox(3).text(), c.comment) << c.typed;
    EXPECT_EQ(f.VScroll2.value(), std::stoi(c.shown)) << c.typed;
  }
  EXPECT_EQ(comments(5), (std::vector<std::string>{"c1", "c2", "c3", "c4", "c5"}));
}

TEST_F(CommentPanel, ButtonsClearValidateAndCancel) {
  fiveRows();
  QVL& f = Qvl();
  clickCell(3);
  user::click(f.Bout_dial(30));
  EXPECT_EQ(f.TBox(3).text(), "");
  EXPECT_TRUE(f.Frame(10).visible());
  EXPECT_EQ(comment(3), "c3");

  // Validated: into its row, whatever the current cell, on one line.
  f.TBox(3).setText("hyalines;\r\nlisses\nguttulées");
  f.GrilleRef.setRow(1);
  f.GrilleRef.setCol(1);
  f.StatusBar1.setSimpleText("consigne");
  user::click(f.Bout_dial(28));
  EXPECT_FALSE(f.Frame(10).visible());
  EXPECT_EQ(comments(5), (std::vector<std::string>{"c1", "c2", "hyalines; lisses guttulées", "c4", "c5"}));
  EXPECT_EQ(f.StatusBar1.simpleText(), "");

  clickCell(4);
  f.TBox(3).setText("oublié");
  user::click(f.Bout_dial(29));
  EXPECT_FALSE(f.Frame(10).visible());
  EXPECT_EQ(comment(4), "c4");
}

TEST_F(CommentPanel, OtherColumnsAndAnEmptyGridDoNothing) {
  fiveRows();
  QVL& f = Qvl();
  clickCell(3, 1);
  clickCell(3, f.GrilleRef.cols() - 2);
  EXPECT_FALSE(f.Frame(10).visible());

  startFunction(2);
  LigneCourante = 1;
  f.Text4.setText("7");
  f.TBox(3).setText("avant");
  clickCell(1);
  EXPECT_FALSE(f.Frame(10).visible());
  EXPECT_EQ(f.Text4.text(), "7");
  EXPECT_EQ(f.TBox(3).text(), "avant");
  EXPECT_EQ(comment(1), "");
  // Still answering: the grid's other handlers run.
  f.Text4.setText("2");
  EXPECT_EQ(f.Text4.text(), "2");
}

TEST_F(CommentPanel, CancelledExportLeavesCommentsToTheGrid) {
  fiveRows();
  QVL& f = Qvl();
  user::click(f.MnuEDit(1));
  EXPECT_TRUE(f.Frame(10).visible());
  EXPECT_EQ(f.Frame(10).caption(), MSG(119));
  EXPECT_FALSE(f.Text4.visible());
  EXPECT_TRUE(Seq_Ouvert);
  user::click(f.Bout_dial(29));
  EXPECT_FALSE(f.Frame(10).visible());
  EXPECT_FALSE(Seq_Ouvert);

  clickCell(2);
  f.TBox(3).setText("basides 4-sporiques");
  user::click(f.Bout_dial(28));
  EXPECT_EQ(comment(2), "basides 4-sporiques");
  EXPECT_EQ(saveDialogs(), 0);
}

TEST_F(CommentPanel, ExportPanelWritesTheCommentIntoTheExport) {
  fiveRows();
  QVL& f = Qvl();
  TempFolder dir;
  exportsTo(dir);
  clickCell(2);   // a row's panel first: the export takes its place
  user::click(f.MnuEDit(1));
  EXPECT_EQ(f.TBox(3).text(), "");
  f.TBox(3).setText("récolte du 3 octobre");
  const std::string path = dir.file("export.csv");
  dialogs_->answerSave(path);
  user::click(f.Bout_dial(28));
  EXPECT_EQ(saveDialogs(), 1);
  EXPECT_FALSE(f.Frame(10).visible());
  EXPECT_FALSE(Seq_Ouvert);
  std::vector<std::string> lines;
  ASSERT_TRUE(platform::readLines(path, &lines));
  bool found = false;
  for (const std::string& l : lines) found = found || l.find("récolte du 3 octobre") != std::string::npos;
  EXPECT_TRUE(found);
  EXPECT_EQ(comment(2), "c2");
}

TEST_F(CommentPanel, ExportRefusedWithoutRowsOrDuringAMeasurement) {
  QVL& f = Qvl();
  startFunction(2);
  LigneCourante = 1;
  dialogs_->answerMsgBox(platform::vbOK);
  user::click(f.MnuEDit(1));
  EXPECT_EQ(messages(), std::vector<std::string>{"Il n'y a rien à exporter"});
  EXPECT_FALSE(f.Frame(10).visible());

  fiveRows();
  EtapeClic = 2;
  user::click(f.MnuEDit(1));
  EXPECT_FALSE(f.Frame(10).visible());
  EXPECT_FALSE(Seq_Ouvert);
  EXPECT_EQ(f.lblLabelflashx.caption(), MSG(178));
  EXPECT_EQ(EtapeClic, 2);
  EXPECT_EQ(messages().size(), 1u);
}

TEST_F(CommentPanel, TriangleWaitingForItsClosingClickMayExport) {
  fiveRows();
  QVL& f = Qvl();
  FonctionCourante = 15;
  EtapeClic = 2;
  user::click(f.MnuEDit(1));
  EXPECT_TRUE(f.Frame(10).visible());
  EXPECT_EQ(EtapeClic, 2);
  user::click(f.Bout_dial(29));
  EtapeClic = 3;
  user::click(f.MnuEDit(1));
  EXPECT_FALSE(f.Frame(10).visible());
  EXPECT_EQ(EtapeClic, 3);
}

TEST_F(CommentPanel, CommentModeWalksAndStoresUntilClosed) {
  fiveRows();
  QVL& f = Qvl();
  f.Text4.setText("2");
  user::click(f.Mntool(10));
  EXPECT_TRUE(Mode_Commentaire);
  EXPECT_TRUE(f.Frame(10).visible());
  EXPECT_EQ(f.Frame(10).caption(), "Commentaires grille");
  EXPECT_EQ(f.Bout_dial(29).caption(), MSG(18));
  EXPECT_EQ(f.TBox(3).text(), "c2");
  f.TBox(3).setText("asques octosporés");
  user::click(f.Bout_dial(28));
  EXPECT_TRUE(f.Frame(10).visible());
  EXPECT_EQ(comment(2), "asques octosporés");
  f.VScroll2.setValue(3);
  f.TBox(3).setText("trois");
  user::click(f.Bout_dial(28));
  EXPECT_EQ(comment(3), "trois");
  user::click(f.Bout_dial(29));
  EXPECT_FALSE(f.Frame(10).visible());
  EXPECT_FALSE(Mode_Commentaire);
}

TEST_F(CommentPanel, ColourRecordIsNotWrittenIntoTheGrid) {
  fiveRows();
  QVL& f = Qvl();
  int saved = 0;
  Enregistre_Couleur() = [&saved] { ++saved; };
  Charte_Demande2 = true;
  Panneau_Commentaire(2);
  Seq_Ouvert = true;
  user::click(f.Bout_dial(28));
  EXPECT_EQ(saved, 1);
  EXPECT_EQ(saveDialogs(), 0);
  // A row's panel takes over: the colour record and its export flag are forgotten.
  clickCell(1);
  EXPECT_FALSE(Charte_Demande2);
  EXPECT_FALSE(Seq_Ouvert);
  f.TBox(3).setText("un");
  user::click(f.Bout_dial(28));
  EXPECT_EQ(comment(1), "un");
  EXPECT_EQ(saved, 1);
  Enregistre_Couleur() = nullptr;
}

TEST_F(CommentPanel, OtherIndicesRunOnlyTheCommonEnd) {
  fiveRows();
  QVL& f = Qvl();
  clickCell(3);
  f.TBox(3).setText("en cours");
  f.StatusBar1.setSimpleText("consigne");
  Bout_dial_Click(8);
  EXPECT_TRUE(f.Frame(10).visible());
  EXPECT_EQ(f.StatusBar1.simpleText(), "");
  EXPECT_EQ(f.TBox(3).text(), "en cours");
  EXPECT_EQ(comment(3), "c3");
}

// Comments typed with line breaks and ";" keep the trame's comment block one line a row.
TEST_F(CommentPanel, TypedCommentsGiveOneTrameLinePerRow) {
  fiveRows(3);
  QVL& f = Qvl();
  for (int r = 1; r <= 3; ++r) {
    TabMesures(r).NumImage = 1;
    TabMesures(r).Seg(1) = {10.0 * r, 20, 30, 40};
    TabMesures(r).Seg(2) = {1, 2, 3, 4.5};
  }
  const char* typed[] = {"spores;hyalines", "ligne 1\r\nligne 2", "fin\n;\r"};
  for (int r = 1; r <= 3; ++r) {
    clickCell(r);
    f.TBox(3).setText(typed[r - 1]);
    user::click(f.Bout_dial(28));
  }
  SessionTrame s = Session_Courante();
  s.tailleEcran = 2;
  s.largeurEcranPixels = 1920;
  s.largeurEchelle = 11761.2f;
  s.ficCalib = "Qvrl.Cal";
  s.indepResol = false;
  s.tailleGrille = 3000;
  s.calibrations = {0.0125, 0.02};
  std::string expected;
  ASSERT_TRUE(platform::readBytes(std::string(QV_TEST_DATA) + "/trame/typed_comments/expected.trm", &expected));
  EXPECT_EQ(platform::encodeLines(Lignes_Trame(s)), expected);
}

// The image column of every function's grid and what Space shows for it.
TEST_F(CommentPanel, SpaceShowsTheImageOfTheRow) {
  QVL& f = Qvl();
  const int fonctions[] = {1, 2, 3, 4, 5, 6, 10, 11, 13, 14, 15, 16, 20, 22};
  const int imageColumn[] = {2, 5, 6, 4, 8, 9, 2, 4, 5, 5, 4, 5, 8, 4};
  for (std::size_t i = 0; i < std::size(fonctions); ++i) {
    startFunction(fonctions[i]);
    const int c = f.GrilleRef.cols() - 2;
    EXPECT_EQ(c, imageColumn[i]) << fonctions[i];
    struct Case {
      const char* cell;
      std::optional<std::string> path;
    };
    const Case cases[] = {{"2", "/data/spores/lame2.jpg"}, {" 1", "/data/spores/lame1.jpg"},
                          {"0", std::nullopt}, {"3", std::nullopt}, {"1.5", std::nullopt},
                          {"", std::nullopt}, {"-1", std::nullopt}};
    for (const Case& k : cases) {
      f.GrilleRef.setTextMatrix(1, c, k.cell);
      EXPECT_EQ(Chemin_Image_Ligne(1), k.path) << fonctions[i] << " " << k.cell;
    }
    f.GrilleRef.setTextMatrix(1, c, "2");
    f.GrilleRef.setRow(1);
    f.GrilleRef.setCol(1);
    dialogs_->clear();
    dialogs_->answerMsgBox(platform::vbOK);
    int key = 32;
    f.GrilleRef.onKeyDown(key, 0);
    EXPECT_EQ(messages(), std::vector<std::string>{"image :/data/spores/lame2.jpg"}) << fonctions[i];
    EXPECT_EQ(f.GrilleRef.col(), c);
    f.GrilleRef.setTextMatrix(1, c, "7");
    dialogs_->clear();
    f.GrilleRef.onKeyDown(key, 0);
    key = 65;
    f.GrilleRef.onKeyDown(key, 0);
    EXPECT_TRUE(messages().empty()) << fonctions[i];
  }
}


// The panel closed by its buttons, for a row's comment and for an export's, leaves the
// keys to the picture, not to the count box that follows in reading order: Z held and
// a click zoom the picture, the count box keeps its text and nothing is measured.
TEST_F(CommentPanel, ClosedPanelLeavesTheKeysToThePicture) {
  fiveRows();
  QVL& f = Qvl();
  TempFolder dir;
  exportsTo(dir);
  platform::FlexGrid& g = f.GrilleRef;
  struct Case {
    const char* what;
    bool export_;   // opened by "Export grille sous ...", else by a row's comment cell
    int button;     // Bout_dial index
  };
  const Case cases[] = {
      {"comment, Valider", false, 28},
      {"comment, annuler", false, 29},
      {"export, Valider", true, 28},
      {"export, annuler", true, 29},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    f.Frame(6).setVisible(true);
    if (c.export_) {
      ASSERT_TRUE(user::choose(f.MnuEDit(1)));
      if (c.button == 28) dialogs_->answerSave(dir.file("export.csv"));
    } else {
      ASSERT_TRUE(user::clickCell(g, 3, g.cols() - 1));
    }
    ASSERT_TRUE(f.Frame(10).visible());
    ASSERT_TRUE(user::typeInto(f.TBox(3), "hyalines"));
    ASSERT_TRUE(user::click(f.Bout_dial(c.button)));
    EXPECT_FALSE(f.Frame(10).visible());
    picture_window::expectZoomClickOnThePicture();
  }
  EXPECT_EQ(comment(3), "hyalines");
  EXPECT_EQ(saveDialogs(), 1);
}

}  // namespace

// The illustration window in the real main window: opened from the tools menu, an
// insertion chosen in it, placed on the picture and confirmed through the entry panel,
// the window back with its save button, the reference picture written beside the
// image and read back; the overwrite choices, the refusals, the line width and the
// fonts. The modal window is driven by steps queued before it opens.
#include "measure/illustration.h"

#include <QImage>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/illustration_window.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/annotations.h"
#include "measure/dispatch.h"
#include "measure/lengths.h"
#include "measure/measure_state.h"
#include "measure/picture_events.h"
#include "measure/redraw.h"
#include "measure_window.h"
#include "picture_window.h"
#include "platform/picture.h"
#include "shell/button_bar.h"
#include "shell/tools_menu.h"
#include "support/layout_check.h"
#include "support/ordinary_user.h"
#include "support/painted_picture.h"
#include "support/user_input.h"

namespace {

using measure_window::MeasureWindow;
using picture_window::TempFolder;

constexpr platform::Colour kFond = 0x405060;
constexpr platform::Colour kRepere = 0x00FFFF;   // yellow marks on the picture
constexpr int kLargeur = 320, kHauteur = 240;
// Picture points marked by a 4 x 4 yellow square whose top-left pixel they are: the
// ends of the calibration segment (kBarre pixels apart), the point of the texts.
struct Point {
  int x, y;
};
constexpr int kBarre = 180;   // image pixels the calibration gives 100 to
constexpr Point kDebut{40, 60}, kFin{40 + kBarre, 60}, kTexte{40, 150};

platform::Picture champ() {
  return painted::picture(kLargeur, kHauteur, [](int x, int y) {
    for (const Point& m : {kDebut, kFin, kTexte})
      if (x >= m.x && x < m.x + 4 && y >= m.y && y < m.y + 4) return kRepere;
    return kFond;
  });
}

std::string lit(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ecrit(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

// Runs `pendant` once the modal window opened by `ouvre` is showing, then makes sure
// the window is closed so that `ouvre` returns.
void avecFenetre(const std::function<void()>& ouvre, const std::function<void()>& pendant) {
  bool vu = false;
  QTimer::singleShot(0, [&] {
    vu = true;
    pendant();
    if (FenIllustExists() && FenIllust().visible()) FenIllust().unload();
  });
  ouvre();
  EXPECT_TRUE(vu) << "the window did not open";
}

class Illustration : public MeasureWindow {
 protected:
  void SetUp() override {
    MeasureWindow::SetUp();
    QVL& f = Qvl();
    r_.keep(Img_Active); r_.keep(Format_Image); r_.keep(EpaisseurTrait); r_.keep(TaillePolice);
    r_.keep(TaillePoliceImg); r_.keep(Loupe_Ouverte); r_.keep(Ins_Notation); r_.keep(Mode_Illus);
    r_.keep(Point_Base); r_.keep(Ratio_Aspect);
    const platform::Picture p2 = f.Picture2.picture();
    const std::string police = f.Picture1.fontName(), text5 = f.TBox(5).text();
    const double taille = f.Picture1.fontSize();
    const bool gras = f.Picture1.fontBold();
    const int format = Format_Image;
    r_.then([p2, police, taille, gras, text5, format] {
      QVL& g = Qvl();
      g.Picture2.setPicture(p2);
      g.Picture1.setFontName(police);
      g.Picture1.setFontSize(taille);
      g.Picture1.setFontBold(gras);
      g.TBox(5).setText(text5);
      g.Frame(8).setVisible(false);
      g.F_Img_Click(format);
      ForgetIllustrationWindow();
    });
    ForgetIllustrationWindow();
    image_ = dir_.file("champ.1.bmp");
    ASSERT_TRUE(champ().saveBmp(image_));
    // The fitted view: the picture shown enlarged, each of its pixels on more than one
    // and a half screen pixels.
    Expo_Zoom = -2;
    K_Zoom = std::pow(Base_Zoom, Expo_Zoom);
    ASSERT_TRUE(Charge_Image_Memoire(image_));
    Img_Active = image_;
    Index_Image = 1;
    CouleursTrace(0) = 12;
    EpaisseurTrait = 2;
    TaillePoliceImg = 10;
    TaillePolice = 10;
    Loupe_Ouverte = false;
    Mode_InsRef = Mode_Annot = Mode_Illus = Mode_InsTexte = Illus_Trait = Ins_Notation = false;
    Illus_Texte = Illus_Saisie = false;
    Etat_Saisie = 0;
    Etat_Pt1 = false;
    f.F_Img_Click(0);
    f.Affmesure.setValue(0);
    reperes_ = painted::screenshot(f.Picture1);
    calibre();
  }

  // The screen pixel that shows picture point m: one screen pixel right of and below
  // the top-left corner of its mark (with more than one and a half screen pixels to a
  // picture pixel, the top-left corner of that screen pixel lies inside picture pixel
  // m). The marks are told apart by their places: kTexte lowest, kDebut left of kFin.
  QPoint ecran(const Point& m) const {
    const QRgb jaune = painted::rgbOf(kRepere);
    std::vector<QPoint> coins;
    for (int y = 0; y < reperes_.height(); ++y)
      for (int x = 0; x < reperes_.width(); ++x)
        if (reperes_.pixel(x, y) == jaune && (x == 0 || reperes_.pixel(x - 1, y) != jaune) &&
            (y == 0 || reperes_.pixel(x, y - 1) != jaune))
          coins.emplace_back(x, y);
    EXPECT_EQ(coins.size(), 3u);
    if (coins.size() != 3) return {};
    std::sort(coins.begin(), coins.end(), [](QPoint a, QPoint b) { return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x(); });
    auto est = [&](const Point& q) { return m.x == q.x && m.y == q.y; };
    const QPoint coin = est(kTexte) ? coins[2] : (est(kDebut) ? coins[0] : coins[1]);
    return coin + QPoint(1, 1);
  }

  // A click on Picture1 on the screen pixel of picture point m.
  void clic(const Point& m) const {
    const QPoint p = ecran(m);
    picture_window::mouse(QEvent::MouseButtonPress, Qt::LeftButton, p.x(), p.y());
    picture_window::mouse(QEvent::MouseButtonRelease, Qt::LeftButton, p.x(), p.y());
  }

  // "Etalonner": the segment from kDebut to kFin marked with the mouse and given the
  // length 100, so that 100 is kBarre picture pixels.
  void calibre() {
    QVL& f = Qvl();
    startFunction(1);
    ASSERT_TRUE(user::click(f.Bout(10)));
    ASSERT_TRUE(Mode_Etalonnage);
    const QPoint a = ecran(kDebut), b = ecran(kFin);
    picture_window::drag(a.x(), a.y(), b.x(), b.y());
    ASSERT_TRUE(f.Frame(8).visible());
    ASSERT_TRUE(user::typeInto(f.TBox(5), "100"));
    ASSERT_TRUE(user::click(f.Bout(31)));
    ASSERT_FALSE(Mode_Etalonnage);
    Retrace(0);
  }

  // From the tools menu, "Insertion référence", then a click on picture point m, the
  // length 100 and the unit typed with the "µ" button; the window comes back and
  // `pendant` runs in it.
  void reference(const Point& m, const std::function<void()>& pendant) {
    QVL& f = Qvl();
    avecFenetre([&] { user::click(f.Mntool(20)); },
                [] {
                  Fen_Illust& w = FenIllust();
                  EXPECT_TRUE(w.visible());
                  EXPECT_FALSE(w.Command1(1).enabled());
                  EXPECT_EQ(w.left(), 1000);
                  EXPECT_EQ(w.top(), 500);
                  EXPECT_EQ(w.IllustImg(1).caption(), "Insertion référence");
                  user::click(w.IllustImg(1));
                });
    ASSERT_TRUE(Mode_InsRef && Mode_InsTexte);
    EXPECT_EQ(f.StatusBar1.simpleText(), MSG(194));
    clic(m);
    ASSERT_TRUE(f.Frame(8).visible());
    f.TBox(5).setText("100");
    Bout_Click(31);
    ASSERT_EQ(Etat_Saisie, 3);
    user::click(f.Bout_Symb);
    EXPECT_EQ(f.TBox(5).text(), " \u00B5m");
    avecFenetre([] { Bout_Click(31); }, pendant);
  }

  // Saves from the window and checks it closed.
  static void enregistre() {
    user::click(FenIllust().Command1(1));
    EXPECT_FALSE(FenIllust().visible());
  }
  static void enregistreEtReste() {
    ASSERT_TRUE(FenIllust().Command1(1).enabled());
    user::click(FenIllust().Command1(1));
    EXPECT_TRUE(FenIllust().visible());
  }

  // The bar of a saved picture starting at picture point m: the picture's own size;
  // on the row 20 pixels above the bar (clear of its 10-pixel thickness, inside the
  // arms of its crosses) exactly two red runs, the crosses' arms, centred on m.x and
  // on m.x + kBarre within a pixel; the bar red all along between them, nothing red
  // beyond the crosses.
  void verifieBarre(const platform::Picture& p, const Point& m) const {
    const platform::Colour rouge = platform::QBColor(12);
    ASSERT_EQ(p.widthPixels(), kLargeur);
    ASSERT_EQ(p.heightPixels(), kHauteur);
    std::vector<double> bras;
    int debut = -1;
    for (int x = 0; x <= kLargeur; ++x) {
      const bool r = x < kLargeur && p.pixel(x, m.y - 20) == rouge;
      if (r && debut < 0) debut = x;
      if (!r && debut >= 0) {
        bras.push_back((debut + x - 1) / 2.0);
        debut = -1;
      }
    }
    ASSERT_EQ(bras.size(), 2u);
    EXPECT_NEAR(bras[0], m.x, 1.0);
    EXPECT_NEAR(bras[1], m.x + kBarre, 1.0);
    for (int x = static_cast<int>(bras[0]); x <= static_cast<int>(bras[1]); ++x)
      ASSERT_EQ(p.pixel(x, m.y), rouge) << x;
    EXPECT_EQ(p.pixel(static_cast<int>(bras[1]) + 40, m.y), kFond);
    EXPECT_NE(p.pixel(static_cast<int>(bras[0]) - 40, m.y), rouge);
    EXPECT_EQ(p.pixel(kLargeur - 5, kHauteur - 5), kFond);
  }

  QImage reperes_;
  TempFolder dir_;
  std::string image_;
};

// The whole road: the saved picture is the image's own size with the bar starting
// at the picture point clicked, as long as the segment that measures 100 (kBarre
// picture pixels); the next click measures.
TEST_F(Illustration, ReferenceSavedBesideTheImage) {
  reference(kDebut, [] {
    EXPECT_TRUE(FenIllust().Command1(1).enabled());
    enregistre();
  });
  const std::string nom = dir_.file("champ.1_Ref.bmp");
  ASSERT_TRUE(std::filesystem::exists(nom));
  verifieBarre(platform::Picture::load(nom), kDebut);
  EXPECT_FALSE(Mode_InsRef || Mode_InsTexte || Mode_Annot || Ins_Notation);
  clic(kTexte);
  EXPECT_TRUE(Etat_Pt1);
}

TEST_F(Illustration, ReferenceSavedAsJpeg) {
  user::click(Qvl().F_Img(1));
  EXPECT_EQ(Format_Image, 1);
  reference(kDebut, enregistre);
  const platform::Picture p = platform::Picture::load(dir_.file("champ.1_Ref.jpg"));
  EXPECT_EQ(p.widthPixels(), kLargeur);
  EXPECT_EQ(p.heightPixels(), kHauteur);
  EXPECT_FALSE(std::filesystem::exists(dir_.file("champ.1_Ref.bmp")));
}

// An existing reference picture: Yes replaces it, No writes the first free "_Ref_<n>".
TEST_F(Illustration, ExistingReferenceReplacedOrKept) {
  const std::string nom = dir_.file("champ.1_Ref.bmp");
  ecrit(nom, "ancienne");
  ecrit(dir_.file("champ.1_Ref_2.bmp"), "deuxième");
  dialogs_->answerMsgBox(platform::vbNo);
  reference(kDebut, [] {
    enregistre();
  });
  EXPECT_EQ(lit(nom), "ancienne");
  EXPECT_EQ(lit(dir_.file("champ.1_Ref_2.bmp")), "deuxième");
  const platform::Picture nouveau = platform::Picture::load(dir_.file("champ.1_Ref_3.bmp"));
  EXPECT_EQ(nouveau.widthPixels(), kLargeur);
  ASSERT_FALSE(messages().empty());
  EXPECT_EQ(messages().back(), " le fichier " + nom + " existe déjà ... oui= Ecraser / Non = nouveau Ref");

  dialogs_->answerMsgBox(platform::vbYes);
  reference(kDebut, enregistre);
  verifieBarre(platform::Picture::load(nom), kDebut);
  EXPECT_FALSE(std::filesystem::exists(dir_.file("champ.1_Ref_4.bmp")));
}

TEST(IllustrationNames, ReferenceNames) {
  EXPECT_EQ(Nom_Reference("/a/b/champ.1.bmp", false), "/a/b/champ.1_Ref.bmp");
  EXPECT_EQ(Nom_Reference("/a/b/spore.jpeg", true), "/a/b/spore_Ref.jpg");
  EXPECT_EQ(Nom_Reference("/a/b.c/sans", false), "/a/b.c/sans_Ref.bmp");
  EXPECT_EQ(Nom_Reference_Libre("/dossier/absent/x.bmp", true), "/dossier/absent/x_Ref_2.jpg");
}

// A missing image, a format other than BMP and JPG, and a folder that cannot be
// written: each is said, nothing is written, the window stays with the illustration.
TEST_F(Illustration, SaveRefusedKeepsTheWindow) {
  const std::string nom = dir_.file("champ.1_Ref.bmp");
  for (int i = 0; i < 3; ++i) dialogs_->answerMsgBox(platform::vbOK);
  reference(kDebut, [&] {
    Format_Image = 2;
    enregistreEtReste();
    ASSERT_FALSE(messages().empty());
    EXPECT_NE(messages().back().find("GIF"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(nom));
    Format_Image = 0;

    std::filesystem::rename(image_, image_ + ".cache");
    enregistreEtReste();
    EXPECT_EQ(messages().back(), "fichier image " + image_ + " introuvable");
    EXPECT_FALSE(std::filesystem::exists(nom));
    std::filesystem::rename(image_ + ".cache", image_);

    // The folder made read-only (and, run as the administrator, the save made as an
    // ordinary user, who cannot write there).
    const std::string dossier = std::filesystem::path(image_).parent_path().string();
    ASSERT_EQ(chmod(image_.c_str(), 0644), 0);
    ASSERT_EQ(chmod(dossier.c_str(), 0555), 0);
    {
      const test_support::OrdinaryUserScope utilisateur;
      ASSERT_TRUE(utilisateur.active());
      enregistreEtReste();
    }
    ASSERT_EQ(chmod(dossier.c_str(), 0755), 0);
    EXPECT_NE(messages().back().find(nom), std::string::npos);
    EXPECT_EQ(messages().back().rfind(MSG(144), 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(nom));

    // The illustration is still there to be saved.
    enregistre();
  });
  verifieBarre(platform::Picture::load(nom), kDebut);
}

// The line width chosen in the window stays ticked when it opens again; before the
// window ever existed, the width is EpaisseurTrait. The close box clears an armed
// insertion; the save button stays disabled when opened from the tools menu.
TEST_F(Illustration, LineWidthKeptAcrossOpenings) {
  EXPECT_FALSE(FenIllustExists());
  EXPECT_EQ(Drwtrace_lire(), 2);
  EXPECT_FALSE(FenIllustExists());
  avecFenetre(Affiche_Fen_Illust, [] {
    Fen_Illust& w = FenIllust();
    EXPECT_TRUE(w.Illus_Trace(2).checked());
    user::click(w.Illus_Trace(5));
    user::click(w.Command1(2));
  });
  EXPECT_EQ(EpaisseurTrait, 5);
  Mode_InsRef = true;
  avecFenetre(Affiche_Fen_Illust, [] {
    Fen_Illust& w = FenIllust();
    for (const int i : {1, 2, 3}) EXPECT_FALSE(w.Illus_Trace(i).checked()) << i;
    EXPECT_TRUE(w.Illus_Trace(5).checked());
    EXPECT_EQ(Drwtrace_lire(), 5);
    EXPECT_FALSE(w.Command1(1).enabled());
    w.unload(platform::kFormControlMenu);
  });
  EXPECT_FALSE(Mode_InsRef);
  EXPECT_EQ(Drwtrace_lire(), 5);
}

// The ink of a text near point (x, y) of an image: the box of the pixels that are
// neither the background nor a yellow mark, within 10 pixels left of and above the
// point and 150 right of and 60 below it.
painted::Region encre(const QImage& img, int x, int y, QRgb fond) {
  return painted::findWhere(img, QRect(x - 10, y - 10, 160, 70),
                            [&](QRgb c) { return c != fond && c != painted::rgbOf(kRepere); });
}

// "Insert. texte" from the window with the settings' font size 0: the typed text lands
// on Picture1 and in the saved picture starting at the picture point clicked, and is
// readable on both (6 points at least: its letters some 6 pixels high, not a dash).
TEST_F(Illustration, TextInsertedFromTheWindow) {
  QVL& f = Qvl();
  TaillePoliceImg = 0;
  TaillePolice = 0;
  avecFenetre([&] { user::click(f.Mntool(20)); }, [] { user::click(FenIllust().IllustImg(2)); });
  ASSERT_TRUE(Mode_Annot);
  EXPECT_FALSE(Mode_InsRef);
  clic(kTexte);
  ASSERT_TRUE(f.Frame(8).visible());
  f.TBox(5).setText("Inocybe");
  bool pret = false;
  avecFenetre([] { Bout_Click(31); }, [&] {
    pret = FenIllust().Command1(1).enabled();
    enregistre();
  });
  EXPECT_TRUE(pret);
  EXPECT_FALSE(Mode_Annot);
  const QImage sauvee = platform::Picture::load(dir_.file("champ.1_Ref.bmp")).toQImage();
  const painted::Region t = encre(sauvee, kTexte.x, kTexte.y, painted::rgbOf(kFond));
  ASSERT_TRUE(t.found());
  EXPECT_GE(t.left, kTexte.x);
  EXPECT_LE(t.left, kTexte.x + 3);
  EXPECT_GE(t.top, kTexte.y);
  EXPECT_LE(t.top, kTexte.y + 6);
  EXPECT_GE(t.height(), 6);
  EXPECT_GE(t.width(), 25);
  // On the screen, from the screen pixel clicked.
  const QPoint p = ecran(kTexte);
  const painted::Region e = encre(painted::screenshot(f.Picture1), p.x(), p.y(), painted::rgbOf(kFond));
  ASSERT_TRUE(e.found());
  EXPECT_GE(e.height(), 6);
  EXPECT_NEAR(e.left, p.x(), 3);
}

// Without an image the tools item says so and shows nothing.
TEST_F(Illustration, ToolsItemWithoutImage) {
  Img_Active.clear();
  dialogs_->answerMsgBox(platform::vbOK);
  user::click(Qvl().Mntool(20));
  ASSERT_FALSE(messages().empty());
  EXPECT_EQ(messages().back(), "Charger une image");
  EXPECT_FALSE(FenIllustExists() && FenIllust().visible());
}

// "Choix police" and the window's "Police": the scalable-font dialog gives Picture1
// the chosen face, size and bold; Cancel changes nothing.
TEST_F(Illustration, FontChoices) {
  QVL& f = Qvl();
  platform::FontChoice c;
  c.name = "DejaVu Serif";
  c.size = 14;
  c.bold = true;
  dialogs_->answerFont(c);
  user::click(f.Illus(5));
  ASSERT_FALSE(dialogs_->log().empty());
  EXPECT_EQ(dialogs_->log().back().kind, "font");
  EXPECT_EQ(dialogs_->log().back().style, 1);
  EXPECT_EQ(f.Picture1.fontName(), "DejaVu Serif");
  EXPECT_DOUBLE_EQ(f.Picture1.fontSize(), 14);
  EXPECT_TRUE(f.Picture1.fontBold());
  EXPECT_FLOAT_EQ(TaillePolice, 14);

  dialogs_->answerFont(std::nullopt);
  user::click(f.Illus(5));
  EXPECT_EQ(f.Picture1.fontName(), "DejaVu Serif");
  EXPECT_FLOAT_EQ(TaillePolice, 14);

  c.size = 36;
  c.bold = false;
  dialogs_->answerFont(c);
  avecFenetre(Affiche_Fen_Illust, [] { user::click(FenIllust().IllustImg(4)); });
  EXPECT_FLOAT_EQ(TaillePoliceImg, 36);
  EXPECT_FLOAT_EQ(TaillePolice, 14);
  EXPECT_DOUBLE_EQ(f.Label_Illust.fontSize(), 36);
  EXPECT_FALSE(f.Label_Illust.fontBold());
  EXPECT_EQ(f.Label_Illust.fontName(), "DejaVu Serif");
}

// The window keeps every control visible, reachable and readable.
TEST_F(Illustration, LayoutOfTheWindow) {
  avecFenetre(Affiche_Fen_Illust, [] {
    layout::expectClean(FenIllust(), "ouverte");
    user::click(FenIllust().Command1(2));
  });
}

}  // namespace

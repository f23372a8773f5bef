// The illustration window in the real main window: opened from the tools menu, an
// insertion chosen in it, placed on the picture and confirmed through the entry panel,
// the window back with its save button, the reference picture written beside the
// image and read back; the overwrite choices, the refusals, the line width and the
// fonts. The modal window is driven by steps queued before it opens.
#include "measure/illustration.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

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
#include "measure_window.h"
#include "picture_window.h"
#include "platform/picture.h"
#include "shell/button_bar.h"
#include "shell/tools_menu.h"
#include "support/layout_check.h"
#include "support/user_input.h"

namespace {

using measure_window::MeasureWindow;
using picture_window::TempFolder;

constexpr platform::Colour kFond = 0x405060;
constexpr double kHimetriqueParPixel = 2540.0 / 96.0;
constexpr int kBarre = 200;   // image pixels of the reference bar

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
    ASSERT_TRUE(platform::Picture::filled(640, 480, kFond).saveBmp(image_));
    ASSERT_TRUE(Charge_Image_Memoire(image_));
    Img_Active = image_;
    f.Picture1.setPicture(platform::Picture::filled(f.Picture1.canvasWidthPixels(),
                                                    f.Picture1.canvasHeightPixels(), kFond));
    f.ImageMem.setPicture(f.Picture1.image());
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
    // A reference of 5 is kBarre image pixels long.
    Calibrage = 5.0 * Echelle / (kHimetriqueParPixel * kBarre);
  }

  // A click on Picture1 at canvas pixel (px, py) through the window's mouse events.
  static void clic(int px, int py) {
    picture_window::mouse(QEvent::MouseButtonPress, Qt::LeftButton, px, py);
    picture_window::mouse(QEvent::MouseButtonRelease, Qt::LeftButton, px, py);
  }
  // The image pixel under canvas pixel px of Picture1 (the view at its origin).
  static int pixelImage(int px) {
    return static_cast<int>(std::lround(picture_window::unitsOf(px) * K_Zoom * Echelle / kHimetriqueParPixel));
  }

  // From the tools menu, "Insertion référence", then a click at canvas pixel (px, py),
  // the length 5 and the unit typed with the "µ" button; the window comes back and
  // `pendant` runs in it.
  void reference(int px, int py, const std::function<void()>& pendant) {
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
    clic(px, py);
    ASSERT_TRUE(f.Frame(8).visible());
    f.TBox(5).setText("5");
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

  // The bar and its two crosses at image pixel (bx, by) of a saved picture.
  void verifieBarre(const platform::Picture& p, int bx, int by) const {
    const platform::Colour rouge = platform::QBColor(12);
    ASSERT_EQ(p.widthPixels(), 640);
    ASSERT_EQ(p.heightPixels(), 480);
    EXPECT_EQ(p.pixel(bx, by), rouge);
    EXPECT_EQ(p.pixel(bx + kBarre / 2, by), rouge);
    EXPECT_EQ(p.pixel(bx + kBarre - 3, by), rouge);
    EXPECT_EQ(p.pixel(bx, by - 15), rouge);                // start cross
    EXPECT_EQ(p.pixel(bx + kBarre, by - 15), rouge);       // end cross
    EXPECT_EQ(p.pixel(bx + kBarre / 2, by - 15), kFond);   // the bar is 10 pixels thick
    EXPECT_EQ(p.pixel(bx + kBarre + 30, by), kFond);       // it ends with its cross
    EXPECT_EQ(p.pixel(bx - 30, by), kFond);
    EXPECT_EQ(p.pixel(600, 20), kFond);
  }

  TempFolder dir_;
  std::string image_;
};

// The whole road: the saved picture is the image's own size with the bar where the
// click was, as long as a segment measuring 5; the next click measures.
TEST_F(Illustration, ReferenceSavedBesideTheImage) {
  const int px = 60, py = 50;
  // The bar is as long as a segment of kBarre image pixels measures.
  const double unites = kBarre * kHimetriqueParPixel / (K_Zoom * Echelle);
  EXPECT_NEAR(Longueur_Segment(0, 0, unites, 0) * Calibrage, 5.0, 1e-9);
  reference(px, py, [] {
    EXPECT_TRUE(FenIllust().Command1(1).enabled());
    enregistre();
  });
  const std::string nom = dir_.file("champ.1_Ref.bmp");
  ASSERT_TRUE(std::filesystem::exists(nom));
  verifieBarre(platform::Picture::load(nom), pixelImage(px), pixelImage(py));
  EXPECT_FALSE(Mode_InsRef || Mode_InsTexte || Mode_Annot || Ins_Notation);
  clic(300, 200);
  EXPECT_TRUE(Etat_Pt1);
}

TEST_F(Illustration, ReferenceSavedAsJpeg) {
  user::click(Qvl().F_Img(1));
  EXPECT_EQ(Format_Image, 1);
  reference(60, 50, enregistre);
  const platform::Picture p = platform::Picture::load(dir_.file("champ.1_Ref.jpg"));
  EXPECT_EQ(p.widthPixels(), 640);
  EXPECT_EQ(p.heightPixels(), 480);
  EXPECT_FALSE(std::filesystem::exists(dir_.file("champ.1_Ref.bmp")));
}

// An existing reference picture: Yes replaces it, No writes the first free "_Ref_<n>".
TEST_F(Illustration, ExistingReferenceReplacedOrKept) {
  const std::string nom = dir_.file("champ.1_Ref.bmp");
  ecrit(nom, "ancienne");
  ecrit(dir_.file("champ.1_Ref_2.bmp"), "deuxième");
  dialogs_->answerMsgBox(platform::vbNo);
  reference(60, 50, [] {
    enregistre();
  });
  EXPECT_EQ(lit(nom), "ancienne");
  EXPECT_EQ(lit(dir_.file("champ.1_Ref_2.bmp")), "deuxième");
  const platform::Picture nouveau = platform::Picture::load(dir_.file("champ.1_Ref_3.bmp"));
  EXPECT_EQ(nouveau.widthPixels(), 640);
  ASSERT_FALSE(messages().empty());
  EXPECT_EQ(messages().back(), " le fichier " + nom + " existe déjà ... oui= Ecraser / Non = nouveau Ref");

  dialogs_->answerMsgBox(platform::vbYes);
  reference(60, 50, enregistre);
  verifieBarre(platform::Picture::load(nom), pixelImage(60), pixelImage(50));
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
  reference(60, 50, [&] {
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
    const bool administrateur = geteuid() == 0;
    if (administrateur) ASSERT_EQ(seteuid(65534), 0);
    enregistreEtReste();
    if (administrateur) ASSERT_EQ(seteuid(0), 0);
    ASSERT_EQ(chmod(dossier.c_str(), 0755), 0);
    EXPECT_NE(messages().back().find(nom), std::string::npos);
    EXPECT_EQ(messages().back().rfind(MSG(144), 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(nom));

    // The illustration is still there to be saved.
    enregistre();
  });
  verifieBarre(platform::Picture::load(nom), pixelImage(60), pixelImage(50));
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

// "Insert. texte" from the window: the typed text lands on Picture1 and on the copy,
// and the window comes back ready to save.
TEST_F(Illustration, TextInsertedFromTheWindow) {
  QVL& f = Qvl();
  avecFenetre([&] { user::click(f.Mntool(20)); }, [] { user::click(FenIllust().IllustImg(2)); });
  ASSERT_TRUE(Mode_Annot);
  EXPECT_FALSE(Mode_InsRef);
  clic(60, 50);
  ASSERT_TRUE(f.Frame(8).visible());
  f.TBox(5).setText("Inocybe");
  bool pret = false;
  avecFenetre([] { Bout_Click(31); }, [&] { pret = FenIllust().Command1(1).enabled(); });
  EXPECT_TRUE(pret);
  EXPECT_FALSE(Mode_Annot);
  bool ecrit = false;
  const platform::Picture copie = f.Picture2.image();
  const int x0 = pixelImage(60), y0 = pixelImage(50);
  for (int y = y0; y < y0 + 30 && !ecrit; ++y)
    for (int x = x0; x < x0 + 120 && !ecrit; ++x) ecrit = copie.pixel(x, y) != kFond;
  EXPECT_TRUE(ecrit);
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

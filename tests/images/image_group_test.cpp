// The multi-layer group: its list operations on their own, then its frame, buttons
// and check boxes on the real main window (offscreen).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text_tables.h"
#include "forms/main_window.h"
#include "image_window_fixture.h"
#include "images/image_group.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "platform/dialogs.h"
#include "support/user_input.h"

namespace {

using image_tests::ImageWindow;

// The marked positions among the first n.
std::vector<int> marked(const Marques_Groupe& m, int n) {
  std::vector<int> v;
  for (int b = 0; b < n; ++b)
    if (m(b) == -1) v.push_back(b);
  return v;
}

TEST(GroupRules, AddStopsAtTheFirstSelectedImageAlreadyGrouped) {
  struct Case {
    const char* what;
    std::vector<int> group;
    std::vector<bool> selection;
    std::vector<int> expected;
  };
  const Case cases[] = {
      // Entries 1, 3 and 4 (positions 0, 2, 3) selected while 3 is grouped: entry 1 only.
      {"stops at a grouped entry", {2}, {true, false, true, true}, {2, 0}},
      {"all new", {}, {true, true, false, true}, {0, 1, 3}},
      {"grouped first", {0}, {true, true}, {0}},
      {"nothing selected", {1}, {false, false, false}, {1}},
      // A grouped entry that is not selected does not stop the walk.
      {"grouped but not selected", {1}, {true, false, true}, {1, 0, 2}},
  };
  for (const Case& c : cases) {
    Marques_Groupe m;
    m.fill(0);
    std::vector<int> g = c.group;
    for (int b : g) m(b) = -1;
    Groupe_Ajoute_Selection(g, m, c.selection);
    EXPECT_EQ(g, c.expected) << c.what;
    std::vector<int> sorted = c.expected;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(marked(m, 50), sorted) << c.what;
  }
}

TEST(GroupRules, RemoveAllAndEmpty) {
  Marques_Groupe m;
  m.fill(0);
  std::vector<int> g;
  Groupe_Tout(g, m, 4);
  EXPECT_EQ(g, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(marked(m, 50), (std::vector<int>{0, 1, 2, 3}));
  // "<" with nothing selected, or beyond the group, changes nothing.
  Groupe_Retire(g, m, -1);
  Groupe_Retire(g, m, 4);
  EXPECT_EQ(g.size(), 4u);
  Groupe_Retire(g, m, 1);
  EXPECT_EQ(g, (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(marked(m, 50), (std::vector<int>{0, 2, 3}));
  Groupe_Vide(g, m);
  EXPECT_TRUE(g.empty());
  EXPECT_TRUE(marked(m, 51).empty());
  // ">>" with more than 50 images takes the first 50; it starts from no mark.
  m(50) = -1;
  Groupe_Tout(g, m, 60);
  EXPECT_EQ(g.size(), 50u);
  EXPECT_EQ(m(50), 0);
}

class ImageGroup : public ImageWindow {
 protected:
  void SetUp() override {
    ImageWindow::SetUp();
    QVL& f = Qvl();
    f.ListImgMC.clear();
    f.ListImgIdx.clear();
    for (int i = 1; i <= 4; ++i) Ajoute_Image_Liste("/x/img" + std::to_string(i) + ".bmp");
    f.FraListeImg.setVisible(true);
  }
  void TearDown() override {
    QVL& f = Qvl();
    f.FraMC(0).setVisible(false);
    f.FraListeImg.setVisible(false);
    ImageWindow::TearDown();
  }
  static std::vector<std::string> items(const platform::ListBox& l) {
    std::vector<std::string> v;
    for (int i = 0; i < l.listCount(); ++i) v.push_back(l.list(i));
    return v;
  }
};

TEST_F(ImageGroup, ButtonsKeepBothListsAndTheMarksTogether) {
  QVL& f = Qvl();
  ASSERT_TRUE(user::click(f.cmdChargeMC));   // "Groupe MC" opens the frame
  f.ListIMGchar.setSelected(2, true);
  user::click(f.BoutMC(0));   // entry 3 joins
  for (int i : {0, 2, 3}) f.ListIMGchar.setSelected(i, true);
  user::click(f.BoutMC(0));   // entry 1 only: the walk stops at entry 3
  EXPECT_EQ(items(f.ListImgMC), (std::vector<std::string>{"/x/img3.bmp", "/x/img1.bmp"}));
  EXPECT_EQ(items(f.ListImgIdx), (std::vector<std::string>{"2", "0"}));
  EXPECT_EQ(Img_Marque(0), -1);
  EXPECT_EQ(Img_Marque(2), -1);
  EXPECT_EQ(Img_Marque(3), 0);
  // "<" with nothing selected changes nothing.
  f.ListImgMC.setListIndex(-1);
  user::click(f.BoutMC(1));
  EXPECT_EQ(f.ListImgMC.listCount(), 2);
  f.ListImgMC.setListIndex(0);
  user::click(f.BoutMC(1));
  EXPECT_EQ(items(f.ListImgIdx), (std::vector<std::string>{"0"}));
  EXPECT_EQ(Img_Marque(2), 0);
  // ">>" then "<<" empty both lists and the marks.
  user::click(f.BoutMC(2));
  EXPECT_EQ(items(f.ListImgIdx), (std::vector<std::string>{"0", "1", "2", "3"}));
  user::click(f.BoutMC(3));
  EXPECT_EQ(f.ListImgMC.listCount(), 0);
  EXPECT_EQ(f.ListImgIdx.listCount(), 0);
  for (int b = 0; b <= 50; ++b) EXPECT_EQ(Img_Marque(b), 0) << b;
}

TEST_F(ImageGroup, ModeShowsTheGroupAndEnablesItsTools) {
  QVL& f = Qvl();
  EXPECT_FALSE(f.chkMC(1).enabled());
  EXPECT_FALSE(f.Mntool(6).enabled());
  ASSERT_TRUE(user::click(f.cmdChargeMC));
  ASSERT_TRUE(user::click(f.chkMC(0)));
  EXPECT_EQ(f.ListImgAff.listCount(), 0);   // empty group, empty displayed list
  EXPECT_TRUE(f.chkMC(1).enabled());
  EXPECT_TRUE(f.Mntool(6).enabled());
  EXPECT_FALSE(f.FraMC(0).visible());
  // Group changes show at once in the displayed list.
  ASSERT_TRUE(user::click(f.cmdChargeMC));
  f.ListIMGchar.setSelected(1, true);
  user::click(f.BoutMC(0));
  EXPECT_EQ(items(f.ListImgAff), (std::vector<std::string>{"img2.bmp"}));
  ASSERT_TRUE(user::click(f.chkMC(0)));
  EXPECT_EQ(f.ListImgAff.listCount(), 4);
  EXPECT_FALSE(f.chkMC(1).enabled());
  EXPECT_FALSE(f.Mntool(6).enabled());
}

TEST_F(ImageGroup, FrameOpensFromTheButtonAndTheToolsMenuAndOkCloses) {
  QVL& f = Qvl();
  user::click(f.cmdChargeMC);
  EXPECT_TRUE(f.FraMC(0).visible());
  EXPECT_DOUBLE_EQ(f.FraMC(0).left(), f.Picture1.left() + 100);
  EXPECT_DOUBLE_EQ(f.FraMC(0).top(), f.Picture1.top() + 5000);
  EXPECT_EQ(f.StatusBar1.simpleText(), MSG(68));
  user::click(f.Mntool(3));
  EXPECT_FALSE(f.FraMC(0).visible());
  EXPECT_EQ(f.StatusBar1.simpleText(), "");
  user::click(f.Mntool(3));
  EXPECT_TRUE(f.FraMC(0).visible());
  user::click(f.BoutMC(4));
  EXPECT_FALSE(f.FraMC(0).visible());
  EXPECT_FALSE(f.FraListeImg.visible());
}

}  // namespace

// The colour-match window keeps every control visible, reachable and readable in each
// of its frames and options, the chart archive panel and its calendar included; the
// archive panel's row box is reached and typed in as a user does.
#include <QApplication>

#include "colour_window_fixture.h"
#include "support/layout_check.h"
#include "support/user_input.h"

namespace {

using namespace colour_window_test;
using colour_test::bytesOf;

TEST_F(ColourWindowTest, EveryFrameAndOptionKeepsTheLayoutRule) {
  chart();
  whileOpen([&](Ajustement& f) {
    layout::expectClean(f, "ouverte, Lab");
    user::click(f.Option2(0));
    layout::expectClean(f, "RVB");
    user::click(f.Check3);
    user::click(f.Option3(2));
    layout::expectClean(f, "mode expert, valeurs RGB");
    user::click(f.Option5(1));
    layout::expectClean(f, "comparer");
    user::click(f.Check4);
    layout::expectClean(f, "tolérance auto");
    user::click(f.Check4);
    layout::expectClean(f, "tolérance manuelle");
    user::choose(f.Fic_Charte(7));
    layout::expectClean(f, "archive");
    user::click(f.Option7(5));
    layout::expectClean(f, "archive, N° Grille");
    user::click(f.Command5);
    layout::expectClean(f, "archive, calendrier");
  });
}

TEST_F(ColourWindowTest, GridRowTypedIntoTheArchivePanelIsTheRowArchived) {
  grid({{"90", "60", "30", "28.11", "9.85", "23.29"},
        {"30", "120", "90", "44.87", "-33.45", "8.63"},
        {"10", "20", "30", "7.21", "0.52", "-11.3"}});
  chart();
  whileOpen([&](Ajustement& f) {
    ASSERT_TRUE(user::choose(f.Fic_Charte(7)));
    ASSERT_TRUE(user::click(f.Option7(5)));
    // Tab goes from the chosen source to the row box.
    f.Option7(5).setFocus();
    user::pressKey(f.Option7(5).widget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), f.Text7.widget()) << user::describe(QApplication::focusWidget());
    ASSERT_TRUE(user::typeInto(f.Text7, "3"));
    EXPECT_EQ(f.VScroll7(1).value(), 3);
    ASSERT_TRUE(user::typeInto(f.Text6, "Russula rosea"));
    dialogs_->answerSave(dir_.file("rangs.Nua"));
    ASSERT_TRUE(user::click(f.Command6));
  });
  const std::string octets = bytesOf(dir_.file("rangs.Nua"));
  EXPECT_EQ(octets.substr(octets.find("LISTE=")), "LISTE=\r\n1;10;20;30;7.21;0.52;-11.3;;; Russula rosea\r\n");
}

}  // namespace

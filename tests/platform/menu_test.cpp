// Menus: check marks only code changes, sub-menus, menu arrays with their index,
// and pop-up menus answered by scripted dialogs.

#include "platform/menu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <memory>

#include "platform/dialogs.h"
#include "platform/form.h"

namespace platform {
namespace {

struct ScriptedScope {
  ScriptedDialogs* d;
  ScriptedScope() {
    auto p = std::make_unique<ScriptedDialogs>();
    d = p.get();
    setDialogs(std::move(p));
  }
  ~ScriptedScope() { setDialogs(nullptr); }
};

TEST(MenuItem, ClickNeverTogglesTheCheckMark) {
  Form f("frmMenu");
  MenuItem& options = f.addMenu("mnuOptions", "Options");
  MenuItem& redraw = options.addItem("mnuRetrace", "Retracer auto");
  int clicks = 0;
  bool checkedInHandler = false;
  redraw.onClick = [&] {
    ++clicks;
    checkedInHandler = redraw.checked();
  };
  redraw.setChecked(true);
  EXPECT_TRUE(redraw.action()->isChecked());
  redraw.action()->trigger();   // what a user's choice does
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(checkedInHandler);
  EXPECT_TRUE(redraw.checked());
  EXPECT_TRUE(redraw.action()->isChecked());
  redraw.setChecked(false);
  redraw.action()->trigger();
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(redraw.checked());
  EXPECT_FALSE(redraw.action()->isChecked());
}

TEST(MenuItem, TitlesSubMenusAndRegistry) {
  Form f("frmMenus");
  MenuItem& fonction = f.addMenu("mnuFonction", "Fonction");
  MenuItem& cyst = fonction.addItem("MnuCyst", "Cystides");
  MenuItem& three = cyst.addItem("MnuCyst3", "3 points");
  fonction.addSeparator();
  fonction.addItem("mnuQuit", "Quitter");
  EXPECT_EQ(f.find("mnucyst3"), &three);
  EXPECT_EQ(three.parentItem(), &cyst);
  ASSERT_NE(cyst.action()->menu(), nullptr);
  ASSERT_EQ(fonction.items().size(), 3u);
  EXPECT_TRUE(fonction.items()[1]->action()->isSeparator());
  auto* bar = static_cast<QMainWindow*>(f.window())->menuBar();
  ASSERT_EQ(bar->actions().size(), 1);
  EXPECT_EQ(bar->actions()[0], fonction.action());
  QMenu* list = fonction.action()->menu();
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->actions().size(), 3);
  EXPECT_EQ(list->actions()[2]->text(), QString("Quitter"));
  three.setCaption("Trois & plus");
  EXPECT_EQ(three.action()->text(), QString("Trois && plus"));
  three.setEnabled(false);
  EXPECT_FALSE(three.action()->isEnabled());
  three.setVisible(false);
  EXPECT_FALSE(three.action()->isVisible());
  // The title's Click runs as its list opens.
  int titleClicks = 0;
  fonction.onClick = [&] { ++titleClicks; };
  emit list->aboutToShow();
  EXPECT_EQ(titleClicks, 1);
}

TEST(MenuArray, HandlerReceivesIndexAndMissingIndexThrows) {
  Form f("frmArr");
  MenuItem& fic = f.addMenu("mnuFichier", "Fichier");
  MenuArray mnuFic(fic, "MnuFIC");
  mnuFic.add(1, "Ouvrir");
  mnuFic.add(9, "Sauver la Trame");
  MenuItem& quit = fic.addItem("mnuQuitter", "Quitter");
  mnuFic.add(12, "Exporter");   // goes with its array, before "Quitter"
  std::vector<int> got;
  mnuFic.onClick = [&](int i) { got.push_back(i); };
  mnuFic(9).action()->trigger();
  mnuFic(12).click();
  EXPECT_EQ(got, (std::vector<int>{9, 12}));
  EXPECT_THROW(mnuFic(2), IndexError);
  EXPECT_TRUE(mnuFic.exists(9));
  EXPECT_EQ(mnuFic.lbound(), 1);
  EXPECT_EQ(mnuFic.ubound(), 12);
  const auto items = fic.items();
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[2]->caption(), "Exporter");
  EXPECT_EQ(items[3], &quit);
  EXPECT_EQ(f.find("MnuFIC", 9), &mnuFic(9));
  mnuFic.remove(9);
  EXPECT_FALSE(mnuFic.exists(9));
  EXPECT_EQ(f.find("MnuFIC", 9), nullptr);
  EXPECT_EQ(fic.items().size(), 3u);
}

TEST(MenuItem, PopupReturnsAfterTheChosenItemRan) {
  ScriptedScope s;
  Form f("frmPopup");
  MenuItem& pop = f.addMenu("mnuPop", "Pop");
  pop.setVisible(false);
  MenuItem& annuler = pop.addItem("mnuAnnuler", "Annuler/Retracer");
  pop.addSeparator();
  MenuItem& largeur = pop.addItem("mnuLargeur", "Largeur");
  MenuItem& hidden = pop.addItem("mnuCache", "Caché");
  hidden.setVisible(false);
  MenuItem& off = pop.addItem("mnuOff", "Inactif");
  off.setEnabled(false);
  MenuItem& sub = pop.addItem("mnuEpais", "Epaisseur");
  MenuItem& fine = sub.addItem("mnuFin", "fin");
  std::vector<std::string> ran;
  annuler.onClick = [&] { ran.push_back("annuler"); };
  largeur.onClick = [&] { ran.push_back("largeur"); };
  fine.onClick = [&] { ran.push_back("fin"); };
  s.d->answerPopup(2);
  s.d->answerPopup(4);
  s.d->answerPopup(3);   // a disabled entry: nothing runs
  pop.popup();
  EXPECT_EQ(ran, (std::vector<std::string>{"largeur"}));
  pop.popup();
  EXPECT_EQ(ran, (std::vector<std::string>{"largeur", "fin"}));
  pop.popup();
  EXPECT_EQ(ran.size(), 2u);
  ASSERT_EQ(s.d->log().size(), 3u);
  EXPECT_EQ(s.d->log()[0].kind, "popup");
  EXPECT_EQ(s.d->log()[0].text, "Annuler/Retracer|-|Largeur|\x01Inactif|Epaisseur > fin");
  EXPECT_EQ(s.d->pending(), 0u);
}

TEST(MenuItem, PopupCancelledRunsNothing) {
  ScriptedScope s;
  Form f("frmPopCancel");
  MenuItem& pop = f.addMenu("mnuPop", "Pop");
  int ran = 0;
  pop.addItem("a", "A").onClick = [&] { ++ran; };
  s.d->answerPopup(-1);
  pop.popup();
  EXPECT_EQ(ran, 0);
}

}  // namespace
}  // namespace platform

// Every item of every menu of the program's windows, chosen through the accessibility
// interface as a screen reader user does: the menus above it opened first (their
// titles' Click runs then), then the item pressed. Each item starts from the same
// session (two images listed, three spores measured, the other windows closed); an
// item that can be chosen must change something a user can see or find afterwards:
// a window, a question asked, a tick or a greyed item, a timed message, a prompt, a
// mode armed for the next click on the picture, the clipboard or a file. An item that
// would do nothing has to be greyed.
//
// The sweep changes settings, captions and files of the whole program: it has a test
// program of its own.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCryptographicHash>
#include <QImage>
#include <QMenu>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/globals.h"
#include "colour/colour_window.h"
#include "forms/archive_window.h"
#include "forms/colour_window.h"
#include "forms/illustration_window.h"
#include "forms/main_window.h"
#include "forms/stat_window.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "measure/grid_reset.h"
#include "measure/illustration.h"
#include "measure/measure_state.h"
#include "measure/measure_window.h"
#include "measure/picture_window.h"
#include "measure/session_window.h"
#include "platform/app.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/form.h"
#include "platform/textfile.h"
#include "reports/archive_window.h"
#include "shell/button_bar.h"
#include "shell/function_menus.h"
#include "shell/function_switch.h"
#include "shell/session.h"
#include "statwindow/stat_window.h"

namespace {

using picture_window::TempFolder;

// --- the accessibility tree ------------------------------------------------------------

std::string nameOf(QAccessibleInterface* i) { return i ? i->text(QAccessible::Name).toStdString() : "?"; }

// The list under a menu item (its pop-up menu), nullptr for a plain item.
QAccessibleInterface* listOf(QAccessibleInterface* item) {
  for (int k = 0; k < item->childCount(); ++k) {
    QAccessibleInterface* c = item->child(k);
    if (c && c->role() == QAccessible::PopupMenu) return c;
  }
  return nullptr;
}

QAccessibleInterface* menuBarOf(QWidget* window) {
  QAccessibleInterface* w = window ? QAccessible::queryAccessibleInterface(window) : nullptr;
  if (!w) return nullptr;
  for (int k = 0; k < w->childCount(); ++k) {
    QAccessibleInterface* c = w->child(k);
    if (c && c->role() == QAccessible::MenuBar) return c;
  }
  return nullptr;
}

// An item by the positions of its titles and itself from the menu bar down.
using Path = std::vector<int>;

// The chain of interfaces of a path; empty when the menus changed under it.
std::vector<QAccessibleInterface*> chainOf(QWidget* window, const Path& p) {
  std::vector<QAccessibleInterface*> chain;
  QAccessibleInterface* list = menuBarOf(window);
  for (std::size_t k = 0; k < p.size(); ++k) {
    if (!list || p[k] >= list->childCount()) return {};
    QAccessibleInterface* item = list->child(p[k]);
    if (!item) return {};
    chain.push_back(item);
    list = k + 1 < p.size() ? listOf(item) : nullptr;
  }
  return chain;
}

std::string textOf(QWidget* window, const Path& p) {
  std::string s;
  for (QAccessibleInterface* i : chainOf(window, p)) s += (s.empty() ? "" : " > ") + nameOf(i);
  return s;
}

void leavesUnder(QAccessibleInterface* list, const Path& above, std::vector<Path>& out) {
  for (int k = 0; k < list->childCount(); ++k) {
    QAccessibleInterface* item = list->child(k);
    if (!item || item->role() == QAccessible::Separator) continue;
    Path p = above;
    p.push_back(k);
    if (QAccessibleInterface* sub = listOf(item))
      leavesUnder(sub, p, out);
    else
      out.push_back(p);
  }
}

std::vector<Path> leavesOf(QWidget* window, const std::function<bool(const std::string&)>& titleWanted) {
  std::vector<Path> out;
  QAccessibleInterface* bar = menuBarOf(window);
  if (!bar) return out;
  for (int k = 0; k < bar->childCount(); ++k) {
    QAccessibleInterface* title = bar->child(k);
    if (!title || !titleWanted(nameOf(title))) continue;
    if (QAccessibleInterface* list = listOf(title))
      leavesUnder(list, {k}, out);
    else
      out.push_back({k});
  }
  return out;
}

bool reachable(QAccessibleInterface* i) {
  const QAccessible::State s = i->state();
  return !s.invisible && !s.disabled;
}

void closePopups() {
  for (int n = 0; n < 20 && QApplication::activePopupWidget(); ++n) QApplication::activePopupWidget()->close();
  QCoreApplication::processEvents();
}

// Opens the menus above the item as a user does; true when they and the item can be
// chosen.
bool openTo(const std::vector<QAccessibleInterface*>& chain) {
  if (chain.empty()) return false;
  for (std::size_t k = 0; k + 1 < chain.size(); ++k) {
    if (!reachable(chain[k])) return false;
    QAccessibleActionInterface* a = chain[k]->actionInterface();
    if (!a) return false;
    a->doAction(QAccessibleActionInterface::showMenuAction());
    QCoreApplication::processEvents();
  }
  return reachable(chain.back());
}

// --- what a user can see or find ----------------------------------------------------------

std::string hashOf(const QImage& im) {
  if (im.isNull()) return "-";
  const QImage c = im.convertToFormat(QImage::Format_ARGB32);
  const QByteArray b(reinterpret_cast<const char*>(c.constBits()), static_cast<int>(c.sizeInBytes()));
  return QCryptographicHash::hash(b, QCryptographicHash::Md5).toHex().toStdString();
}

void menuState(QAccessibleInterface* list, std::string& s) {
  for (int k = 0; k < list->childCount(); ++k) {
    QAccessibleInterface* i = list->child(k);
    if (!i) continue;
    const QAccessible::State st = i->state();
    s += nameOf(i) + (st.checked ? "+" : "") + (st.disabled ? "!" : "") + (st.invisible ? "~" : "") + ";";
    if (QAccessibleInterface* sub = listOf(i)) menuState(sub, s);
  }
}

void filesUnder(const std::string& folder, std::string& s) {
  std::error_code ec;
  for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    std::error_code e2;
    const auto t = std::filesystem::last_write_time(it->path(), e2);
    s += it->path().string() + ":" + (it->is_regular_file(e2) ? std::to_string(it->file_size(e2)) : "d") + ":" +
         std::to_string(t.time_since_epoch().count()) + "\n";
  }
}

// Answers every question as a user going on would: Yes and OK; the file, font and
// folder dialogs and the pop-up menus are cancelled. Everything is logged.
class GoingOn : public platform::ScriptedDialogs {
 public:
  int msgBox(const std::string& text, int style, const std::string& title) override {
    ScriptedDialogs::msgBox(text, style, title);
    const int buttons = style & 7;
    if (buttons == platform::vbYesNo || buttons == platform::vbYesNoCancel) return platform::vbYes;
    return platform::vbOK;
  }
  // The statistics archive is chosen when asked for.
  platform::FileAnswer openFile(const platform::FileRequest& r) override {
    platform::FileAnswer a = ScriptedDialogs::openFile(r);
    if (archive.empty() || r.filter.find("ArS2") == std::string::npos) return a;
    a.cancelled = false;
    a.files = {archive};
    a.folder = std::filesystem::path(archive).parent_path().string();
    a.filterIndex = 1;
    return a;
  }
  std::string archive;
};

// A statistics archive of spores of two dimensions.
const std::vector<std::string> kArchive = {
    "MSGENRE;MSESP;MSREF;MSDATE;KS;NBMES;LONG;SLONG;LARG;SLARG;QU;SQU ",
    "Inocybe; geophylla; R1; 12/10/2024; 1; 7; 10,20; 1,10; 5,60; 0,30; 1,71; 0,08; ; ",
    "Inocybe; lacera; R2; 01/09/2023; 1; 40; 13,20; 0,80; 6,10; 0,40; 2,16; 0,10; ; ",
};

class MenuItems : public ::testing::Test {
 protected:
  void SetUp() override {
    auto d = std::make_unique<GoingOn>();
    dialogs_ = d.get();
    platform::setDialogs(std::move(d));
    platform::App::setEndHook([this](int code) { ended_ = code; });
    platform::setClock(std::make_unique<measure_window::RunningClock>());
    QVL& f = Qvl();
    f.show();
    platform::DoEvents();
    Alerte_W7 = false;
    Rep_Data = Rep_Images = dir_.file("");
    dialogs_->archive = dir_.file("ArchvStat.ArS2");
    ASSERT_TRUE(platform::writeLines(dialogs_->archive, kArchive));
    un_ = session_window::picture(dir_, "lame 1.bmp", 400, 300);
    deux_ = session_window::picture(dir_, "lame 2.bmp", 300, 200, 0x406080);
    for (platform::Frame* c : transients(f)) shown_.push_back(c->visible());
    // Windows the program shows modally are closed again, and the waiting panels
    // answered, so that no choice waits for ever.
    unblock_.setInterval(20);
    QObject::connect(&unblock_, &QTimer::timeout, [this] {
      for (platform::Form* w : platform::Form::loadedForms())
        if (!swept(w) && w->isModal() && w->visible()) {
          ++waitsAnswered_;
          w->hide();
        }
      QVL& g = Qvl();
      if (g.FrameQuitter.visible()) {
        ++waitsAnswered_;
        Command15_Click(2);
      }
      if (g.FraDial_Seq.visible() && Etat_Archive == 1) {
        ++waitsAnswered_;
        g.Command9.onClick(1);
      }
    });
    unblock_.start();
  }
  void TearDown() override {
    unblock_.stop();
    closePopups();
    for (platform::Form* w : platform::Form::loadedForms())
      if (w != &Qvl()) w->hide();
    Vide_Listes();
    Choix_Fonction_Mesure(2);
    platform::App::setEndHook({});
    platform::setClock(nullptr);
    platform::setDialogs(nullptr);
  }

  // The main window's panels that commands show for a while.
  static std::vector<platform::Frame*> transients(QVL& f) {
    std::vector<platform::Frame*> v{&f.Frame1,  &f.FraDial_Seq, &f.FraListeImg,        &f.FraQvrl, &f.FraRep,
                                    &f.FrameEditer, &f.FrameQuitter, &f.Frame_Export_trame, &f.FraFlash};
    for (int i : {7, 8, 9, 10, 12, 13, 14})
      if (f.Frame.exists(i)) v.push_back(&f.Frame(i));
    if (f.FraMC.exists(0)) v.push_back(&f.FraMC(0));
    return v;
  }

  // The session every item starts from: function `fonction` (three spores measured
  // for spores 2D), two images listed, the first shown, the other windows closed,
  // the panels as at start, no prompt and no timed message.
  void standardState(int fonction = 2) {
    closePopups();
    QVL& f = Qvl();
    for (platform::Form* w : platform::Form::loadedForms())
      if (w != &f && !swept(w) && w->visible() && !w->isModal()) w->hide();
    const std::vector<platform::Frame*> t = transients(f);
    for (std::size_t i = 0; i < t.size(); ++i) t[i]->setVisible(shown_[i]);
    f.TBox(4).setVisible(false);
    f.Check(3).setValue(1);
    if (!f.MnuOpt(25).checked()) f.MnuOpt(25).click();
    Vide_Listes();
    Ajoute_Image_Liste(un_);
    Ajoute_Image_Liste(deux_);
    appel_img_listchar(un_);
    picture_window::standardMeasuringState();
    Mode_InsRef = Mode_Annot = Mode_InsTexte = Illus_Trait = Illus_Texte = Illus_Saisie = false;
    Mode_Illus = Mode_Etalonnage = Mode_Cumul = false;
    Efface_Grille(1);
    Ini_fonc();   // the surface and density modes off
    Choix_Fonction_Mesure(fonction);
    Affiche_Image(0);
    if (fonction == 2)
      for (int s = 0; s < 3; ++s) {
        const int y = 40 + 60 * s;
        picture_window::drag(30, y, 330 - 20 * s, y);
        picture_window::drag(60, y, 67, y + 40 + 5 * s);
      }
    if (fonction == 2) {
      EXPECT_EQ(LigneCourante, 4) << "the three spores of the session";
    }
    f.StatusBar1.setSimpleText("");
    f.lblLabelflashx.setCaption("");
    platform::Clipboard::clear();
    platform::DoEvents();
  }

  std::string seen() {
    std::string s;
    QCoreApplication::processEvents();
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible() || qobject_cast<QMenu*>(w)) continue;
      s += w->windowTitle().toStdString() + "@" + std::to_string(w->x()) + "," + std::to_string(w->y()) + "," +
           std::to_string(w->width()) + "x" + std::to_string(w->height()) + "=" + hashOf(w->grab().toImage()) + "\n";
    }
    for (platform::Form* w : platform::Form::loadedForms())
      if (QAccessibleInterface* bar = menuBarOf(w->window())) menuState(bar, s);
    QVL& f = Qvl();
    s += "asked " + std::to_string(dialogs_->log().size()) + " waits " + std::to_string(waitsAnswered_) +
         " flash " + f.lblLabelflashx.caption() + " prompt " + f.StatusBar1.simpleText() + " ended " +
         std::to_string(ended_) + "\n";
    // Modes armed for the next click on the picture.
    for (bool m : {Mode_InsRef, Mode_Annot, Mode_InsTexte, Illus_Trait, Illus_Texte, Illus_Saisie, Mode_Illus,
                   Mode_Etalonnage, Mode_Cumul, Mode_Main, Loupe_Active})
      s += m ? "1" : "0";
    s += " function " + std::to_string(FonctionCourante) + "\n";
    // The grids, shown or not: their cells and the marks on them.
    for (const platform::FlexGrid* g : {&f.GrilleRef, &f.GrilleRefP})
      for (int r = 0; r < std::min(g->rows(), 12); ++r)
        for (int c = 0; c < g->cols(); ++c)
          s += g->textMatrix(r, c) + "/" + std::to_string(g->cellBackColor(r, c)) + "|";
    s += "\n";
    const platform::Picture copie = platform::Clipboard::getImage();
    s += "clip " + platform::Clipboard::getText() + "|" + (copie.isNull() ? "-" : copie.bmpBytes()) + "\n";
    filesUnder(platform::App::Path(), s);
    filesUnder(dir_.file(""), s);
    return s;
  }

  // Presses the item at `p` of `window` from the standard session, unless it cannot be
  // chosen; an item chosen that changes nothing is recorded.
  void choose(QWidget* window, const Path& p) {
    const std::vector<QAccessibleInterface*> chain = chainOf(window, p);
    const std::string path =
        (window == Qvl().window() ? std::string() : window->windowTitle().toStdString() + ": ") + textOf(window, p);
    if (!openTo(chain)) {
      closePopups();
      return;
    }
    closePopups();
    if (auto it = prepare_.find(textOf(window, p)); it != prepare_.end()) it->second();
    const std::string before = seen();
    const bool wasChecked = chain.back()->state().checked;
    chain.back()->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    closePopups();
    ++chosen_;
    const std::string after = seen();
    // Choosing the option already ticked again is the one choice that may change
    // nothing: the option stays as the user sees it.
    if (before == after && !wasChecked) idle_.push_back(path);
  }

  // The item again from the session of another function (segments): a function item
  // chosen while its function is current has nothing more to do.
  void chooseAgainFromSegments(QWidget* window, const Path& p) {
    if (idle_.empty() || idle_.back() != textOf(window, p)) return;   // the main window's items
    idle_.pop_back();
    standardState(1);
    choose(window, p);
  }

  // Every item of the main window's menus whose title `titleWanted` accepts, each
  // from the standard session of function `fonction`.
  void sweepMain(const std::function<bool(const std::string&)>& titleWanted, int fonction) {
    standardState(fonction);
    QWidget* window = Qvl().window();
    for (const Path& p : leavesOf(window, titleWanted)) {
      standardState(fonction);
      choose(window, p);
      chooseAgainFromSegments(window, p);
    }
  }

  // Every item of the menus of a window `w` opened by `open`, each from the standard
  // session, the window opened afresh for each item. Modal windows run the item from
  // inside their own loop.
  // The window is named by its accessor: a window unloaded is made anew at its next
  // opening.
  void sweepWindow(const std::function<platform::Form&()>& form, const std::function<void()>& open) {
    std::vector<Path> leaves;
    auto inside = [&](const std::function<void(platform::Form&)>& step) {
      QObject garde;
      bool ran = false, opened = false;
      // A modal window runs the step from its own loop; a modeless one once the
      // command that opens it is over.
      std::function<void()> tick = [&] {
        if (ran) return;
        if (!opened && !form().isModal()) {
          QTimer::singleShot(0, &garde, tick);
          return;
        }
        ran = true;
        step(form());
        sweeping_ = nullptr;
        if (form().visible()) form().hide();
      };
      QTimer::singleShot(0, &garde, tick);
      sweeping_ = &form;
      open();
      opened = true;
      platform::DoEvents();
      platform::DoEvents();
      sweeping_ = nullptr;
      EXPECT_TRUE(ran);
      if (form().visible()) form().hide();
    };
    standardState();
    inside([&](platform::Form& w) { leaves = leavesOf(w.window(), [](const std::string&) { return true; }); });
    ASSERT_FALSE(leaves.empty()) << form().caption();
    for (const Path& p : leaves) {
      standardState();
      inside([&](platform::Form& w) { choose(w.window(), p); });
    }
  }

  // The window being swept is the one modal window left open.
  bool swept(const platform::Form* w) const { return sweeping_ && w == &(*sweeping_)(); }

  TempFolder dir_;
  std::string un_, deux_;
  GoingOn* dialogs_ = nullptr;
  QTimer unblock_;
  const std::function<platform::Form&()>* sweeping_ = nullptr;
  std::vector<bool> shown_;
  int waitsAnswered_ = 0;
  int ended_ = -1;
  int chosen_ = 0;
  std::vector<std::string> idle_;
  // What the user does before an item whose effect depends on it (by the item's path).
  std::map<std::string, std::function<void()>> prepare_;
};

std::string joined(const std::vector<std::string>& v) {
  std::string s;
  for (const std::string& t : v) s += "\n  " + t;
  return s;
}

TEST_F(MenuItems, EveryItemOfTheMainWindowDoesSomethingOrIsGreyed) {
  const std::string palette = Qvl().OptnMchrt->caption();
  sweepMain([&](const std::string& t) { return t != palette && t != "PopEtalon" && t != "pop3D" && t != "nspo"; },
            2);
  EXPECT_GT(chosen_, 120);
  // The colour tools' menu shows with the colour function only.
  const int avant = chosen_;
  sweepMain([&](const std::string& t) { return t == palette; }, 20);
  EXPECT_GT(chosen_, avant + 5);
  EXPECT_TRUE(idle_.empty()) << "items that do nothing:" << joined(idle_);
}

TEST_F(MenuItems, EveryItemOfTheOtherWindowsDoesSomethingOrIsGreyed) {
  std::vector<int> choisis;
  auto compte = [&] {
    choisis.push_back(chosen_);
    chosen_ = 0;
  };
  sweepWindow([]() -> platform::Form& { return StatWindow(); }, [] { Bout_Click(11); });
  compte();
  // The search again after the risk was changed in the main window's parameters.
  const float risque = Alpha_Archive;
  prepare_["Re-chercher"] = [] { Alpha_Archive = 0.05f; };
  sweepWindow([]() -> platform::Form& { return Fenetre_Archive(); }, [] { Ouvre_Recherche_Archive(); });
  Alpha_Archive = risque;
  compte();
  sweepWindow([]() -> platform::Form& { return ColourWindow(); }, [] { ShowColourWindow(); });
  compte();
  sweepWindow([]() -> platform::Form& { return FenIllust(); }, [] { Affiche_Fen_Illust(); });
  compte();
  // Statistics, archive, colour and illustration windows: the items a user can
  // choose in this session.
  ASSERT_EQ(choisis.size(), 4u);
  EXPECT_GE(choisis[0], 12);
  EXPECT_GE(choisis[1], 5);
  EXPECT_GE(choisis[2], 2);
  EXPECT_GE(choisis[3], 6);
  EXPECT_TRUE(idle_.empty()) << "items that do nothing:" << joined(idle_);
}

}  // namespace

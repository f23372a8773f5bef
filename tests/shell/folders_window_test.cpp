// The folders window, filled each time the tools menu shows it.
#include "shell/folders_window.h"

#include <gtest/gtest.h>

#include <string>

#include "base/globals.h"
#include "forms/folders_window.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "platform/events.h"
#include "support/layout_check.h"
#include "support/user_input.h"

namespace {

TEST(FoldersWindow, ShowsTheThreeFoldersAfresh) {
  const std::string prog = Rep_Prog, images = Rep_Images, data = Rep_Data;
  QVL& f = Qvl();
  Rep_Prog = "/opt/quorvale";
  Rep_Images = "/home/marie/Photos";
  Rep_Data = "/home/marie/Mesures";
  user::click(f.Mntool(21));
  QVLplus& w = Fenetre_Repertoires();
  EXPECT_TRUE(w.visible());
  EXPECT_EQ(w.Label1(0).caption(), "Rep. Appli.  = \r\n/opt/quorvale");
  EXPECT_EQ(w.Label1(1).caption(), "Rep.Img. = \r\n/home/marie/Photos");
  EXPECT_EQ(w.Label1(2).caption(), "Rep.données = \r\n/home/marie/Mesures");
  EXPECT_EQ(w.Label1(3).caption(), "");
  layout::expectClean(w, "ouverte");
  // A folder changed meanwhile shows at the next opening.
  Rep_Images = "/media/carte";
  user::click(f.Mntool(21));
  EXPECT_EQ(w.Label1(1).caption(), "Rep.Img. = \r\n/media/carte");
  w.hide();
  Rep_Prog = prog;
  Rep_Images = images;
  Rep_Data = data;
}

}  // namespace

// The tools menu's calibration of the multi-layer group, on the real window.
#include "shell/tools_menu.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "platform/dialogs.h"

namespace {

TEST(ToolsMenu, GroupCalibration) {
  auto d = std::make_unique<platform::ScriptedDialogs>();
  platform::ScriptedDialogs& dialogs = *d;
  platform::setDialogs(std::move(d));
  QVL& f = Qvl();
  Messages_Defaut();
  const double saved = Calibrage;
  for (int i = 0; i <= 50; ++i) Calib_Images(i) = 1.0;
  f.ListImgMC.clear();
  f.ListImgIdx.clear();
  Mntool_Click(6);
  ASSERT_EQ(dialogs.log().size(), 1u);
  EXPECT_EQ(dialogs.log()[0].text, "Le chargeur MC est vide");

  // Group of the list positions 0 and 2: images 1 and 3. No changes nothing.
  f.ListImgMC.addItem("a.jpg");
  f.ListImgMC.addItem("c.jpg");
  f.ListImgIdx.addItem("0");
  f.ListImgIdx.addItem("2");
  Calibrage = 0.1625;
  dialogs.answerMsgBox(platform::vbNo);
  Mntool_Click(6);
  ASSERT_EQ(dialogs.log().size(), 2u);
  EXPECT_EQ(dialogs.log()[1].text,
            "Appliquer le calibrage de l'image à toutes les images du groupe MC\r\n continuer ? ");
  EXPECT_EQ(dialogs.log()[1].style, platform::vbYesNo | platform::vbInformation);
  EXPECT_EQ(Calib_Images(1), 1.0);
  dialogs.answerMsgBox(platform::vbYes);
  Mntool_Click(6);
  EXPECT_EQ(Calib_Images(1), 0.1625);
  EXPECT_EQ(Calib_Images(2), 1.0);
  EXPECT_EQ(Calib_Images(3), 0.1625);

  f.ListImgMC.clear();
  f.ListImgIdx.clear();
  for (int i = 0; i <= 50; ++i) Calib_Images(i) = 1.0;
  Calibrage = saved;
  platform::setDialogs(nullptr);
}

}  // namespace

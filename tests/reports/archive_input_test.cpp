// The step-by-step input of the main window: archive records written through the
// menus, the panel and the save dialog (golden files of tests/data/reports/archive/),
// cancelling, write failures, one input at a time, the search parameters and the
// statistics defaults.
#include "reports/archive_input.h"

#include <gtest/gtest.h>

#include "archive_fixture.h"
#include "base/text_tables.h"
#include "golden.h"
#include "measure/measure_state.h"
#include "measure/picture_window.h"
#include "support/user_input.h"

namespace {

using archive_fixture::ArchiveWindow;
using archive_fixture::kAnnule;
using archive_fixture::kSeptSpores;

const std::vector<std::string> kAvecLieu = {"Inocybe",        "geophylla", "Herb. 2024-07; B", "12/10/2024",
                                            "Forêt d'Orient", "4.35",      "48.27",            "1"};
const std::vector<std::string> kSansLieu = {"Inocybe", "geophylla", "Herb. 2024-07; B", "12/10/2024", "1"};

class ArchiveInput : public ArchiveWindow {
 protected:
  void SetUp() override {
    ArchiveWindow::SetUp();
    for (int i = 1; i <= 3; ++i) Champs_Archive(i).clear();
    pump_->checkLayout = true;
  }
  void answer(const std::vector<std::string>& a) { pump_->answers.insert(pump_->answers.end(), a.begin(), a.end()); }
  std::string file() const { return dir_ + "/ArchvStat.ArS2"; }
  std::vector<std::string> messages() {
    std::vector<std::string> m;
    for (const auto& a : dialogs().log())
      if (a.kind == "msgBox") m.push_back(a.text);
    return m;
  }
};

TEST_F(ArchiveInput, RecordWithPlaceThenWithoutPlaceIntoOneFile) {
  spores2D(kSeptSpores);
  QVL& f = Qvl();
  // Statistics switched off and stale: the record still carries the grid's own.
  f.Check(3).setValue(0);
  f.GrilleRefP.setTextMatrix(1, 1, "");
  answer(kAvecLieu);
  dialogs().answerSave(file());
  user::choose(f.Archv1(1));
  golden::expectFile("archive/with_place.ArS2", bytes(file()));
  EXPECT_EQ(f.FraDial_Seq.caption(), "Archivage");
  EXPECT_FALSE(f.FraDial_Seq.visible());
  EXPECT_FALSE(f.MonthView1.visible());
  EXPECT_EQ(Etat_Archive, 0);

  const auto& q = pump_->questions;
  ASSERT_EQ(q.size(), 8u);
  const char* const prompts[] = {"entrer :  Genre",   " entrer :  Espèce", "entrer :  Référence",
                                 "entrer :  Date",    "entrer :  Lieudit", " entrer Longitude",
                                 " entrer Latitude", "entrer :  K_sigma"};
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(q[i].prompt, prompts[i]) << i;
  EXPECT_TRUE(q[3].calendrier);
  EXPECT_FALSE(q[4].calendrier);
  EXPECT_EQ(q[7].defaut, "1");
  EXPECT_EQ(q[7].selection, 1);
  EXPECT_EQ(q[7].resume,
            " Genre = Inocybe\r\n Espèce = geophylla\r\n Référence = Herb. 2024-07; B\r\n  date =12/10/2024\r\n"
            "Lieudit = Forêt d'Orient\r\nLongitude =4.35\r\nLatitude =48.27\r\n");
  const platform::FileRequest* demande = nullptr;
  for (const auto& a : dialogs().log())
    if (a.kind == "saveFile") demande = &a.request;
  ASSERT_NE(demande, nullptr);
  const platform::FileRequest& save = *demande;
  EXPECT_EQ(save.fileName, Rep_Prog + "/ArchvStat.ArS2");
  EXPECT_EQ(save.filter, "*.ArS2|*.ArS2|Tous les fichiers (*.*)|*.*");
  EXPECT_EQ(Rep_Data, dir_);

  // The Edit menu's item: no place asked, the record appended without a new header.
  pump_->questions.clear();
  answer(kSansLieu);
  dialogs().answerSave(file());
  user::choose(f.MnuEDit(9));
  golden::expectFile("archive/then_without_place.ArS2", bytes(file()));
  ASSERT_EQ(pump_->questions.size(), 5u);
  EXPECT_EQ(pump_->questions[4].prompt, "entrer :  K_sigma");
  EXPECT_EQ(pump_->questions[4].selection, 0);

  // The next input with place offers the place typed before; "Annule" writes nothing.
  pump_->questions.clear();
  const std::string avant = bytes(file());
  answer({"Inocybe", "x", "R", "13/10/2024", kAnnule});
  user::choose(f.Archv1(1));
  ASSERT_EQ(pump_->questions.size(), 5u);
  EXPECT_EQ(pump_->questions[4].defaut, "Forêt d'Orient");
  EXPECT_EQ(pump_->questions[4].selection, 14);
  EXPECT_EQ(bytes(file()), avant);
  EXPECT_FALSE(f.FraDial_Seq.visible());
}

// The date typed over the proposed one, with the calendar shown beside the box, is
// the date of the record; in the Edit menu's variant the calendar stays through the
// K_sigma step and leaves the box reachable there too.
TEST_F(ArchiveInput, TypedDateIsTheDateWritten) {
  spores2D(kSeptSpores);
  QVL& f = Qvl();
  answer({"Russula", "rosea", "Herb. 12", "03/05/2023 09:15", "1,5"});
  dialogs().answerSave(file());
  ASSERT_TRUE(user::choose(f.MnuEDit(9)));
  ASSERT_EQ(pump_->questions.size(), 5u);
  EXPECT_TRUE(pump_->questions[3].calendrier);
  EXPECT_NE(pump_->questions[3].defaut, "03/05/2023 09:15");
  EXPECT_TRUE(pump_->questions[4].calendrier);
  const std::string octets = bytes(file());
  EXPECT_NE(octets.find("\r\nRussula; rosea; Herb. 12; 03/05/2023 09:15; 1,5; 7; "), std::string::npos) << octets;
}

TEST_F(ArchiveInput, CancelAtTheReferenceThenTextSeparators) {
  spores2D(kSeptSpores);
  QVL& f = Qvl();
  answer({"Inocybe", "geophylla", kAnnule});
  user::choose(f.Archv1(1));
  EXPECT_FALSE(platform::fileExists(file()));
  EXPECT_EQ(Etat_Archive, 0);
  EXPECT_FALSE(f.FraDial_Seq.visible());
  // The next input starts again at the genus with an empty summary.
  pump_->questions.clear();
  Ext_Export = "txt";
  answer(kAvecLieu);
  dialogs().answerSave(file());
  user::choose(f.Archv1(1));
  EXPECT_EQ(pump_->questions.front().prompt, "entrer :  Genre");
  EXPECT_EQ(pump_->questions.front().resume, "");
  golden::expectFile("archive/txt_separators.ArS2", bytes(file()));
}

TEST_F(ArchiveInput, WriteFailuresAndACancelledDialog) {
  spores2D(kSeptSpores);
  QVL& f = Qvl();
  answer(kAvecLieu);
  dialogs().answerSave("/proc/ArchvStat.ArS2");
  dialogs().answerMsgBox(platform::vbOK);
  user::choose(f.Archv1(1));
  answer(kSansLieu);
  dialogs().answerSave("/proc/ArchvStat.ArS2");
  dialogs().answerMsgBox(platform::vbOK);
  user::choose(f.MnuEDit(9));
  // Each says the writer's code, then the file and the system's cause.
  const std::vector<std::string> m = messages();
  ASSERT_EQ(m.size(), 2u);
  const std::string cause = "Impossible d'enregistrer le fichier /proc/ArchvStat.ArS2 : ";
  EXPECT_EQ(m[0].rfind("Erreur fichier 012\r\n" + cause, 0), 0u) << m[0];
  EXPECT_EQ(m[1].rfind("Erreur fichier 014\r\n" + cause, 0), 0u) << m[1];
  EXPECT_GT(m[1].size(), ("Erreur fichier 014\r\n" + cause).size());
  EXPECT_FALSE(f.FraDial_Seq.visible());
  // A cancelled save dialog ends silently.
  answer(kSansLieu);
  dialogs().answerFileCancel(true);
  user::choose(f.MnuEDit(9));
  EXPECT_EQ(messages().size(), 2u);
  EXPECT_FALSE(platform::fileExists(file()));
}

TEST_F(ArchiveInput, OneInputAtATimeAndClosingTheWindowCancels) {
  spores2D(kSeptSpores);
  QVL& f = Qvl();
  int tours = 0;
  pump_->beforeAnswer = [&] {
    if (tours++ != 1) return;
    // Another input while this one waits only beeps.
    user::choose(f.Archv1(1));
    user::choose(f.MnuEDit(9));
    user::choose(f.spo(1));
    EXPECT_TRUE(Saisie_Archive_En_Cours());
    EXPECT_EQ(Etat_Archive, 1);
    // The main window closing ends the wait as "Annule".
    Abandon_Saisie_Archive();
  };
  answer({"Inocybe", "geophylla"});
  user::choose(f.MnuEDit(9));
  EXPECT_EQ(pump_->questions.size(), 2u);
  EXPECT_FALSE(Saisie_Archive_En_Cours());
  EXPECT_EQ(Etat_Archive, 0);
  EXPECT_TRUE(dialogs().log().empty());
}

TEST_F(ArchiveInput, SearchParameters) {
  QVL& f = Qvl();
  const float alpha = Alpha_Archive;
  const std::string filtre = Filtre_Archive;
  Alpha_Archive = 0.2f;
  answer({"0.075", "RIM"});
  user::choose(f.spo(1));
  ASSERT_EQ(pump_->questions.size(), 2u);
  EXPECT_EQ(pump_->questions[0].prompt, "entrer :  risque");
  EXPECT_EQ(pump_->questions[0].defaut, " .2");
  EXPECT_EQ(pump_->questions[1].prompt, " entrer : Filtre nom");
  EXPECT_EQ(f.Label9(0).caption(), " Risque =  .075 %\r\n  Filtre nom =RIM\r");
  EXPECT_FLOAT_EQ(Alpha_Archive, 0.075f);
  EXPECT_EQ(Filtre_Archive, "RIM");
  EXPECT_FALSE(f.FraDial_Seq.visible());

  // A risk outside (0.001, 1): MNU(104), the input ends, risk and filter kept.
  for (const char* refuse : {"2", "0.001", "1", "abc"}) {
    pump_->questions.clear();
    answer({refuse});
    dialogs().answerMsgBox(platform::vbOK);
    user::choose(f.spo(1));
    EXPECT_EQ(pump_->questions.size(), 1u) << refuse;
    EXPECT_FLOAT_EQ(Alpha_Archive, 0.075f) << refuse;
  }
  EXPECT_EQ(messages(), std::vector<std::string>(4, "valeur du risque incorrecte"));
  EXPECT_EQ(Filtre_Archive, "RIM");
  // A comma is read as a decimal separator; "Annule" at the filter keeps the risk.
  answer({"0,05", kAnnule});
  user::choose(f.spo(1));
  EXPECT_FLOAT_EQ(Alpha_Archive, 0.05f);
  EXPECT_EQ(Filtre_Archive, "RIM");
  Alpha_Archive = alpha;
  Filtre_Archive = filtre;
}

TEST_F(ArchiveInput, StatisticsDefaultView) {
  QVL& f = Qvl();
  const int vue = Vue_Stat;
  user::choose(f.statdef(4));
  user::choose(f.statdef(1));
  EXPECT_EQ(Vue_Stat, 1);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(f.statdef(i).checked(), i == 1) << i;
  statdef_Click(vue);
}


// The step-by-step input leaves the keys to the picture when its panel closes, not to
// the count box that follows in reading order: Z held and a click zoom the picture,
// the count box keeps its text and nothing is measured. A record written, an input
// cancelled at its third step, and the search parameters given.
TEST_F(ArchiveInput, ClosedPanelLeavesTheKeysToThePicture) {
  spores2D(kSeptSpores);
  QVL& f = Qvl();
  struct Case {
    const char* what;
    std::vector<std::string> answers;
    platform::MenuItem* item;
    bool saved;
  };
  const Case cases[] = {
      {"record written", kSansLieu, &f.MnuEDit(9), true},
      {"cancelled", {"Inocybe", "geophylla", kAnnule}, &f.Archv1(1), false},
      {"search parameters", {"0.075", "RIM"}, &f.spo(1), false},
  };
  const float alpha = Alpha_Archive;
  const std::string filtre = Filtre_Archive;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    answer(c.answers);
    if (c.saved) dialogs().answerSave(file());
    ASSERT_TRUE(user::choose(*c.item));
    EXPECT_TRUE(pump_->answers.empty());
    EXPECT_FALSE(f.FraDial_Seq.visible());
    picture_window::expectZoomClickOnThePicture();
  }
  EXPECT_TRUE(platform::fileExists(file()));
  Alpha_Archive = alpha;
  Filtre_Archive = filtre;
}

}  // namespace

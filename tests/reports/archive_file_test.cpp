// The statistics archive file: record lines, the header of a new file and appends,
// byte for byte against the golden files of tests/data/reports/archive/.
#include "reports/archive_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>

#include "golden.h"
#include "platform/textfile.h"
#include "support/file_size_limit.h"

namespace {

namespace fs = std::filesystem;

const std::array<std::string, 6> kStats = {"10.79", "1.39", "6.11", "0.71", "1.79", "0.34"};

ArchiveAnswers avecLieu() {
  ArchiveAnswers a;
  a.genre = "Inocybe";
  a.espece = "geophylla";
  a.reference = "Herb. 2024-07; B";
  a.date = "12/10/2024";
  a.coord = true;
  a.lieu = "Forêt d'Orient";
  a.longitude = "4.35";
  a.latitude = "48.27";
  a.ksigma = "1";
  return a;
}

ArchiveAnswers sansLieu() {
  ArchiveAnswers a = avecLieu();
  a.coord = false;
  return a;
}

class ArchiveFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = ::testing::TempDir() + "archive_file_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  std::string file() const { return dir_ + "/ArchvStat.ArS2"; }
  std::string bytes() const {
    std::string b;
    platform::readBytes(file(), &b);
    return b;
  }
  std::string dir_;
};

TEST_F(ArchiveFile, RecordWithPlaceIntoANewFile) {
  const std::string ligne = Ligne_Archive(avecLieu(), 7, kStats, "; ");
  EXPECT_EQ(ligne,
            "Inocybe; geophylla; Herb. 2024-07, B; 12/10/2024; Forêt d'Orient/4.35/48.27; 1; 7; 10.79; 1.39; "
            "6.11; 0.71; 1.79; 0.34; ; ");
  ASSERT_TRUE(Ajoute_Enregistrement(file(), ligne, true));
  golden::expectFile("archive/with_place.ArS2", bytes());
  // The record without place goes into the same file without a new header.
  ASSERT_TRUE(Ajoute_Enregistrement(file(), Ligne_Archive(sansLieu(), 7, kStats, "; "), false));
  golden::expectFile("archive/then_without_place.ArS2", bytes());
}

TEST_F(ArchiveFile, NewFileWithoutPlaceAndTextSeparators) {
  ASSERT_TRUE(Ajoute_Enregistrement(file(), Ligne_Archive(sansLieu(), 7, kStats, "; "), false));
  golden::expectFile("archive/without_place.ArS2", bytes());
  platform::removeFile(file());
  ASSERT_TRUE(Ajoute_Enregistrement(file(), Ligne_Archive(avecLieu(), 7, kStats, "\t;"), true));
  golden::expectFile("archive/txt_separators.ArS2", bytes());
}

TEST_F(ArchiveFile, TypedFieldsStayOnePieceOfTheRecord) {
  const struct {
    const char* typed;
    const char* kept;
  } cas[] = {{"a;b", "a,b"}, {"a\tb", "a b"}, {"a\r\nb", "ab"}, {"a\nb\r", "ab"}, {"é; ü", "é, ü"}};
  for (const auto& c : cas) EXPECT_EQ(Champ_Archive(c.typed), c.kept) << c.typed;
  ArchiveAnswers a = sansLieu();
  a.genre = "In;ocybe";
  a.espece = "geo\tphylla";
  const std::string ligne = Ligne_Archive(a, 0, {"", "", "", "", "", ""}, "; ");
  EXPECT_EQ(ligne, "In,ocybe; geo phylla; Herb. 2024-07, B; 12/10/2024; 1; 0; ; ; ; ; ; ; ; ");
  EXPECT_EQ(std::count(ligne.begin(), ligne.end(), ';'), 13);
}

TEST_F(ArchiveFile, NamesAndFilterOfTheFunction) {
  EXPECT_EQ(Nom_Archive(2), "ArchvStat.ArS2");
  EXPECT_EQ(Nom_Archive(3), "ArchvStat.ArS3");
  EXPECT_EQ(Filtre_Archive_Dialogue(2), "*.ArS2|*.ArS2|Tous les fichiers (*.*)|*.*");
}

// What the system says when a new file is made in folder: "" when it can be made.
std::string creationRefusee(const std::string& folder) {
  const std::string essai = folder + "/.essai_archive";
  const int fd = ::open(essai.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return platform::systemCause(errno);
  ::close(fd);
  ::unlink(essai.c_str());
  return "";
}

// A record for a new file of a folder that takes no new file says so, with the cause
// of that refusal; a read-only file already there says that it is read-only.
TEST_F(ArchiveFile, AFolderThatTakesNoNewFileIsNamedWithItsCause) {
  const std::string cause = creationRefusee("/proc");
  if (cause.empty()) GTEST_SKIP() << "/proc takes new files here";
  std::string erreur;
  EXPECT_FALSE(Ajoute_Enregistrement("/proc/ArchvStat.ArS2", "x; ", false, &erreur));
  EXPECT_EQ(erreur, "Impossible d'enregistrer le fichier /proc/ArchvStat.ArS2 : impossible de créer un fichier dans le "
                    "dossier /proc : " + cause);
  // A file there nobody may write is refused before the folder is asked.
  EXPECT_FALSE(Ajoute_Enregistrement("/proc/version", "x; ", false, &erreur));
  EXPECT_EQ(erreur, "Impossible d'enregistrer le fichier /proc/version : le fichier est en lecture seule");
  EXPECT_FALSE(platform::fileExists("/proc/ArchvStat.ArS2"));
}

// A record that the disk cannot hold (a file-size limit, as a full disk would) names
// the system's cause and leaves the file byte for byte, with no temporary beside it.
TEST_F(ArchiveFile, AFailedAppendLeavesTheFileWhole) {
  ASSERT_TRUE(Ajoute_Enregistrement(file(), Ligne_Archive(avecLieu(), 7, kStats, "; "), true));
  const std::string avant = bytes();
  std::string erreur, nouveau;
  {
    test_support::FileSizeLimit limite(avant.size() + 4);
    ASSERT_TRUE(limite.active());
    EXPECT_FALSE(Ajoute_Enregistrement(file(), Ligne_Archive(sansLieu(), 7, kStats, "; "), false, &erreur));
    EXPECT_FALSE(Ajoute_Enregistrement(dir_ + "/nouveau.ArS2", std::string(avant.size(), 'x'), false, &nouveau));
  }
  EXPECT_EQ(erreur, "Impossible d'enregistrer le fichier " + file() + " : " + test_support::FileSizeLimit::cause());
  EXPECT_EQ(nouveau, "Impossible d'enregistrer le fichier " + dir_ + "/nouveau.ArS2 : " +
                         test_support::FileSizeLimit::cause());
  EXPECT_EQ(bytes(), avant);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(ArchiveFile, TheLineTakesTheFileEncoding) {
  // A UTF-8 file stays UTF-8; a Windows-1252 file whose new line needs UTF-8 becomes
  // UTF-8 as a whole.
  ASSERT_TRUE(platform::saveFileAtomic(file(), "MSGENRE;MSESP;MSREF \r\nForêt\r\n"));
  ASSERT_TRUE(Ajoute_Enregistrement(file(), "é; ", false));
  EXPECT_EQ(bytes(), "MSGENRE;MSESP;MSREF \r\nForêt\r\né; \r\n");
  platform::removeFile(file());
  ASSERT_TRUE(platform::saveFileAtomic(file(), "MSGENRE;MSESP;MSREF \r\nFor\xEAt\r\n"));
  ASSERT_TRUE(Ajoute_Enregistrement(file(), "é; ", false));
  EXPECT_EQ(bytes(), "MSGENRE;MSESP;MSREF \r\nFor\xEAt\r\n\xE9; \r\n");
  ASSERT_TRUE(Ajoute_Enregistrement(file(), "Ω; ", false));
  EXPECT_EQ(bytes(), "MSGENRE;MSESP;MSREF \r\nForêt\r\né; \r\nΩ; \r\n");
}

}  // namespace

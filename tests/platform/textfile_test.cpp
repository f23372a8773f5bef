// Windows-1252 and UTF-8 text files, line ends, atomic saves and the folder helpers.
#include "platform/textfile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/file_size_limit.h"
#include "support/named_pipe.h"
#include "support/ordinary_user.h"

namespace {

namespace fs = std::filesystem;
using platform::readBytes;
using platform::readLines;
using platform::saveFileAtomic;
using platform::writeLines;
using Lines = std::vector<std::string>;

// A fresh folder per test, removed afterwards.
class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (fs::temp_directory_path() / "qv-textfile-XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    for (const auto& e : fs::recursive_directory_iterator(dir_, ec)) {
      fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(dir_, ec);
  }
  std::string path(const std::string& name) const { return dir_ + "/" + name; }
  void put(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path(name), std::ios::binary);
    out << bytes;
  }
  std::string bytesOf(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::string dir_;
};

TEST(Windows1252, EncodesAccentsAndEuro) {
  std::string bytes;
  ASSERT_TRUE(platform::encodeWindows1252("é°µ€", &bytes));
  EXPECT_EQ(bytes, "\xE9\xB0\xB5\x80");
  EXPECT_EQ(platform::decodeWindows1252(bytes), "é°µ€");
}

TEST(Windows1252, HighControlRangeTable) {
  // Code points of the 0x80-0x9F bytes from the published code page table.
  EXPECT_EQ(platform::decodeWindows1252("\x80"), "\u20AC");
  EXPECT_EQ(platform::decodeWindows1252("\x8C"), "\u0152");
  EXPECT_EQ(platform::decodeWindows1252("\x92"), "\u2019");
  EXPECT_EQ(platform::decodeWindows1252("\x96"), "\u2013");
  EXPECT_EQ(platform::decodeWindows1252("\x99"), "\u2122");
  EXPECT_EQ(platform::decodeWindows1252("\x9F"), "\u0178");
  // Undefined bytes stand for the control character of the same number.
  EXPECT_EQ(platform::decodeWindows1252("\x81\x8D\x8F\x90\x9D"),
            "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
}

TEST(Windows1252, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::string back;
  ASSERT_TRUE(platform::encodeWindows1252(platform::decodeWindows1252(all), &back));
  EXPECT_EQ(back, all);
}

TEST(Windows1252, CharactersOutsideTheCodePageFail) {
  std::string bytes = "unchanged";
  EXPECT_FALSE(platform::encodeWindows1252("Ω", &bytes));
  EXPECT_FALSE(platform::encodeWindows1252("\u0080", &bytes));  // € has byte 0x80, not U+0080
  EXPECT_FALSE(platform::encodeWindows1252("a\xFF", &bytes));     // malformed UTF-8
  EXPECT_EQ(bytes, "unchanged");
}

TEST(DecodeText, ChoosesTheEncoding) {
  EXPECT_EQ(platform::decodeText("\xEF\xBB\xBF" "été"), "été");
  EXPECT_EQ(platform::decodeText("été"), "été");
  EXPECT_EQ(platform::decodeText("\xE9t\xE9"), "été");
  EXPECT_EQ(platform::decodeText("plain"), "plain");
  EXPECT_EQ(platform::decodeText("\xEF\xBB\xBF" "a\xE9"), "aé");  // stray byte after a BOM
}

// UTF-16 after its byte-order mark, little- and big-endian, with a character outside
// the basic plane (a surrogate pair) and a lone surrogate (U+FFFD).
TEST(DecodeText, Utf16WithItsMark) {
  const struct {
    std::string bytes;
    std::string text;
  } cases[] = {
      {std::string("\xFF\xFE" "A\0=\0\xE9\0\r\0\n\0", 12), "A=é\r\n"},
      {std::string("\xFE\xFF\0A\0=\0\xE9\0\r\0\n", 12), "A=é\r\n"},
      {std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), "\xF0\x9F\x98\x80"},   // U+1F600
      {std::string("\xFF\xFE\x00\xDC" "a\0", 6), "\xEF\xBF\xBD" "a"},       // lone low surrogate
      {std::string("\xFF\xFE" "a\0b", 5), "a"},                                // odd last byte
      {std::string("\xFF\xFE", 2), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::decodeText(c.bytes), c.text);
}

// UTF-16 without a byte-order mark, told by its NULs: "Clé=1" CR LF in both orders.
// Text whose NULs lie on both sides (binary data) or that holds a NUL character is
// not taken for UTF-16.
TEST(DecodeText, Utf16WithoutItsMark) {
  const std::string little("C\0l\0\xE9\0=\0" "1\0\r\0\n\0", 14);
  const std::string big("\0C\0l\0\xE9\0=\0" "1\0\r\0\n", 14);
  EXPECT_EQ(platform::decodeText(little), "Clé=1\r\n");
  EXPECT_EQ(platform::decodeText(big), "Clé=1\r\n");
  EXPECT_TRUE(platform::isUtf16Text(little));
  EXPECT_TRUE(platform::isUtf16Text(big));
  for (const std::string& b : {std::string("A\0\0B", 4), std::string("\0\0\0\0", 4),
                               std::string("A\0BC\0D\0\0", 8), std::string("plain text"), std::string("A")}) {
    EXPECT_FALSE(platform::isUtf16Text(b)) << b.size();
    EXPECT_NE(platform::decodeText(b), platform::decodeText(std::string("\xFF\xFE", 2) + b));
  }
}

TEST(SplitLines, AllLineEnds) {
  EXPECT_EQ(platform::splitLines("a\r\nb\nc\rd\r\n"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(platform::splitLines("a\n\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(platform::splitLines("a\r\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(platform::splitLines("\r\n"), (Lines{""}));
  EXPECT_EQ(platform::splitLines("x"), (Lines{"x"}));
  EXPECT_EQ(platform::splitLines(""), (Lines{}));
  EXPECT_EQ(platform::splitLines("\n\r"), (Lines{"", ""}));  // LF then CR: two breaks
}

TEST_F(TextFileTest, Windows1252OnDisk) {
  ASSERT_TRUE(writeLines(path("a.txt"), {"é°µ€"}));
  EXPECT_EQ(bytesOf("a.txt"), "\xE9\xB0\xB5\x80\r\n");
  Lines lines;
  ASSERT_TRUE(readLines(path("a.txt"), &lines));
  EXPECT_EQ(lines, (Lines{"é°µ€"}));
}

TEST_F(TextFileTest, MixedLineEndsReadLineByLine) {
  put("mixed.txt", "un\rdeux\ntrois\r\nquatre\r\n\r\ncinq");
  Lines lines;
  ASSERT_TRUE(readLines(path("mixed.txt"), &lines));
  EXPECT_EQ(lines, (Lines{"un", "deux", "trois", "quatre", "", "cinq"}));
}

TEST_F(TextFileTest, Utf8WithAndWithoutBom) {
  put("bom.txt", "\xEF\xBB\xBFΩ é\r\nfin\r\n");
  put("nobom.txt", "Ω é\nfin\n");
  Lines withBom, withoutBom;
  ASSERT_TRUE(readLines(path("bom.txt"), &withBom));
  ASSERT_TRUE(readLines(path("nobom.txt"), &withoutBom));
  EXPECT_EQ(withBom, (Lines{"Ω é", "fin"}));
  EXPECT_EQ(withoutBom, (Lines{"Ω é", "fin"}));
  std::string text;
  ASSERT_TRUE(platform::readText(path("bom.txt"), &text));
  EXPECT_EQ(text, "Ω é\r\nfin\r\n");
}

TEST_F(TextFileTest, TextOutsideWindows1252IsWrittenAsUtf8) {
  ASSERT_TRUE(writeLines(path("u.txt"), {"Ω = 1", "é"}));
  EXPECT_EQ(bytesOf("u.txt"), "\xCE\xA9 = 1\r\n\xC3\xA9\r\n");  // no BOM, whole file UTF-8
  Lines lines;
  ASSERT_TRUE(readLines(path("u.txt"), &lines));
  EXPECT_EQ(lines, (Lines{"Ω = 1", "é"}));
}

TEST_F(TextFileTest, EncodeLinesEndsEveryLine) {
  EXPECT_EQ(platform::encodeLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(platform::encodeLines({}), "");
  // Long runs of ASCII around accents at every offset of a word, and a character
  // Windows-1252 lacks in a later line making the whole text UTF-8.
  const struct {
    Lines lines;
    std::string bytes;
  } cases[] = {
      {{"paroi épaisse; guttulée", "0123456789abcdef"},
       "paroi \xE9paisse; guttul\xE9" "e\r\n0123456789abcdef\r\n"},
      {{"1234567é", "12345678é€"}, "1234567\xE9\r\n12345678\xE9\x80\r\n"},
      {{"N°; Long.; Larg.; Q; V; img; comment; ", "12345678 Ω"},
       "N\xC2\xB0; Long.; Larg.; Q; V; img; comment; \r\n12345678 \xCE\xA9\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::encodeLines(c.lines), c.bytes) << c.lines[0];
}

TEST_F(TextFileTest, AtomicSaveReplacesWholeFile) {
  put("f.txt", "a long old content\r\n");
  ASSERT_TRUE(saveFileAtomic(path("f.txt"), "new"));
  EXPECT_EQ(bytesOf("f.txt"), "new");
  int entries = 0;
  for (const auto& e : fs::directory_iterator(dir_)) entries += e.is_regular_file() ? 1 : 0;
  EXPECT_EQ(entries, 1);  // no temporary left behind
}

TEST_F(TextFileTest, SaveIntoMissingFolderFails) {
  std::string error;
  const std::string target = path("absent/f.txt");
  EXPECT_FALSE(saveFileAtomic(target, "x", &error));
  EXPECT_EQ(error, "Impossible d'enregistrer le fichier " + target + " : impossible de créer un fichier dans le dossier " +
                       path("absent") + " : le dossier n'existe pas");
  EXPECT_FALSE(platform::fileExists(target));
}

// A file whose write bits are all off is read-only: no save, no append and no copy
// replaces it, root included, and the message names it and says why. One write bit
// is enough for it to be replaced, keeping its mode.
TEST_F(TextFileTest, AReadOnlyFileIsNeverReplaced) {
  const struct {
    mode_t mode;
    bool replaced;
  } cases[] = {{0444, false}, {0400, false}, {0000, false}, {0555, false}, {0200, true}, {0644, true}, {0464, true}};
  put("source.txt", "copie");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    put("f.txt", "ancien\r\n");
    ASSERT_EQ(chmod(path("f.txt").c_str(), c.mode), 0);
    const std::string refused = "Impossible d'enregistrer le fichier " + path("f.txt") + " : le fichier est en lecture seule";
    std::string error;
    EXPECT_EQ(saveFileAtomic(path("f.txt"), "nouveau", &error), c.replaced);
    EXPECT_EQ(error, c.replaced ? "" : refused);
    error.clear();
    // An append writes the old lines again with the new ones: a file the running user
    // may write but not read (only root reads every file) is refused for that.
    const bool readable = geteuid() == 0 || (c.mode & S_IRUSR) != 0;
    const std::string unreadable = "Impossible d'ouvrir le fichier " + path("f.txt") + " : permission refusée";
    EXPECT_EQ(platform::appendLines(path("f.txt"), {"suite"}, &error), c.replaced && readable);
    EXPECT_EQ(error, !c.replaced ? refused : readable ? "" : unreadable);
    error.clear();
    EXPECT_EQ(platform::copyFile(path("source.txt"), path("f.txt"), &error), c.replaced);
    EXPECT_EQ(error, c.replaced ? "" : refused);
    ASSERT_EQ(chmod(path("f.txt").c_str(), 0600), 0);
    EXPECT_EQ(bytesOf("f.txt"), c.replaced ? "copie" : "ancien\r\n");
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dir_)) entries += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(entries, 2);
  }
  // Through a symbolic link, the mode of the file it points to decides.
  put("f.txt", "ancien");
  ASSERT_EQ(chmod(path("f.txt").c_str(), 0444), 0);
  fs::create_symlink(path("f.txt"), path("lien.txt"));
  std::string error;
  EXPECT_FALSE(saveFileAtomic(path("lien.txt"), "nouveau", &error));
  EXPECT_EQ(error, "Impossible d'enregistrer le fichier " + path("lien.txt") + " : le fichier est en lecture seule");
  EXPECT_TRUE(fs::is_symlink(path("lien.txt")));
  ASSERT_EQ(chmod(path("f.txt").c_str(), 0600), 0);
  EXPECT_EQ(bytesOf("f.txt"), "ancien");
}

// A file its user may write but not read is not appended to (an append writes the old
// lines again) and the message says why; a save still replaces it, keeping its mode. A
// file that may be neither read nor written is said to be read-only, as a save says. As
// the ordinary user, who owns the folder and the file.
TEST_F(TextFileTest, AFileThatCannotBeReadIsNotAppendedTo) {
  put("f.txt", "ancien\r\n");
  if (geteuid() == 0) {
    ASSERT_EQ(chown(dir_.c_str(), test_support::kOrdinaryUid, test_support::kOrdinaryGid), 0);
    ASSERT_EQ(chown(path("f.txt").c_str(), test_support::kOrdinaryUid, test_support::kOrdinaryGid), 0);
  }
  ASSERT_EQ(chmod(path("f.txt").c_str(), 0200), 0);
  std::string appendError, saveError, lockedError;
  bool appended = true, saved = false, lockedAppended = true;
  struct stat st {};
  {
    const test_support::OrdinaryUserScope asUser;
    ASSERT_TRUE(asUser.active());
    appended = platform::appendLines(path("f.txt"), {"suite"}, &appendError);
    ASSERT_EQ(bytesOf("f.txt"), "");   // nor can this test read it now
    saved = saveFileAtomic(path("f.txt"), "nouveau", &saveError);
    ASSERT_EQ(::stat(path("f.txt").c_str(), &st), 0);
    ASSERT_EQ(chmod(path("f.txt").c_str(), 0000), 0);
    lockedAppended = platform::appendLines(path("f.txt"), {"suite"}, &lockedError);
  }
  EXPECT_FALSE(appended);
  EXPECT_EQ(appendError, "Impossible d'ouvrir le fichier " + path("f.txt") + " : permission refusée");
  EXPECT_TRUE(saved) << saveError;
  EXPECT_EQ(st.st_mode & 07777, 0200u);
  EXPECT_FALSE(lockedAppended);
  EXPECT_EQ(lockedError, "Impossible d'enregistrer le fichier " + path("f.txt") + " : le fichier est en lecture seule");
  ASSERT_EQ(chmod(path("f.txt").c_str(), 0600), 0);
  EXPECT_EQ(bytesOf("f.txt"), "nouveau");
}

// The causes a user meets are said in French; the others keep the system's text.
TEST(SystemCause, CausesAUserMeetsAreInFrench) {
  const struct {
    int code;
    const char* cause;
  } cases[] = {
      {ENOSPC, "le disque est plein"},
      {EDQUOT, "le disque est plein"},
      {EFBIG, "le fichier est trop grand"},
      {EROFS, "le disque est en lecture seule"},
      {EACCES, "permission refusée"},
      {EPERM, "permission refusée"},
      {ENOENT, "fichier ou dossier introuvable"},
      {ENOTDIR, "un élément du chemin n'est pas un dossier"},
      {EISDIR, "c'est un dossier"},
      {ENAMETOOLONG, "le nom est trop long"},
      {EIO, "erreur de lecture ou d'écriture sur le disque"},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::systemCause(c.code), c.cause) << c.code;
  EXPECT_EQ(platform::systemCause(EXDEV), std::strerror(EXDEV));
}

// Result codes of the save attempted by the child process.
enum SaveOutcome { kRefusedWithPath = 0, kSaved = 1, kMessageLacksPath = 2 };

int trySave(const std::string& target) {
  std::string error;
  if (saveFileAtomic(target, "new content\r\n", &error)) return kSaved;
  return error.find(target) != std::string::npos ? kRefusedWithPath : kMessageLacksPath;
}

TEST_F(TextFileTest, SaveIntoReadOnlyFolderLeavesOldFile) {
  const std::string folder = path("ro");
  ASSERT_TRUE(platform::makeFolder(folder));
  const std::string target = folder + "/keep.txt";
  ASSERT_TRUE(saveFileAtomic(target, "old\r\n"));
  // The file itself is writable by anyone: only the folder refuses the save.
  ASSERT_EQ(chmod(target.c_str(), 0666), 0);
  ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
  ASSERT_EQ(chmod(dir_.c_str(), 0755), 0);
  // Root ignores permission bits: the save is made as an ordinary user.
  const int outcome = test_support::asOrdinaryUser([&] { return trySave(target); });
  EXPECT_EQ(outcome, kRefusedWithPath);
  std::string bytes;
  ASSERT_TRUE(readBytes(target, &bytes));
  EXPECT_EQ(bytes, "old\r\n");
  int entries = 0;
  for (const auto& e : fs::directory_iterator(folder)) entries += e.is_regular_file() ? 1 : 0;
  EXPECT_EQ(entries, 1);
}

// A save that the disk cannot hold (here a file-size limit, as a full disk would) fails
// with the system's cause and leaves the old file byte for byte, with no temporary.
// The sizes span a save smaller than a write buffer and one far larger.
TEST_F(TextFileTest, SaveBeyondTheDiskLimitKeepsTheOldFile) {
  const struct {
    rlim_t limit;
    std::size_t size;
  } cases[] = {{0, 10}, {1000, 10000}, {4096, 100000}, {100000, 2000000}};
  const std::string old = "UTILISATEUR =ancien\r\n" + std::string(300, 'x');
  for (const auto& c : cases) {
    put("keep.dat", old);
    std::string error;
    bool saved = true;
    {
      test_support::FileSizeLimit limit(c.limit);
      ASSERT_TRUE(limit.active());
      saved = saveFileAtomic(path("keep.dat"), std::string(c.size, 'n'), &error);
    }
    EXPECT_FALSE(saved) << c.size;
    EXPECT_EQ(error, "Impossible d'enregistrer le fichier " + path("keep.dat") + " : " +
                         test_support::FileSizeLimit::cause());
    EXPECT_EQ(error.find("Unknown error"), std::string::npos);
    EXPECT_EQ(bytesOf("keep.dat"), old) << c.size;
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dir_)) entries += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(entries, 1) << c.size;
  }
  // Under the limit the same save goes through.
  test_support::FileSizeLimit limit(1000000);
  std::string error;
  EXPECT_TRUE(saveFileAtomic(path("keep.dat"), std::string(10000, 'n'), &error)) << error;
  EXPECT_EQ(bytesOf("keep.dat"), std::string(10000, 'n'));
}

// A replaced file keeps its permissions; through a symbolic link the file it points
// to is replaced and the link stays.
TEST_F(TextFileTest, SaveKeepsPermissionsAndLinks) {
  put("mode.txt", "old");
  ASSERT_EQ(chmod(path("mode.txt").c_str(), 0640), 0);
  ASSERT_TRUE(saveFileAtomic(path("mode.txt"), "new"));
  struct stat st {};
  ASSERT_EQ(stat(path("mode.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  fs::create_symlink(path("mode.txt"), path("link.txt"));
  ASSERT_TRUE(saveFileAtomic(path("link.txt"), "through the link"));
  EXPECT_TRUE(fs::is_symlink(path("link.txt")));
  EXPECT_EQ(bytesOf("mode.txt"), "through the link");
}

TEST_F(TextFileTest, SaveOverAFolderFails) {
  ASSERT_TRUE(platform::makeFolder(path("sub")));
  std::string error;
  EXPECT_FALSE(saveFileAtomic(path("sub"), "x", &error));
  EXPECT_NE(error.find(path("sub")), std::string::npos);
  EXPECT_TRUE(platform::folderExists(path("sub")));
}

TEST_F(TextFileTest, ReadingMissingFileReportsPath) {
  Lines lines{"kept"};
  std::string error;
  EXPECT_FALSE(readLines(path("none.txt"), &lines, &error));
  EXPECT_NE(error.find(path("none.txt")), std::string::npos);
  EXPECT_EQ(lines, (Lines{"kept"}));
  EXPECT_FALSE(readBytes(dir_, nullptr, &error));  // a folder is not a file
}

TEST_F(TextFileTest, AppendKeepsOneEncoding) {
  ASSERT_TRUE(platform::appendLines(path("log.txt"), {"é"}));
  ASSERT_TRUE(platform::appendLines(path("log.txt"), {"b"}));
  EXPECT_EQ(bytesOf("log.txt"), "\xE9\r\nb\r\n");
  // A line that needs UTF-8 turns the whole file into UTF-8.
  ASSERT_TRUE(platform::appendLines(path("log.txt"), {"Ω"}));
  EXPECT_EQ(bytesOf("log.txt"), "\xC3\xA9\r\nb\r\n\xCE\xA9\r\n");
  // Once UTF-8, later lines stay UTF-8 even when Windows-1252 could hold them.
  ASSERT_TRUE(platform::appendLines(path("log.txt"), {"è"}));
  EXPECT_EQ(bytesOf("log.txt"), "\xC3\xA9\r\nb\r\n\xCE\xA9\r\n\xC3\xA8\r\n");
  Lines lines;
  ASSERT_TRUE(readLines(path("log.txt"), &lines));
  EXPECT_EQ(lines, (Lines{"é", "b", "Ω", "è"}));
}

TEST_F(TextFileTest, Utf16FilesReadAndAppendInOneEncoding) {
  put("u16.txt", std::string("\xFF\xFE" "\xE9\0t\0\xE9\0\r\0\n\0", 12));
  Lines lines;
  ASSERT_TRUE(readLines(path("u16.txt"), &lines));
  EXPECT_EQ(lines, (Lines{"été"}));
  // Lines added to a UTF-16 file turn it into the program's own encoding.
  ASSERT_TRUE(platform::appendLines(path("u16.txt"), {"hiver"}));
  EXPECT_EQ(bytesOf("u16.txt"), "\xE9t\xE9\r\nhiver\r\n");
}

// A UTF-16 file without its mark reads as text, and lines appended to it do not mix
// two encodings.
TEST_F(TextFileTest, Utf16WithoutItsMarkOnDisk) {
  put("u16.txt", std::string("L\0=\0" "1\0\r\0\n\0\xE9\0t\0\xE9\0\r\0\n\0", 20));
  Lines lines;
  ASSERT_TRUE(readLines(path("u16.txt"), &lines));
  EXPECT_EQ(lines, (Lines{"L=1", "été"}));
  ASSERT_TRUE(platform::appendLines(path("u16.txt"), {"hiver"}));
  EXPECT_EQ(bytesOf("u16.txt"), "L=1\r\n\xE9t\xE9\r\nhiver\r\n");
}

// A named pipe and a device are refused at once with the reason; the pipe is never
// opened, so nothing waits for a writer.
TEST_F(TextFileTest, OnlyRegularFilesAreRead) {
  test_support::WatchedPipe pipe(path("tube"));
  ASSERT_TRUE(pipe.made());
  for (const std::string& p : {pipe.path(), std::string("/dev/null")}) {
    SCOPED_TRACE(p);
    std::string bytes = "kept", error;
    EXPECT_FALSE(readBytes(p, &bytes, &error));
    EXPECT_EQ(bytes, "kept");
    EXPECT_EQ(error, "Impossible de lire le fichier " + p + " : ce n'est pas un fichier ordinaire");
    Lines lines;
    EXPECT_FALSE(readLines(p, &lines));
  }
  EXPECT_FALSE(pipe.opened());
  EXPECT_FALSE(platform::fileExists(pipe.path()));
}

TEST_F(TextFileTest, ExistenceAndFolders) {
  put("f.txt", "x");
  EXPECT_TRUE(platform::fileExists(path("f.txt")));
  EXPECT_FALSE(platform::fileExists(dir_));
  EXPECT_TRUE(platform::folderExists(dir_));
  EXPECT_FALSE(platform::folderExists(path("f.txt")));
  EXPECT_FALSE(platform::fileExists(""));
  EXPECT_TRUE(platform::fileExists(dir_ + "\\f.txt"));  // "\" read as a separator
  ASSERT_TRUE(platform::makeFolder(path("a/b/c")));
  EXPECT_TRUE(platform::folderExists(path("a/b/c")));
  EXPECT_FALSE(platform::removeFile(path("a")));  // folders are not removed
  EXPECT_TRUE(platform::folderExists(path("a")));
  EXPECT_TRUE(platform::removeFile(path("f.txt")));
  EXPECT_FALSE(platform::fileExists(path("f.txt")));
  EXPECT_FALSE(platform::removeFile(path("f.txt")));
}

TEST_F(TextFileTest, CopyFileCopiesBytes) {
  put("src.bin", std::string("\x00\x01\xFF\r\n", 5));
  put("dst.bin", "old longer content");
  ASSERT_TRUE(platform::copyFile(path("src.bin"), path("dst.bin")));
  EXPECT_EQ(bytesOf("dst.bin"), std::string("\x00\x01\xFF\r\n", 5));
  std::string error;
  EXPECT_FALSE(platform::copyFile(path("none"), path("dst2.bin"), &error));
  EXPECT_NE(error.find(path("none")), std::string::npos);
  EXPECT_FALSE(platform::fileExists(path("dst2.bin")));
}

TEST_F(TextFileTest, FindFileIgnoringCase) {
  put("Qvrl2_De.lng", "x");
  EXPECT_EQ(platform::findFileNoCase(dir_, "qvrl2_de.lng"), path("Qvrl2_De.lng"));
  EXPECT_EQ(platform::findFileNoCase(dir_ + "/", "QVRL2_DE.LNG"), path("Qvrl2_De.lng"));
  EXPECT_EQ(platform::findFileNoCase(dir_, "Qvrl2_fr.lng"), "");
  EXPECT_EQ(platform::findFileNoCase(dir_, ""), "");
  EXPECT_EQ(platform::findFileNoCase(path("absent"), "x"), "");
  put("été.TXT", "x");
  EXPECT_EQ(platform::findFileNoCase(dir_, "ÉTÉ.txt"), path("été.TXT"));
}

TEST_F(TextFileTest, FindFileExactMatchWins) {
  put("a.txt", "1");
  put("A.txt", "2");
  EXPECT_EQ(platform::findFileNoCase(dir_, "A.txt"), path("A.txt"));
  EXPECT_EQ(platform::findFileNoCase(dir_, "a.txt"), path("a.txt"));
}

TEST_F(TextFileTest, ListFilesWithPatternSortedIgnoringCase) {
  for (const char* name : {"b.cal", "A.cal", "c.CAL", "d.txt", "ab.txt", ".hidden.cal"}) put(name, "x");
  ASSERT_TRUE(platform::makeFolder(path("e.cal")));
  ASSERT_TRUE(platform::makeFolder(path("Z")));
  EXPECT_EQ(platform::listFiles(dir_, "*.cal"), (Lines{"A.cal", "b.cal", "c.CAL"}));
  EXPECT_EQ(platform::listFiles(dir_), (Lines{"A.cal", "ab.txt", "b.cal", "c.CAL", "d.txt"}));
  EXPECT_EQ(platform::listFiles(dir_, "*.*"), (Lines{"A.cal", "ab.txt", "b.cal", "c.CAL", "d.txt"}));
  EXPECT_EQ(platform::listFiles(dir_, "?.txt"), (Lines{"d.txt"}));
  EXPECT_EQ(platform::listFiles(dir_, "a*"), (Lines{"A.cal", "ab.txt"}));
  EXPECT_EQ(platform::listFiles(dir_, "*.CAL;d*"), (Lines{"A.cal", "b.cal", "c.CAL", "d.txt"}));
  EXPECT_EQ(platform::listFiles(dir_, "*.bmp"), (Lines{}));
  EXPECT_EQ(platform::listFiles(path("absent"), "*"), (Lines{}));
  EXPECT_EQ(platform::listFolders(dir_), (Lines{"e.cal", "Z"}));
}

TEST(NormalizePath, BackslashesBecomeSlashes) {
  EXPECT_EQ(platform::normalizePath("C:\\Data\\img/x.bmp"), "C:/Data/img/x.bmp");
  EXPECT_EQ(platform::normalizePath(""), "");
}

}  // namespace

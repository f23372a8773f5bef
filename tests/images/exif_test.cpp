// The EXIF reader over the files of tests/data/exif (written by make_fixtures.py
// there): values by type in both byte orders, hostile files, and seeded damage.
#include "images/exif.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "images/exif_fixture.h"

namespace {

using exif_test::dataPath;
using exif_test::readAll;

// Text of a tag, with "<empty>" for an empty value so that "" texts stay apart.
std::string tagText(clsExif& x, std::int64_t tag) {
  const ValeurExif v = x.Tag(tag);
  if (std::holds_alternative<std::monostate>(v)) return "<empty>";
  return Texte_Valeur(v);
}

struct TagCase {
  std::int64_t tag;
  const char* intel;
  const char* motorola;
};

// Asks each tag of a table of the little-endian file and of its big-endian twin.
template <std::size_t N>
void expectTags(const char* intel_file, const char* motorola_file, const TagCase (&cases)[N]) {
  clsExif intel, motorola;
  intel.picFile(dataPath(intel_file));
  motorola.Load(dataPath(motorola_file));
  for (const TagCase& c : cases) {
    EXPECT_EQ(tagText(intel, c.tag), c.intel) << intel_file << " " << c.tag;
    EXPECT_EQ(tagText(motorola, c.tag), c.motorola) << motorola_file << " " << c.tag;
  }
}

// The camera file: make at the data, model inline with its NUL, resolutions of IFD0
// before IFD1's, SHORT bytes at the data, an inline BYTE pair, a negative SRATIONAL
// before the focal length, a SHORT pair summed.
const TagCase kCamera[] = {
    {271, "Lumo", "Lumo"},         {272, "S9", "S9"},
    {274, "6", "6"},               {282, "300/1", "300/1"},
    {258, "808", "080"},           {41729, "02020000", "02020000"},
    {37380, "-2/3", "-2/3"},       {37386, "45/10", "45/10"},
    {36864, "0221", "0221"},       {37396, "150", "150"},
    {34665, "232", "232"},         {259, "6", "6"},
    {0, "21", "21"},               {270, "<empty>", "<empty>"},
    {-1, "<empty>", "<empty>"},    {65536 + 271, "<empty>", "<empty>"},
};

TEST(Exif, CameraFileInBothByteOrders) {
  expectTags("intel/input.jpg", "motorola/input.jpg", kCamera);
  // Numbers stay numbers, texts texts.
  clsExif intel;
  intel.picFile(dataPath("intel/input.jpg"));
  EXPECT_TRUE(std::holds_alternative<std::int64_t>(intel.Tag(274)));
  EXPECT_TRUE(std::holds_alternative<std::string>(intel.Tag(258)));
}

// Every type and the text rules: Windows-1252, NUL dropped, CR LF as blanks, ASCII of
// count 0 empty, unknown types empty but counted, signed types signed.
const TagCase kValues[] = {
    {270, "Spores  asques", "Spores  asques"},
    {305, "Cam\xC3\xA9ra", "Cam\xC3\xA9ra"},
    {315, "AB", "AB"},
    {33432, "<empty>", "<empty>"},
    {37510, "a ", "a "},
    {37500, "   ", "   "},
    {34858, "-3", "-3"},
    {34859, "-5", "-5"},
    {37389, "-12-1281270", "-12-1281270"},
    {37393, "4294967295", "4294967295"},
    {37394, "<empty>", "<empty>"},
    {37395, "<empty>", "<empty>"},
    {33421, "102", "010"},
    {33423, "7/2", "7/2"},
    {34856, "5/-3", "5/-3"},
    {34852, "12325010", "12325010"},
    {34857, "131070", "131070"},
    {0, "18", "18"},
};

TEST(Exif, ValuesByType) { expectTags("hostile/values.jpg", "hostile/values_motorola.jpg", kValues); }

// Each hostile file: read or not, its entry count, then tags and their answers as
// "tag=value|tag=value" ("<empty>" for an empty value).
struct HostileCase {
  const char* file;
  bool charge;
  int entries;
  const char* answers;
};

const HostileCase kHostile[] = {
    {"ifd1_links_to_ifd0", true, 4, "305=v1|271=Lumo"},
    {"ifd0_links_to_itself", true, 3, "305=v1"},
    {"exif_ifd_is_ifd0", true, 3, "271=Lumo"},
    {"exif_ifd_link_not_followed", true, 3, "315=<empty>"},
    {"count_65535", true, 8, "272=S9|274=6"},
    {"entries_over_4096", true, 4096, "49157=5|272=S9"},
    {"ifd_chain_70", true, 64, "37386=45/10|49470=62|49471=<empty>"},
    {"offsets_past_end", true, 5, "34665=16777215|272=S9|271=<empty>|282=<empty>|258=<empty>"},
    {"segment_past_end", true, 21, "37386=45/10"},
    {"truncated", true, 5, "272=S9|257=8|271=<empty>"},
    {"xmp_first", true, 21, "271=Lumo"},
    {"ff_e1_in_comment", true, 21, "271=Lumo"},
    {"ff_e1_in_table", true, 21, "271=Lumo"},
    {"fill_bytes_and_restart", true, 21, "271=Lumo"},
    {"exif_header_only", true, 0, ""},
    {"exif_after_image_data", false, 0, "271=<empty>"},
    {"no_exif", false, 0, "271=<empty>"},
    {"not_jpeg", false, 0, "271=<empty>"},
    {"empty", false, 0, "271=<empty>"},
};

TEST(Exif, HostileFiles) {
  for (const HostileCase& c : kHostile) {
    SCOPED_TRACE(c.file);
    const std::string path = dataPath(std::string("hostile/") + c.file + ".jpg");
    clsExif x;
    x.picFile(path);
    EXPECT_EQ(tagText(x, 0), c.entries == 0 ? "<empty>" : std::to_string(c.entries));
    EXPECT_EQ(x.Charge(), c.charge);
    std::istringstream answers(c.answers);
    for (std::string a; std::getline(answers, a, '|');) {
      const std::size_t eq = a.find('=');
      EXPECT_EQ(tagText(x, std::stoll(a.substr(0, eq))), a.substr(eq + 1)) << a;
    }
    // The file read through its path and in memory give the same entries.
    clsExif memory;
    memory.Load_Octets(readAll(path));
    EXPECT_EQ(memory.Table_Tags().size(), x.Table_Tags().size());
  }
}

TEST(Exif, QuestionsAndLoading) {
  clsExif none;
  EXPECT_EQ(tagText(none, 0), "<empty>");
  none.Load();   // no path at all: nothing happens
  EXPECT_FALSE(none.Charge());

  clsExif missing;
  missing.picFile(dataPath("no-such-file.jpg"));
  EXPECT_EQ(tagText(missing, 271), "<empty>");
  EXPECT_FALSE(missing.Charge());

  // The object's own path wins over the argument.
  clsExif both;
  both.picFile(dataPath("intel/input.jpg"));
  both.Load(dataPath("hostile/no_exif.jpg"));
  EXPECT_EQ(tagText(both, 272), "S9");
}

TEST(Exif, FileWithoutExifIsReadAgainAtEachQuestion) {
  const std::string path = (std::filesystem::temp_directory_path() / "qv_exif_reload.jpg").string();
  std::filesystem::copy_file(dataPath("hostile/no_exif.jpg"), path,
                             std::filesystem::copy_options::overwrite_existing);
  clsExif x;
  x.picFile(path);
  EXPECT_EQ(tagText(x, 271), "<empty>");
  std::filesystem::copy_file(dataPath("intel/input.jpg"), path,
                             std::filesystem::copy_options::overwrite_existing);
  EXPECT_EQ(tagText(x, 271), "Lumo");
  // Once read, the entries stay: the file is not read again.
  std::filesystem::copy_file(dataPath("hostile/values.jpg"), path,
                             std::filesystem::copy_options::overwrite_existing);
  EXPECT_EQ(tagText(x, 271), "Lumo");
  std::filesystem::remove(path);
}

// 10,000 damaged copies of the fixtures: cut short, or with up to 8 bytes changed.
// None may crash, hang or read more than 4,096 entries, and no text value may hold
// a line break.
TEST(Exif, SeededDamage) {
  std::vector<std::string> seeds;
  for (const char* f : {"intel/input.jpg", "motorola/input.jpg", "hostile/values.jpg",
                        "hostile/ifd_chain_70.jpg", "hostile/xmp_first.jpg"}) {
    seeds.push_back(readAll(dataPath(f)));
    ASSERT_FALSE(seeds.back().empty()) << f;
  }
  std::mt19937 rng(19);
  std::size_t charged = 0;
  for (int round = 0; round < 10000; ++round) {
    std::string bytes = seeds[static_cast<std::size_t>(round) % seeds.size()];
    if (round % 2 == 0) {
      bytes.resize(rng() % bytes.size());
    } else {
      const int flips = 1 + static_cast<int>(rng() % 8);
      for (int k = 0; k < flips; ++k) bytes[rng() % bytes.size()] = static_cast<char>(rng());
    }
    clsExif x;
    x.Load_Octets(bytes);
    ASSERT_LE(x.Table_Tags().size(), static_cast<std::size_t>(kExifMaxEntrees));
    charged += x.Charge() ? 1 : 0;
    for (const Entree_Tag& e : x.Table_Tags()) {
      const std::string v = Texte_Valeur(x.Valeur_Entree(e));
      ASSERT_EQ(v.find_first_of("\r\n"), std::string::npos) << "round " << round;
    }
  }
  EXPECT_GT(charged, 1000u);   // the damage leaves many files readable
}

}  // namespace

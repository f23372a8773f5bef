// The EXIF listing and the camera reference, against the files of tests/data/exif.
#include "images/exif_listing.h"

#include <gtest/gtest.h>

#include "images/exif_fixture.h"
#include "images/image_state.h"

namespace {

using exif_test::dataPath;
using exif_test::readAll;

TEST(ExifListing, NamePadding) {
  const struct {
    const char* name;
    int blanks;
  } cases[] = {{"Make", 4}, {"Orientation", 5}, {"ResolutionUnit", 2}, {"Flash", 3},
               {"OECF", 4}, {"Model", 3}, {"SpatialFrequencyResponse2", 3}};
  for (const auto& c : cases) {
    EXPECT_EQ(Nom_Ligne_Exif(c.name), std::string(10, ' ') + c.name + std::string(c.blanks, ' '))
        << c.name;
  }
}

// The listing byte for byte, in both byte orders.
TEST(ExifListing, CameraListingGolden) {
  for (const char* dir : {"intel", "motorola"}) {
    EXPECT_EQ(Liste_Exif_Fichier(dataPath(std::string(dir) + "/input.jpg")),
              readAll(dataPath(std::string(dir) + "/listing.txt")))
        << dir;
  }
}

TEST(ExifListing, LinesOfTextValues) {
  clsExif x;
  x.Load(dataPath("hostile/values.jpg"));
  // A CR LF inside a value became blanks; a value of blanks leaves no line.
  EXPECT_EQ(Ligne_Exif(x, "D", 270), "D = Spores  asques\r\n");
  EXPECT_EQ(Ligne_Exif(x, "U", 37510), "U = a \r\n");   // not trimmed
  EXPECT_EQ(Ligne_Exif(x, "M", 37500), "");
  EXPECT_EQ(Ligne_Exif(x, "R", 4096), "");
  EXPECT_EQ(Ligne_Exif(x, "C", 33432), "");
  const std::string listing = Liste_Exif(x);
  EXPECT_EQ(listing.find("MakerNote"), std::string::npos);
  EXPECT_NE(listing.find("          TimeZoneOffset   = -3\r\n"), std::string::npos);
}

TEST(ExifListing, NoExifGivesNoText) {
  for (const char* f : {"hostile/no_exif.jpg", "hostile/exif_header_only.jpg", "no-such-file.jpg"}) {
    EXPECT_EQ(Liste_Exif_Fichier(dataPath(f)), "") << f;
  }
}

TEST(ExifListing, CameraReference) {
  const struct {
    const char* file;
    std::array<std::string, 6> ref;
  } cases[] = {
      {"intel/input.jpg", {"", "Lumo\\S9", "4000/3", "4000/3", "45/10", "150"}},
      {"motorola/input.jpg", {"", "Lumo\\S9", "4000/3", "4000/3", "45/10", "150"}},
      {"hostile/truncated.jpg", {"", "\\S9", "", "", "", ""}},
      {"hostile/no_exif.jpg", {"", "\\", "", "", "", ""}},
  };
  for (const auto& c : cases) {
    clsExif x;
    x.Load(dataPath(c.file));
    EXPECT_EQ(Ref_Appareil_Textes(x), c.ref) << c.file;
  }
}

TEST(ExifListing, RefAppareilFillsEntriesOneToFive) {
  const auto saved = Ref_APN;
  Ref_APN(0) = "kept";
  Ref_Appareil(dataPath("intel/input.jpg"));
  EXPECT_EQ(Ref_APN(0), "kept");
  EXPECT_EQ(Ref_APN(1), "Lumo\\S9");
  EXPECT_EQ(Ref_APN(5), "150");
  Ref_Appareil(dataPath("no-such-file.jpg"));
  EXPECT_EQ(Ref_APN(1), "\\");
  EXPECT_EQ(Ref_APN(4), "");
  Ref_APN = saved;
}

}  // namespace

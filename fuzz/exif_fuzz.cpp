// libFuzzer entry for the EXIF reader: any bytes taken as a whole file, then the
// listing and the camera reference computed from it; the same bytes read from a file
// (as a picture's EXIF is read) give the same entries.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "images/exif.h"
#include "fuzz_support.h"
#include "images/exif_listing.h"

namespace {

// A text shown on one line: no CR or LF.
void checkOneLine(const std::string& s) {
  if (s.find_first_of("\r\n") != std::string::npos) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  clsExif x;
  x.Load_Octets(std::string_view(reinterpret_cast<const char*>(data), size));
  if (x.Table_Tags().size() > static_cast<std::size_t>(kExifMaxEntrees)) __builtin_trap();
  if (!x.Charge() && !x.Table_Tags().empty()) __builtin_trap();
  // Every value of the first entries (a listing asks at most 112 tags).
  std::size_t asked = 0;
  for (const Entree_Tag& e : x.Table_Tags()) {
    if (++asked > 50) break;
    checkOneLine(Texte_Valeur(x.Valeur_Entree(e)));
  }
  // Each listing line ends with its own CR LF and holds no other.
  const std::string listing = Liste_Exif(x);
  std::size_t start = 0;
  while (start < listing.size()) {
    const std::size_t end = listing.find("\r\n", start);
    if (end == std::string::npos) __builtin_trap();
    checkOneLine(listing.substr(start, end - start));
    start = end + 2;
  }
  for (const std::string& item : Ref_Appareil_Textes(x)) checkOneLine(item);

  fuzz::Start(false);
  clsExif fichier;
  fichier.Load(fuzz::WriteInput("input.jpg", data, size));
  if (fichier.Charge() != x.Charge() || fichier.Table_Tags().size() != x.Table_Tags().size()) __builtin_trap();
  return 0;
}

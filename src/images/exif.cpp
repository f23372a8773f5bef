// The EXIF reader: segment walk to the Exif APP1 segment, then the IFD walk over its
// TIFF block (EXIF 2.2, JEITA CP-3451, and TIFF 6.0). Values are decoded when asked.
#include "images/exif.h"

#include <algorithm>
#include <charconv>
#include <fstream>

#include "platform/textfile.h"

namespace {

// Bytes of one value of a TIFF type (1 to 10); 0 for an unknown type.
int Taille_Type(std::uint32_t type) {
  switch (type) {
    case 1: case 2: case 6: case 7: return 1;
    case 3: case 8: return 2;
    case 4: case 9: return 4;
    case 5: case 10: return 8;
    default: return 0;
  }
}

bool Est_Rationnel(std::uint32_t type) { return type == 5 || type == 10; }

// True when the value of an entry lies in its last four bytes.
bool Est_En_Ligne(std::uint32_t type, std::uint32_t nombre) {
  return !Est_Rationnel(type) && static_cast<std::uint64_t>(nombre) * Taille_Type(type) <= 4;
}

// Windows-1252 text of raw bytes: NUL bytes dropped, CR and LF as blanks, so that a
// value never breaks a line.
std::string Texte_1252(std::string_view octets) {
  std::string s;
  s.reserve(octets.size());
  for (char c : octets) {
    if (c == '\0') continue;
    s.push_back(c == '\r' || c == '\n' ? ' ' : c);
  }
  return platform::decodeWindows1252(s);
}

std::string Hex2(unsigned char b) {
  static const char chiffres[] = "0123456789ABCDEF";
  return {chiffres[b >> 4], chiffres[b & 0x0F]};
}

}  // namespace

std::string Texte_Valeur(const ValeurExif& v) {
  if (const auto* n = std::get_if<std::int64_t>(&v)) return std::to_string(*n);
  if (const auto* s = std::get_if<std::string>(&v)) return *s;
  return "";
}

bool Bloc_TIFF_Exif(const LectureFichier& lire, std::string* bloc) {
  unsigned char m[4];
  auto lit = [&lire, &m](std::uint64_t pos, std::size_t n) {
    return lire(pos, n, reinterpret_cast<char*>(m)) == n;
  };
  if (!lit(0, 2) || m[0] != 0xFF || m[1] != 0xD8) return false;
  std::uint64_t pos = 2;
  for (;;) {
    if (!lit(pos, 2) || m[0] != 0xFF) return false;
    const unsigned marqueur = m[1];
    if (marqueur == 0xFF) {   // fill byte before a marker
      ++pos;
      continue;
    }
    if (marqueur == 0xD9 || marqueur == 0xDA || marqueur == 0x00) return false;
    if (marqueur == 0x01 || (marqueur >= 0xD0 && marqueur <= 0xD8)) {   // no length
      pos += 2;
      continue;
    }
    if (!lit(pos + 2, 2)) return false;
    const std::uint32_t longueur = (static_cast<std::uint32_t>(m[0]) << 8) | m[1];
    if (longueur < 2) return false;
    if (marqueur == 0xE1 && longueur >= 6 && lit(pos + 4, 4) && std::equal(m, m + 4, "Exif")) {
      // The TIFF block follows "Exif" and its two pad bytes.
      const std::size_t taille = longueur >= 8 ? longueur - 8 : 0;
      bloc->assign(taille, '\0');
      bloc->resize(taille == 0 ? 0 : lire(pos + 10, taille, bloc->data()));
      return true;
    }
    pos += 2 + static_cast<std::uint64_t>(longueur);
  }
}

bool clsExif::U16(std::uint64_t pos, std::uint32_t* v) const {
  if (!Dans_Bloc(pos, 2)) return false;
  const auto a = static_cast<unsigned char>(Tiff_[pos]);
  const auto b = static_cast<unsigned char>(Tiff_[pos + 1]);
  *v = Intel_ ? (b << 8 | a) : (a << 8 | b);
  return true;
}

bool clsExif::U32(std::uint64_t pos, std::uint32_t* v) const {
  std::uint32_t a = 0, b = 0;
  if (!U16(pos, &a) || !U16(pos + 2, &b)) return false;
  *v = Intel_ ? (b << 16 | a) : (a << 16 | b);
  return true;
}

ValeurExif clsExif::Valeur_Entree(const Entree_Tag& e) const {
  const int taille = Taille_Type(e.TypeTag);
  if (taille == 0) return {};
  const bool signe = e.TypeTag >= 6;
  if (Est_En_Ligne(e.TypeTag, e.Nombre)) {
    const std::uint64_t v = e.Pos + 8;   // the entry is whole inside the block
    std::uint32_t a = 0, b = 0;
    switch (e.TypeTag) {
      case 1: case 6: {   // the four bytes in hexadecimal, whatever the count
        std::string s;
        for (int k = 0; k < 4; ++k) s += Hex2(static_cast<unsigned char>(Tiff_[v + k]));
        return s;
      }
      case 2: case 7:
        if (e.Nombre == 0) return {};
        return Texte_1252(std::string_view(Tiff_).substr(v, 4));
      case 3: case 8:   // the sum of both 16-bit halves
        U16(v, &a);
        U16(v + 2, &b);
        if (signe) return std::int64_t{static_cast<std::int16_t>(a)} + static_cast<std::int16_t>(b);
        return std::int64_t{a} + b;
      default:
        U32(v, &a);
        if (signe) return std::int64_t{static_cast<std::int32_t>(a)};
        return std::int64_t{a};
    }
  }
  const std::uint64_t data = e.Decalage;
  switch (e.TypeTag) {
    case 2: case 7:   // the terminating byte is left out
      if (!Dans_Bloc(data, e.Nombre - 1u)) return {};
      return Texte_1252(std::string_view(Tiff_).substr(data, e.Nombre - 1u));
    case 5: case 10: {   // the first rational only
      std::uint32_t num = 0, den = 0;
      if (!U32(data, &num) || !U32(data + 4, &den)) return {};
      if (signe) return std::to_string(static_cast<std::int32_t>(num)) + "/" + std::to_string(static_cast<std::int32_t>(den));
      return std::to_string(num) + "/" + std::to_string(den);
    }
    default: {   // the first Nombre bytes in decimal, joined (signed only for SBYTE)
      if (!Dans_Bloc(data, e.Nombre)) return {};
      std::string s;
      s.reserve(e.Nombre * 3ull);
      char chiffres[4];
      for (std::uint64_t k = 0; k < e.Nombre; ++k) {
        const auto octet = static_cast<unsigned char>(Tiff_[data + k]);
        const int n = e.TypeTag == 6 ? static_cast<signed char>(octet) : octet;
        s.append(chiffres, std::to_chars(chiffres, chiffres + 4, n).ptr);
      }
      return s;
    }
  }
}

std::uint32_t clsExif::Lit_Entrees(std::uint32_t position, bool dans_exif) {
  std::uint32_t n = 0;
  U16(position, &n);
  for (std::uint32_t k = 0; k < n; ++k) {
    const std::uint64_t e = position + 2 + 12ull * k;
    // An IFD running past the block keeps its whole entries; its link is lost.
    if (!Dans_Bloc(e, 12) || Table_Tags_.size() >= kExifMaxEntrees) return 0;
    Entree_Tag t;
    t.Pos = static_cast<std::uint32_t>(e);
    U16(e, &t.Num);
    U16(e + 2, &t.TypeTag);
    U32(e + 4, &t.Nombre);
    if (Taille_Type(t.TypeTag) > 0 && !Est_En_Ligne(t.TypeTag, t.Nombre)) U32(e + 8, &t.Decalage);
    Table_Tags_.push_back(t);
    if (t.Num == 34665) {
      const ValeurExif v = Valeur_Entree(t);
      const auto* d = std::get_if<std::int64_t>(&v);
      Decalage_Exif_ = d != nullptr && *d > 0 && *d <= 0xFFFFFFFF ? static_cast<std::uint32_t>(*d) : 0;
    }
  }
  std::uint32_t suivant = 0;
  if (!dans_exif) U32(position + 2 + 12ull * n, &suivant);   // the Exif IFD's own link is not followed
  return suivant;
}

void clsExif::Lit_IFD(std::uint32_t ifd0) {
  std::vector<std::uint32_t> lus;
  std::uint32_t position = ifd0;
  bool dans_exif = false;
  for (;;) {
    // The chain keeps the last place for the Exif IFD.
    const std::size_t limite = dans_exif ? kExifMaxIFD : kExifMaxIFD - 1;
    std::uint32_t suivant = 0;
    if (std::find(lus.begin(), lus.end(), position) == lus.end() && lus.size() < limite &&
        Dans_Bloc(position, 2)) {
      lus.push_back(position);
      suivant = Lit_Entrees(position, dans_exif);
    }
    if (Table_Tags_.size() >= kExifMaxEntrees) return;
    if (suivant != 0) {
      position = suivant;
    } else if (!dans_exif && Decalage_Exif_ != 0) {
      dans_exif = true;
      position = Decalage_Exif_;
    } else {
      return;
    }
  }
}

void clsExif::Lit_Bloc(const LectureFichier& lire) {
  Charge_ = false;
  Table_Tags_.clear();
  Tiff_.clear();
  Decalage_Exif_ = 0;
  if (!Bloc_TIFF_Exif(lire, &Tiff_)) return;
  Intel_ = !Tiff_.empty() && static_cast<unsigned char>(Tiff_[0]) == 0x49;
  Charge_ = true;
  std::uint32_t ifd0 = 0;
  if (U32(4, &ifd0)) Lit_IFD(ifd0);
}

void clsExif::Load(const std::string& chemin) {
  if (picFile_.empty()) picFile_ = chemin;
  if (picFile_.empty()) return;
  // Only a regular file is opened: a named pipe or a device would block the read.
  std::ifstream f;
  if (platform::fileExists(picFile_)) f.open(picFile_, std::ios::binary);
  // The segment walk reads a few bytes at a time: serve it from 64 KB windows.
  std::string fenetre;
  std::uint64_t debut = 0;
  Lit_Bloc([&](std::uint64_t pos, std::size_t n, char* out) -> std::size_t {
    if (!f.is_open()) return 0;
    if (pos < debut || pos + n > debut + fenetre.size()) {
      fenetre.assign(std::max<std::size_t>(n, 65536), '\0');
      f.clear();
      f.seekg(static_cast<std::streamoff>(pos));
      if (f) f.read(fenetre.data(), static_cast<std::streamsize>(fenetre.size()));
      fenetre.resize(f.bad() ? 0 : static_cast<std::size_t>(f.gcount()));
      debut = pos;
    }
    const std::size_t lu = std::min<std::uint64_t>(n, debut + fenetre.size() - pos);
    std::copy_n(fenetre.data() + (pos - debut), lu, out);
    return lu;
  });
}

void clsExif::Load_Octets(std::string_view fichier) {
  Lit_Bloc([fichier](std::uint64_t pos, std::size_t n, char* out) -> std::size_t {
    if (pos >= fichier.size()) return 0;
    const std::size_t lu = std::min<std::uint64_t>(n, fichier.size() - pos);
    std::copy_n(fichier.data() + pos, lu, out);
    return lu;
  });
}

ValeurExif clsExif::Valeur(std::int64_t ExifTag) const {
  if (ExifTag == 0) {
    if (Table_Tags_.empty()) return {};
    return static_cast<std::int64_t>(Table_Tags_.size());
  }
  for (const Entree_Tag& e : Table_Tags_) {
    if (e.Num == ExifTag) return Valeur_Entree(e);
  }
  return {};
}

ValeurExif clsExif::Tag(std::int64_t ExifTag) {
  if (!Charge_ && !picFile_.empty()) Load();
  return Valeur(ExifTag);
}

#pragma once
// The EXIF reader of JPEG files: the entries of the first APP1 segment that begins
// "Exif", in file order, asked one tag number at a time.
//
// Layout read (EXIF 2.x and TIFF 6.0): FF D8, then segments FF xx with a 2-byte
// big-endian length that counts itself. The APP1 segment (FF E1) holds "Exif", two
// bytes, then a TIFF block: "II" (least significant byte first) or anything else
// (most significant first), the number 42, the 32-bit offset of IFD0. An IFD is a
// 16-bit entry count, 12-byte entries (tag, type, count, value or offset) and the
// 32-bit offset of the next IFD; offsets count from the start of the TIFF block.
//
// Only the file's head is read: the segments are walked up to the image data, and
// only the Exif segment is kept (at most 64 KB). Every read stays inside it. The
// walk goes IFD0, the chain of linked IFDs, then the Exif IFD (tag 34665) once; a
// link leaving the segment or leading back to an IFD already read ends the chain.
// At most kExifMaxIFD IFDs and kExifMaxEntrees entries are read.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

constexpr int kExifMaxIFD = 64;
constexpr int kExifMaxEntrees = 4096;

// Value of a tag: empty, a whole number, or a text (UTF-8).
using ValeurExif = std::variant<std::monostate, std::int64_t, std::string>;

// The text of a value: the text itself, a number in decimal, "" when empty.
std::string Texte_Valeur(const ValeurExif& v);

// One IFD entry as read.
struct Entree_Tag {
  std::uint32_t Num = 0;       // tag number, 0 to 65535
  std::uint32_t TypeTag = 0;   // TIFF data type, 1 to 10 known
  std::uint32_t Nombre = 0;    // count of values
  std::uint32_t Decalage = 0;  // offset of a value lying at the data; 0 when inline
  std::uint32_t Pos = 0;       // position of the entry in the TIFF block
};

// Reads up to n bytes at position pos of a file into out; returns how many were read
// (fewer at the end of the file, 0 past it or on an error).
using LectureFichier = std::function<std::size_t(std::uint64_t pos, std::size_t n, char* out)>;

// The TIFF block of the first APP1 segment that begins "Exif", found by walking the
// segments from FF D8 to the image data (SOS) or the end marker. A segment running
// past the end of the file gives what is there. false when the file does not start
// with FF D8, a marker is damaged, or no such segment comes before the image data.
bool Bloc_TIFF_Exif(const LectureFichier& lire, std::string* bloc);

class clsExif {
 public:
  // Sets the file path; does not read the file.
  void picFile(const std::string& chemin) { picFile_ = chemin; }
  const std::string& picFile() const { return picFile_; }

  // The value of tag ExifTag. When a path is set and nothing has been read yet, the
  // file is read first (a file without EXIF is read again at each question). Tag 0
  // answers the number of entries (empty when none); any other tag the value of the
  // first entry with that number, or empty.
  ValeurExif Tag(std::int64_t ExifTag);

  // The same answer from what has been read, without touching the file.
  ValeurExif Valeur(std::int64_t ExifTag) const;

  // Reads the file's head and its EXIF entries. When picFile is empty it takes the
  // argument; when both are empty it does nothing. A missing file or one without an
  // Exif segment leaves Charge() false and no entries.
  void Load(const std::string& chemin = "");

  // The same over the bytes of a whole file (or its head) held in memory.
  void Load_Octets(std::string_view fichier);

  // An Exif segment was found and its walk begun (even when it stopped early).
  bool Charge() const { return Charge_; }
  // Every entry read, in reading order.
  const std::vector<Entree_Tag>& Table_Tags() const { return Table_Tags_; }
  // The value of one entry read (what Tag answers for it).
  ValeurExif Valeur_Entree(const Entree_Tag& e) const;

 private:
  void Lit_Bloc(const LectureFichier& lire);
  void Lit_IFD(std::uint32_t ifd0);
  std::uint32_t Lit_Entrees(std::uint32_t position, bool dans_exif);
  bool U16(std::uint64_t pos, std::uint32_t* v) const;
  bool U32(std::uint64_t pos, std::uint32_t* v) const;
  bool Dans_Bloc(std::uint64_t pos, std::uint64_t n) const { return pos <= Tiff_.size() && n <= Tiff_.size() - pos; }

  std::string picFile_;
  std::string Tiff_;                  // the TIFF block of the Exif segment
  bool Intel_ = false;                // least significant byte first
  std::vector<Entree_Tag> Table_Tags_;
  std::uint32_t Decalage_Exif_ = 0;   // offset of the Exif IFD; 0 when absent
  bool Charge_ = false;
};

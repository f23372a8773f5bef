#pragma once
// What the program shows of a picture's EXIF data: the listing laid over the picture
// and the camera reference kept with each image. Both read one parsed file.

#include <array>
#include <cstdint>
#include <string>

#include "images/exif.h"

// One row of the listing: the tag number and its display name.
struct LigneExif {
  std::int64_t Num;
  const char* Nom;
};

// The 112 rows in display order. Names ending in "2" repeat a number listed earlier.
extern const std::array<LigneExif, 112> Lignes_Exif;

// The name as a listing line starts: 10 blanks, the name, then blanks up to the next
// multiple of 4 characters counted from the start of the name, at least 2 ("Make"
// takes 4, "Orientation" 5, "ResolutionUnit" 2).
std::string Nom_Ligne_Exif(const std::string& nom);

// The value of one tag as text (numbers in decimal, texts as read); "" when the tag
// is absent or its value is only blanks.
std::string Tag_Exif(const clsExif& exif, std::int64_t tag);

// One listing line: the name text, " = ", the value as read (not trimmed), CR LF;
// "" when Tag_Exif gives nothing.
std::string Ligne_Exif(const clsExif& exif, const std::string& nom_texte, std::int64_t tag);

// Every line of the listing in display order; "" when the file gives none.
std::string Liste_Exif(const clsExif& exif);

// The listing of a picture file, read once; "" when it has no EXIF data or cannot be
// read.
std::string Liste_Exif_Fichier(const std::string& chemin);

// The camera reference: entry 1 make "\" model ("\" alone when both are absent),
// 2 and 3 the focal-plane X and Y resolutions, 4 the focal length, 5 the subject
// location; entry 0 stays "".
std::array<std::string, 6> Ref_Appareil_Textes(const clsExif& exif);

// Reads the picture file once and fills Ref_APN with its camera reference; a file
// without EXIF, or one that cannot be read, leaves entries 2 to 5 "" and entry 1 "\".
void Ref_Appareil(const std::string& chemin);

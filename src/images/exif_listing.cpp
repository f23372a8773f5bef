// The EXIF listing and the camera reference, computed from one parsed file.
#include "images/exif_listing.h"

#include "images/image_state.h"
#include "platform/runtime.h"

const std::array<LigneExif, 112> Lignes_Exif = {{
    {270, "ImageDescription"}, {271, "Make"}, {272, "Model"}, {274, "Orientation"},
    {282, "XResolution"}, {283, "YResolution"}, {296, "ResolutionUnit"},
    {305, "Software"}, {306, "DateTime"}, {318, "WhitePoint"},
    {319, "PrimaryChromaticities"}, {529, "YCbCrCoefficients"}, {531, "YCbCrPositioning"},
    {532, "ReferenceBlackWhite"}, {33432, "Copyright"}, {34665, "ExifOffset"},
    {33434, "ExposureTime"}, {33437, "FNumber"}, {34850, "ExposureProgram"},
    {34855, "ISOSpeedRatings"}, {36864, "ExifVersion"}, {36867, "DateTimeOriginal"},
    {36868, "DateTimeDigitized"}, {37121, "ComponentsConfiguration"},
    {37122, "CompressedBitsPerPixel"}, {37377, "ShutterSpeedValue"},
    {37378, "ApertureValue"}, {37379, "BrightnessValue"}, {37380, "ExposureBiasValue"},
    {37381, "MaxApertureValue"}, {37382, "SubjectDistance"}, {37383, "MeteringMode"},
    {37384, "LightSource"}, {37385, "Flash"}, {37386, "FocalLength"},
    {37500, "MakerNote"}, {37510, "UserComment"}, {37520, "SubsecTime"},
    {37521, "SubsecTimeOriginal"}, {37522, "SubsecTimeDigitized"},
    {40960, "FlashPixVersion"}, {40961, "ColorSpace"}, {40962, "ExifImageWidth"},
    {40963, "ExifImageHeight"}, {40964, "RelatedSoundFile"},
    {40965, "ExifInteroperabilityOffset"}, {41486, "FocalPlaneXResolution"},
    {41487, "FocalPlaneYResolution"}, {41488, "FocalPlaneResolutionUnit"},
    {41493, "ExposureIndex"}, {41495, "SensingMethod"}, {41728, "FileSource"},
    {41729, "SceneType"}, {41730, "CFAPattern"}, {1, "InteroperabilityIndex"},
    {2, "InteroperabilityVersion"}, {4096, "RelatedImageFileFormat"},
    {4097, "RelatedImageWidth"}, {4098, "RelatedImageLength"}, {256, "ImageWidth"},
    {257, "ImageHeight"}, {258, "BitsPerSample"}, {259, "Compression"},
    {262, "PhotometricInterpretation"}, {273, "StripOffsets"}, {277, "SamplePerPixel"},
    {278, "RowsPerStrip"}, {279, "StripByteCounts"}, {282, "XResolution2"},
    {283, "YResolution2"}, {284, "PlanarConfiguration"}, {296, "ResolutionUnit2"},
    {513, "JPEGInterchangeFormat"}, {514, "JPEGInterchangeFormatLength"},
    {529, "YCbCrCoeffecients"}, {530, "YCbCrSubSampling"}, {531, "YCbCrPositioning2"},
    {532, "ReferenceBlackWhite2"}, {254, "NewSubfileType"}, {255, "SubfileType"},
    {301, "TransferFunction"}, {315, "Artist"}, {317, "Predictor"}, {322, "TileWidth"},
    {323, "TileLength"}, {324, "TileOffsets"}, {325, "TileByteCounts"}, {330, "SubIFDs"},
    {347, "JPEGTables"}, {33421, "CFARepeatPatternDim"}, {33422, "CFAPattern2"},
    {33423, "BatteryLevel"}, {33723, "IPTC_NAA"}, {34675, "InterColorProfile"},
    {34852, "SpectralSensitivity"}, {34853, "GPSInfo"}, {34856, "OECF"},
    {34857, "Interlace"}, {34858, "TimeZoneOffset"}, {34859, "SelfTimerMode"},
    {37387, "FlashEnergy"}, {37388, "SpatialFrequencyResponse"}, {37389, "Noise"},
    {37393, "ImageNumber"}, {37394, "SecurityClassification"}, {37395, "ImageHistory"},
    {37396, "SubjectLocation"}, {37397, "ExposureIndex2"}, {37398, "TIFFEPStandardID"},
    {41483, "FlashEnergy2"}, {41484, "SpatialFrequencyResponse2"},
    {41492, "SubjectLocation2"},
}};

std::string Nom_Ligne_Exif(const std::string& nom) {
  const std::size_t largeur = (nom.size() + 2 + 3) / 4 * 4;
  return std::string(10, ' ') + nom + std::string(largeur - nom.size(), ' ');
}

std::string Tag_Exif(const clsExif& exif, std::int64_t tag) {
  std::string v = Texte_Valeur(exif.Valeur(tag));
  if (platform::Trim(v).empty()) return "";
  return v;
}

std::string Ligne_Exif(const clsExif& exif, const std::string& nom_texte, std::int64_t tag) {
  const std::string v = Tag_Exif(exif, tag);
  if (v.empty()) return "";
  return nom_texte + " = " + v + platform::vbCrLf;
}

std::string Liste_Exif(const clsExif& exif) {
  std::string texte;
  if (exif.Table_Tags().empty()) return texte;
  for (const LigneExif& l : Lignes_Exif) texte += Ligne_Exif(exif, Nom_Ligne_Exif(l.Nom), l.Num);
  return texte;
}

std::string Liste_Exif_Fichier(const std::string& chemin) {
  clsExif exif;
  exif.Load(chemin);
  return Liste_Exif(exif);
}

std::array<std::string, 6> Ref_Appareil_Textes(const clsExif& exif) {
  return {"", Tag_Exif(exif, 271) + "\\" + Tag_Exif(exif, 272), Tag_Exif(exif, 41486),
          Tag_Exif(exif, 41487), Tag_Exif(exif, 37386), Tag_Exif(exif, 37396)};
}

void Ref_Appareil(const std::string& chemin) {
  clsExif exif;
  exif.Load(chemin);
  const std::array<std::string, 6> ref = Ref_Appareil_Textes(exif);
  for (int k = 1; k <= 5; ++k) Ref_APN(k) = ref[static_cast<std::size_t>(k)];
}

// Saving the current picture and the save dialog of pictures.
#include "images/picture_save.h"

#include <exception>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/dib_section.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "platform/dialogs.h"
#include "platform/textfile.h"

namespace {

constexpr int kQualiteJpeg = 100;

// A folder written without its trailing separators, for comparisons.
std::string Sans_Separateur_Final(std::string folder) {
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  return folder;
}

// Shows a failed write: MSG(144), the path, then the cause on its own line.
void Signale_Echec(const std::string& path, const std::string& cause) {
  platform::MsgBox(MSG(144) + path + "\r\n" + cause, platform::vbOKOnly | platform::vbExclamation);
}

}  // namespace

std::string Fic_Extension(const std::string& Efic) {
  const std::size_t point = Efic.rfind('.');
  return point == std::string::npos ? Efic : Efic.substr(point + 1);
}

std::string Dialogue_Sauve(const std::string& Racine, const std::string& Ext, int& Echec) {
  Echec = 0;
  platform::FileRequest r;
  r.initialFolder = Rep_Data;
  r.fileName = Racine + "." + Ext;
  r.filter = "*." + Ext + "|*." + Ext + "|Tous les fichiers (*.*)|*.*";
  const platform::FileAnswer a = platform::dialogs().saveFile(r);
  if (a.cancelled || a.path().empty()) {
    Echec = 1;
    return "";
  }
  const std::string path = a.path();
  const std::string dossier = a.folder.empty() ? Rep_Fichier(path) : a.folder;
  if (!dossier.empty() && Sans_Separateur_Final(dossier) != Sans_Separateur_Final(Rep_Data))
    Rep_Data = Sans_Separateur_Final(dossier);
  if (Vista_Ou_Plus && Alerte_W7 &&
      Sans_Separateur_Final(Rep_Data) == Sans_Separateur_Final(Rep_Prog)) {
    platform::MsgBox(MSG(12), platform::vbOKOnly);
    Alerte_W7 = false;
  }
  if (Fichier_Existe(path)) {
    if (platform::MsgBox(MSG(116) + "\r\n" + path, platform::vbOKCancel) == platform::vbCancel)
      return "";
  }
  return path;
}

bool Sauve_Jpeg_Image(const platform::Picture& image, const std::string& Chemin, std::string* error) {
  aDIBSection dib;
  dib.CreateFromPicture(image);
  return Ecrit_JPEG(dib, Chemin, kQualiteJpeg, error);
}

bool Sauve_Jpeg(const std::string& Chemin, std::string* error) {
  return Sauve_Jpeg_Image(Qvl().Picture2.picture(), Chemin, error);
}

bool Sauver_Image_actuelle(int Index) {
  QVL& f = Qvl();
  const platform::Picture image = f.picbase.picture();
  if (image.isNull() || (Index != 0 && Index != 1)) return false;
  // The loaded picture without drawings, at the current view.
  Affiche_Image(Expo_Zoom);

  std::string path;
  bool jpeg = true;
  try {
    f.Picture2.setAutoRedraw(true);
    f.Picture2.setPicture(image);
    if (Index == 0) {
      if (Format_Image < 0 || Format_Image >= static_cast<int>(Ext_Images.size())) return false;
      int echec = 0;
      path = Dialogue_Sauve("Img_Act_", Ext_Images[static_cast<std::size_t>(Format_Image)], echec);
      if (path.empty()) return false;
      jpeg = Format_Image == 1;
    } else {
      path = Sans_Separateur_Final(Rep_Prog) + "/" + "Fondecran.jpg";
    }
  } catch (const std::exception&) {
    return false;
  }

  std::string error;
  const bool ok = jpeg ? Sauve_Jpeg(path, &error) : f.Picture2.picture().saveBmp(path, &error);
  if (!ok) Signale_Echec(path, error);
  return ok;
}

// Stand-in until captures are saved: nothing is asked and no file is written.
void Sauve_Capture(const std::string& /*nom*/, float /*mode*/) {}

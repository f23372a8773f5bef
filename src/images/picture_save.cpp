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
#include "statwindow/stat_state.h"
#include "statwindow/stat_window.h"
#include "forms/stat_window.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

namespace {

constexpr int kQualiteJpeg = 100;

// Seconds given to the windows a closed dialog uncovered to repaint before a screen
// copy (a few frames of the display).
constexpr double kRepeinteAvantCopie = 0.25;

// A folder written without its trailing separators, for comparisons.
std::string Sans_Separateur_Final(std::string folder) {
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  return folder;
}

// The text before the first "." of s; the whole text when it holds none.
std::string Avant_Point(const std::string& s) { return s.substr(0, s.find('.')); }

// Writes picture as a BMP file at path; a failure is shown.
void Ecrit_Bmp(const platform::Picture& picture, const std::string& path) {
  std::string error;
  if (picture.isNull()) error = "Aucune image à enregistrer";
  else if (picture.saveBmp(path, &error)) return;
  Signale_Echec_Ecriture(path, error);
}

}  // namespace

void Signale_Echec_Ecriture(const std::string& path, const std::string& cause) {
  platform::MsgBox(MSG(144) + path + "\r\n" + cause, platform::vbOKOnly | platform::vbExclamation);
}

std::string Fic_Extension(const std::string& Efic) {
  const std::size_t point = Efic.rfind('.');
  return point == std::string::npos ? Efic : Efic.substr(point + 1);
}

std::string Dialogue_Sauve(const std::string& Racine, const std::string& Ext, int& Echec) {
  return Dialogue_Sauve_Dans(Rep_Data, Racine + "." + Ext, Ext, Echec);
}

std::string Dialogue_Sauve_Dans(const std::string& Dossier, const std::string& Nom, const std::string& Ext,
                                int& Echec, bool* Existe) {
  Echec = 0;
  if (Existe != nullptr) *Existe = false;
  platform::FileRequest r;
  r.initialFolder = Dossier;
  r.fileName = Nom;
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
    if (Existe != nullptr) *Existe = true;
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
  if (!ok) Signale_Echec_Ecriture(path, error);
  return ok;
}

void Mn_Copie_Ecran_Click(int index) {
  QVL& f = Qvl();
  if (index != 1 && index != 2) return;
  for (int i = 1; i <= 2; ++i) f.Mn_Copie_Ecran(i).setChecked(i == index);
}

std::string Nom_Capture_Propose(int genre) {
  std::string racine = Nom_Fichier(Img_Active);
  // The statistics window's charts are named after the chart, whatever the image.
  if (genre == 3) return "ecran_" + Avant_Point(Mode_Histogramme != 0 ? "Histogramme." : "Nuage.");
  if (Qvl().labNomFic.caption().empty()) {
    switch (genre) {
      case 1:
        racine = "mesures.";
        break;
      case 2:
        racine = "diagramme.";
        break;
      default:
        break;
    }
  }
  return "ecran_" + Avant_Point(racine);
}

void Sauve_Capture(const std::string& /*nom*/, float mode) {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  const int genre = static_cast<int>(mode);
  int echec = 0;
  const std::string path = Dialogue_Sauve(Nom_Capture_Propose(genre), "bmp", echec);
  if (path.empty()) return;

  if (f.Mn_Copie_Ecran(1).checked()) {
    // The dialog has just closed: the windows under it repaint before the screen is
    // taken, so that the copy shows them and not the dialog.
    platform::Pause(kRepeinteAvantCopie);
    platform::Picture ecran;
    std::string error;
    if (!platform::App::GrabScreen(&ecran, &error)) {
      platform::MsgBox(error, platform::vbExclamation);
      return;
    }
    Ecrit_Bmp(ecran, path);
    return;
  }
  switch (genre) {
    case 1:
      Ecrit_Bmp(f.Picture1.image(), path);
      break;
    case 2:
      Ecrit_Bmp(StatWindow().MHistPic.image(), path);
      break;
    case 3:
      Ecrit_Bmp(StatWindow().HistPicHist.image(), path);
      break;
    default:
      break;
  }
}

std::string Nom_Twain_Propose() {
  return "Twain_" + Avant_Point(Prefixe_Capture + platform::CStr(static_cast<long long>(Num_Capture)));
}

void Sauve_Twain(int source) {
  if (!QvlExists() || (source != 1 && source != 2)) return;
  QVL& f = Qvl();
  int echec = 0;
  const std::string path = Dialogue_Sauve(Nom_Twain_Propose(), "bmp", echec);
  if (path.empty()) return;
  Ecrit_Bmp(source == 1 ? f.picbase.picture() : f.Picture1.image(), path);
}

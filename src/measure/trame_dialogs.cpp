#include "measure/trame_dialogs.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/shell_services.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "measure/trame_file.h"
#include "measure/trame_reader.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

namespace {

// A new, empty file in the system's temporary folder for the grid update; "" (with
// the reason in *erreur) when none could be made.
std::string fichierTemporaire(std::string* erreur) {
  std::error_code ec;
  const std::filesystem::path dossier = std::filesystem::temp_directory_path(ec);
  if (ec) {
    *erreur = platform::systemCause(ec.value());
    return "";
  }
  std::string modele = (dossier / "quorvale_maj_XXXXXX.trm").string();
  std::vector<char> tampon(modele.begin(), modele.end());
  tampon.push_back('\0');
  const int fd = mkstemps(tampon.data(), 4);
  if (fd < 0) {
    *erreur = platform::systemCause(errno);
    return "";
  }
  close(fd);
  return std::string(tampon.data());
}

bool memeDossier(const std::string& a, const std::string& b) {
  auto net = [](std::string p) {
    p = platform::normalizePath(p);
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    return p;
  };
  return net(a) == net(b);
}

// The dialog and the checks common to both kinds of trame; the chosen path, or "" when
// the save was given up.
std::string choisitFichier() {
  QVL& f = Qvl();
  platform::FileRequest r;
  r.initialFolder = Export_Fait ? Rep_Images : Rep_Data;
  const std::string image = f.labNomFic.caption();
  r.fileName = Nom_Trame_Propose(Fic_Trame, image, !image.empty() && platform::fileExists(image));
  r.filter = "*.trm|*.trm|Tous les fichiers (*.*)|*.*";
  r.defaultExt = "trm";
  const platform::FileAnswer a = platform::dialogs().saveFile(r);
  if (a.cancelled || a.path().empty()) return "";
  const std::string chemin = a.path();
  const std::string dossier = a.folder.empty() ? Rep_Fichier(chemin) : a.folder;
  if (!dossier.empty() && !memeDossier(dossier, Rep_Data)) Rep_Data = dossier;
  if (memeDossier(Rep_Data, platform::App::Path()) && Alerte_W7) {
    platform::MsgBox(MSG(12));
    Alerte_W7 = false;
    Appelle_Service<bool>(Services_Shell().Sauve_Parametres);
  }
  if (platform::fileExists(chemin) &&
      platform::MsgBox(MSG(116), platform::vbOKCancel) != platform::vbOK)
    return "";
  return chemin;
}

bool sauve(bool locale) {
  const std::string chemin = choisitFichier();
  if (chemin.empty()) return false;
  std::string erreur;
  const bool ecrit = locale ? Ecrit_Trame_Locale(chemin, &erreur) : Ecrit_Trame(chemin, &erreur);
  if (!ecrit) {
    // A local trame the user chose not to complete (a file not replaced) says nothing more.
    if (!erreur.empty()) platform::MsgBox(MSG(144) + chemin + SautLigne + erreur, platform::vbExclamation);
    return false;
  }
  Fic_Trame = chemin;
  return true;
}

}  // namespace

std::string Nom_Trame_Propose(const std::string& ficTrame, const std::string& image, bool imageExiste) {
  std::string nom = "mesures.";
  if (!image.empty() && imageExiste) nom = Nom_Fichier(image);
  if (!ficTrame.empty()) nom = Nom_Fichier(ficTrame);
  const int point = Position_Car(nom, ".");
  if (point > 0) nom = platform::Left(nom, point - 1);
  return nom + ".trm";
}

bool Sauve_Trame_Sous() { return sauve(false); }

bool Sauve_Trame_Locale() { return sauve(true); }

void Maj_Grille() {
  std::string erreur;
  const std::string fichier = fichierTemporaire(&erreur);
  if (fichier.empty()) {
    platform::MsgBox(MSG(144) + SautLigne + erreur, platform::vbExclamation);
    return;
  }
  const std::string session = Fic_Session, trame = Fic_Trame;
  const bool locale = Rep_Trame_Ok;
  if (Ecrit_Trame(fichier, &erreur)) {
    std::string chemin = fichier;
    int code = 1;
    Lit_Trame(chemin, code);
  } else {
    platform::MsgBox(MSG(144) + fichier + SautLigne + erreur, platform::vbExclamation);
  }
  Fic_Session = session;
  Fic_Trame = trame;
  Rep_Trame_Ok = locale;
  platform::removeFile(fichier);
}

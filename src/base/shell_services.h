#pragma once
// Services of the application shell (settings, button bar, menus) that the subsystems
// call. The subsystems sit below the shell and cannot include it: the start-up code
// fills these slots once the main window is built. An empty slot does nothing.

#include <functional>
#include <string>
#include <utility>

struct ServicesShell {
  // Saves the settings once per run when "Qvrl.dat" asked for it (first start).
  std::function<void()> Alerte_Unique;
  // Opens the manual of the current language in the desktop's viewer.
  std::function<void()> AFF_Aide_pdf;
  // Rewrites the whole settings file; false (after a message) when it failed.
  std::function<bool()> Sauve_Parametres;
  // Makes `fonction` the current measuring function (cells, prompts, grid layout,
  // caption); false when its layout could not be applied.
  std::function<bool(int fonction)> Choix_Fonction_Mesure;
  // Lays out only the grids of `fonction` (templates, headings, cell counts), with no
  // other effect of the function switch; false when its layout could not be applied.
  std::function<bool(int fonction)> Dispose_Grilles_Fonction;
  // Writes the main window's caption while no measuring function is current: the
  // program, its revision and the user, without a function name.
  std::function<void()> Titre_Sans_Fonction;
  // Replays a button of the button bar.
  std::function<void(int index)> Bout_Click;
  // Opens the calibration file Fic_Calib in the built-in text editor.
  std::function<void()> Edite_Fichier_Calibrage;
  // Opens a file in the main window's text editor as editor type `type` (3: the chart
  // archive, saved back to `fichier`).
  std::function<void(int type, const std::string& fichier)> Edite_Fichier;
};

// The program-wide slots.
ServicesShell& Services_Shell();

// Calls a slot when it is filled; returns R{} otherwise.
template <class R = void, class F, class... A>
R Appelle_Service(const F& slot, A&&... args) {
  if (!slot) return R();
  return slot(std::forward<A>(args)...);
}

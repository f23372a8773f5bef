#pragma once
// The button bar of the main window: one dispatcher for the Bout and Bout_C arrays,
// also called by other code to replay a button.

#include <functional>
#include <string>

// Runs button Index: prologue, the button's own action, then (for most buttons) the
// common tail that abandons the measurement in progress and redraws the picture.
// An index without a button (0, 6, 48, 49, 51 and any other) runs the tail alone.
void Bout_Click(int Index);
// The compact repeat bar: 5 toggles the hand mode, every other index replays Bout.
void Bout_C_Click(int Index);

// The address the "Contacter le support" button writes to.
inline constexpr const char* kAdresseSupport = "support@quorvale.org";

// What the buttons call in the rest of the program. Each slot starts out holding the
// procedure that does the work; a slot left empty does nothing, for the features not
// there yet (archive search, colour window, key help and warning text).
// Tests put recorders in them.
struct ActionsBarre {
  // The tail and the pump.
  std::function<void()> RAZ_Mesure, RAZ_Compteurs_Points;
  std::function<void(int mode)> Retrace;
  std::function<void()> DoEvents;
  // Grid and measurement table.
  std::function<void()> EffacE_1, Calcul_stat, Entetes_Stat, Cherche_spore, RAZ_Grille_total,
      Annule_Mesure;
  // True when the grid was cleared (false after a No to its question).
  std::function<bool(int sans_question)> Efface_Grille;
  std::function<void(int& ligne)> Efface_ligne;
  // Panels, windows and the picture.
  std::function<void()> Aff_Diagnostic, aff_liste_images, Fenetre_Statistiques, DeplaceMain,
      DeplaceMain_bis, Aide_Liste, Affiche_Avertissement, Rappel_Ecran3, Sauve_Ecran3, Bip;
  std::function<bool(int flag)> Sauve_Parametres;
  // Calibration.
  std::function<void()> Calibrage_Valide, Valide_Calibrage;
  std::function<void(int code)> Calibrage_Action, CalObj_1;
  // Comments, colour chart and annotation steps of the entry dialogue.
  std::function<void(int k)> Valide_Commentaire;
  std::function<void()> Sauve_Resultats_Couleur, Comm_nuancier_Click, Commentaire_Point,
      Trace_Ligne_Mesure, Place_Annotation, Inscrit_Legende;
  // Reports, archive and messages.
  std::function<void()> Resume_Stat, Nmst_Test;
  std::function<void(int code)> Copie_Mesures;
  std::function<void(double couleur, const std::string& texte, int delai)> Flash;
  // Hands a "mailto:" link to the desktop; false (with the reason) when it could not.
  std::function<bool(const std::string& lien, std::string* erreur)> Ouvre_Lien;
};

// The program-wide slots, filled at first use.
ActionsBarre& Actions_Barre();

#include "colour/colour_state.h"

#include "base/globals.h"
#include "platform/textfile.h"

bool Mode_Expert = false;
bool Nuancier_Trouve = false;
bool Nuancier_Choisi = false;
bool Charte_Demande2 = false;
bool Charte_Demande = false;
bool Correction_Valide = false;
int NbLignes_Ajust = 0;
platform::BoundedArray<float, 1, 3> Coul_Mesure;
platform::BoundedArray<float, 1, 3> Coul_Lab;

std::string Chemin_Fichier_Couleur(const std::string& nom) {
  if (nom.empty()) return nom;
  if (nom.find('/') != std::string::npos || nom.find('\\') != std::string::npos) return nom;
  const std::string trouve = platform::findFileNoCase(Rep_Prog, nom);
  return trouve.empty() ? Rep_Prog + "/" + nom : trouve;
}

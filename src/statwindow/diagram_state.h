#pragma once
// Variables of the diagram panel: the data text, the loaded values and their
// statistics, the modes and the diagram's scales. They live while the statistics
// window is loaded and return to their start values each time it loads.

#include <string>
#include <vector>

#include "platform/bounded_array.h"

extern std::string Texte_Donnees;   // data text last loaded: values each followed by ";"
extern std::string Texte_Complet;   // the whole data text, to return to after a mode
// Loaded values: element 0 is 0 and not a value, elements 1 to NbDonnees sorted.
extern std::vector<double> Donnees;
extern int NbDonnees;
extern double Val_Dominante;
extern double Moyenne_M, Ecart_Type_M, Mediane_M, D1_M, D9_M;
// 0: the PDM of the data loaded outside marking; 1 to 16: the accepted modes.
extern platform::BoundedArray<float, 0, 16> Modes;
extern int NbModes;                 // slot being marked, 1 to 16 (the accepted are below)
extern bool Marquage_PDM;           // mode marking is on
extern bool Attente_Borne2;         // the first limit is marked
extern float Borne1, Borne2;        // the limits, in data units
extern int Indice1, Indice2;        // first and last value between them (in Donnees)
extern std::string Libelle_Donnees; // "X" for typed data, "" for grid and extract data
// 1: header, 2: statistics of the first computation after a data reload.
extern platform::BoundedArray<std::string, 1, 2> Resume_Global;
extern bool Sauve_Resume;           // the next result text is kept in Resume_Global

extern double Echelle_X;            // width of the fixed X window (data units)
extern double Echelle_X_Defaut;
extern int Echelle_Y;               // fixed Y range
extern int Pas_Valeur;              // height of one value on the staircase

// Every variable above to its start value: empty texts and values, NbModes 1,
// Echelle_X 9, Echelle_Y 50, Pas_Valeur 2.
void ResetDiagramVariables();
// Forgets the accepted modes: Modes(1..16) := 0, NbModes := 1.
void OublieModes();

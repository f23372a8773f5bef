#pragma once
// The folders window: where the program, its images and its data are.

class QVLplus;

// The one folders window, created on first use.
QVLplus& Fenetre_Repertoires();
// Fills the labels: "Rep. Appli.  = ", "Rep.Img. = " and "Rep.données = ", each
// followed by CR LF and Rep_Prog, Rep_Images and Rep_Data; the fourth label empty.
void repertoires();
// Tools > "Répertoires": fills the window afresh and shows it, not modal.
void Affiche_Repertoires();

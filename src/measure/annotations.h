#pragma once
// Annotations of the measured picture: a scale reference of a typed length and unit, a
// typed legend of one or more lines, and the notation of the measurements. They are
// drawn on Picture1; the insertions armed from the illustration window are repeated,
// at the matching point, on Picture2, the full-size copy of the image.
//
// Every tool is a step of the entry panel Frame(8) driven by Etat_Saisie (0 start,
// 1 value expected, 2 value accepted, 3 unit expected, 4 cancelled). An annotation
// arms one insertion: once printed or cancelled its flags (Mode_Annot, Mode_Illus,
// Mode_InsRef, Mode_InsTexte, Ins_Notation) are cleared and the next click measures.
//
// Picture2 is given a scale whose unit is a stored-point unit (X_image = x x K_Zoom x
// Echelle + Larg_Affichee, picture units: 15 to an image pixel), so what lands there
// lands on the pixels the same point of Picture1 shows. Texts are never drawn below
// 6 points.

// The notation insertion is armed (with Mode_InsRef, from the illustration window).
extern bool Ins_Notation;

// The last point converted by Point_Image_Base; an X of -1 marks a failed conversion.
struct PointBase {
  double X = -1;
  double Y = 0;
};
extern PointBase Point_Base;

// Divisor of the picture font sizes of the illustration texts: by the screen's width
// over height, at most 1.5 or above, and whether the main window is maximized: 36 / 59
// and 32 / 55.
int Diviseur_Police(double ratioEcran, bool maximise);

// Length in units of Picture1 of a reference of L calibrated units:
// L / (calibrage x kZoom x facteurResol) x ratioEcran. False when it is not finite
// (a zero divisor, for instance).
bool Longueur_Reference(double L, double calibrage, double kZoom, double facteurResol, double ratioEcran,
                        double& P);

// Point_Base := (px x K_Zoom x Echelle, py x K_Zoom x Echelle); false (X := -1) when a
// value is not finite.
bool Point_Image_Base(double px, double py);

// The click of an armed annotation at (Clic_X1, Clic_Y1), Etat_Saisie being 0:
// Mode_InsRef runs Inscrit_Notation when Ins_Notation, else Place_Annotation;
// Mode_Annot and Illus_Trait run Inscrit_Legende.
void Clic_Annotation();

// The unit step of a reference (only with Mode_InsRef): a cross at the click, the panel
// asking "commentaire" preset to "microns", Etat_Saisie 3.
void Commentaire_Point();
// One step of the scale reference on Picture1 (with Mode_InsTexte, on Picture2 too):
// state 0 opens the panel for the length, 3 draws the bar with its end crosses and
// its caption below the click, 4 cancels.
void Place_Annotation();
void Place_Reference_Illustration();
// One step of a legend: 0 opens the panel (with Illus_Trait the notation of the
// measurements is printed at once instead), 1 prints the typed lines from the click,
// 4 cancels. Without Mode_Illus it hands over to the illustration branches.
void Inscrit_Legende();
void Inscrit_Texte_Illustration();
// The notation of the measurements printed at the click on Picture1 and Picture2.
void Inscrit_Notation();

// Picture2 ready for the illustration: the full-size picture copied into it once per
// picture shown (Loupe_Ouverte), drawn persistently, sized to picbase plus 61 twips,
// its unit a stored-point unit.
void Prepare_Copie_Illustration();

// A change of TBox(5) while a length is expected (state 1 with Mode_InsRef or
// Illus_Saisie): Val_Saisie := the text as a number, comma or point.
void Saisie_Change();

// The main window's menu "Illustrer écran": 1 "Référence Simple", 2 "Référence
// orientée", 4 "Texte", 5 "Choix police" (Choix_Police), 6 "Insérer Notation".
void Illus_Click(int index);

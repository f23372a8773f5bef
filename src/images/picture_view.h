#pragma once
// The picture view of the main window: the full-size picture held in picbase, the
// rectangle of it shown in Picture1 (offsets Larg_Affichee, Haut_Affichee and zoom
// factor K_Zoom = Base_Zoom ^ Expo_Zoom), the zoom buttons, zoom by click, centring,
// panning, the re-layout after a resize, and the thumbnail VignP with its view frame.
//
// Picture units are twips of the picture at its natural size: the picture spans 0 to
// Wt = pixels x 15 across and 0 to Ht down (imagePixels and pictureUnits of
// base/geometry.h convert them). Its natural size in hundredths of a
// millimetre is Wm = Wt x 2540 / 1440. The view is Sw = K_Zoom x Wm picture units
// wide, painted across the whole measuring width of Picture1 (its constant scale
// width), so one unit of Picture1 is K_Zoom x Echelle picture units with Echelle =
// Wm / Picture1.scaleWidth(). Stored measurements depend on these relations.

#include <cstdint>
#include <string>

#include "platform/picturebox.h"

// Bounds of the zoom exponent: Base_Zoom ^ -40 is 1/1024 (deepest zoom in),
// Base_Zoom ^ 16 is 16 (farthest zoom out). Commands that would leave them do nothing.
constexpr int kExpoZoomMin = -40;
constexpr int kExpoZoomMax = 16;

// --- pure geometry (no window) -----------------------------------------------------

// Natural size in hundredths of a millimetre of a length of picture twips:
// twips x 2540 / 1440; 0 for 0.
double Vue_Himetrique(double twips);
// Text of the zoom label for the factor k: "Z= " and Int(100 / k + 0.5) x 0.005 in the
// system's number format (k 1 gives "Z= 0.5"); a factor <= 0 or not finite is taken as 1.
std::string Texte_Facteur_Zoom(double k);
// New view offset after centring on position p of a box `largeur` units wide:
// CLng(k x r x (p - largeur / 2) + offset), computed in reals and saturated to the
// 32-bit range (NaN gives 0).
std::int32_t Decalage_Centre(double offset, double k, double r, double p, double largeur);
// New view offset after a pan by d units of the box: CLng(offset - k x r x d),
// saturated to the 32-bit range (NaN gives 0).
std::int32_t Decalage_Deplace(double offset, double k, double r, double d);
// Thumbnail coordinate of a picture offset: CLng(echelleVignette x offset / taille);
// 0 when taille <= 0 or a value is not finite; saturated to the 32-bit range.
std::int32_t Point_Vignette(double echelleVignette, double offset, double taille);

// --- the view of the main window ---------------------------------------------------

// The map of Picture1's view at the zoom factor kZoom: its position x shows the
// picture point x x (kZoom x Echelle) + Larg_Affichee, y likewise with Haut_Affichee.
// The view is painted by it, and a position of Picture1 (a click, a mark) is turned
// into a picture point and back by it, so that a canvas pixel shows the picture pixel
// a click on it takes.
platform::PictureView picture1View(double kZoom);

// Loads a picture file into picbase and shows it at the current zoom (offsets back to
// 0 unless the multi-layer box chkMC(0) is ticked). True when loaded; a file that is
// missing or not a readable picture changes nothing (picture, ratios, view) and gives
// false, the caller saying so.
bool Charge_Image_Memoire(const std::string& path);
// Repaints Picture1 from picbase by the view picture1View(Base_Zoom ^ level) across
// its scale width and Ratio_Image times it down, writes the zoom label and refreshes
// ImageMem, Image2 and Image1. K_Zoom is not changed.
// With no picture loaded Picture1 shows its back colour only.
void Affiche_Image(int level);
// Common end of every zoom or pan change: rebuilds the thumbnail and, while Zoom_Auto
// is true, draws the view frame at thumbnail point (tx, ty) and repaints.
void Applique_Zoom(std::int32_t tx, std::int32_t ty);
// Back to the start-up zoom: Expo_Zoom := -2 x Pas_Zoom, K_Zoom recomputed, kept in
// Expo_Zoom_Initial; the picture is repainted and the thumbnail rebuilt.
void Zoom_Initial();
// Re-layout after the main window's size changes: the picture boxes are sized, the
// fitted view (Expo_Zoom_Initial, offsets 0) comes back, and with Retrace_Zoom the
// stored measurements are redrawn (even when a step failed).
void Redimensionne_Image();
// Pans by a mouse displacement (dx, dy) in units of Picture1 (rounded to whole
// units): the picture follows the mouse. No bound: the view may leave the picture.
void Deplace_Image(double dx, double dy);
// Centres the view on the point (x, y) of Picture1 (rounded to whole units) at the
// current zoom.
void Centre_Image_Point(double x, double y);
// Zoom click on Picture1 at (x, y): the left button (1) zooms in and the right button
// (2) zooms out by Pas_Zoom steps, the picture point under the click becoming the
// centre of the view; other buttons only centre there. A step beyond kExpoZoomMin or
// kExpoZoomMax does nothing.
void Zoom_Clic(int button, int shift, double x, double y);
// Zoom buttons Czoom 0 to 3: "Z+" zooms in a step, "Z-" zooms out a step while
// Expo_Zoom < 0, "Z1" returns to the fitted view, "<<"/">>" toggles Pas_Zoom between
// 1 and 2. Other indices do nothing.
void Bouton_Zoom(int index);
// Click on a zoom button: Bouton_Zoom, then Retrace(0) while Retrace_Zoom is true.
void Czoom_Click(int index);
// One zoom step about the view's top-left corner: mode 1 zooms in, mode 2 out (other
// modes keep the exponent). Returns in tx, ty the thumbnail point of the view. A step
// beyond the exponent bounds, or with no picture loaded, restores the previous view.
void Ajuste_Image_Fenetre(int mode, std::int32_t& tx, std::int32_t& ty);
// Shows the view whose top-left corner is thumbnail point (tx, ty), then restores the
// current offsets and exponent and repaints (the frame stays at (tx, ty)).
void Affiche_Depuis_Vignette(std::int32_t tx, std::int32_t ty);
// Zoom label, item 2 of the label array: Texte_Facteur_Zoom(K_Zoom).
void Affiche_Facteur_Zoom();

// --- thumbnail ---------------------------------------------------------------------

// Rebuilds the thumbnail VignP from picbase at `width` twips wide and the picture's
// aspect; its scale becomes (its client width) x (client width / Ratio_Image). With no
// picture loaded the steps that need one are skipped.
void Dessine_Vignette(int width);
// Draws the frame of the current view on the thumbnail with its top-left corner at
// (tx, ty) in thumbnail units: width the view's share of the picture width (above
// 30000 drawn as 20000), height by the aspect of Picture1. Coordinates outside the
// 16-bit range draw nothing.
void Cadre_Vignette(std::int32_t tx, std::int32_t ty);
// Click on the thumbnail at (x, y), thumbnail units: the picture point there becomes
// the top-left corner of the view (offsets x and y times picbase width / VignP width,
// 32-bit), the zoom unchanged, the frame drawn there; while Zoom_Auto is false only the
// thumbnail is rebuilt. With Retrace_Zoom the stored measurements are drawn again. A
// failure says MSG(101) and "103".
void Clic_Vignette(int button, int shift, double x, double y);
// Mouse-down on the thumbnail: Clic_Vignette, then the stored measurements redrawn.
void VignP_MouseDown(int Button, int Shift, double X, double Y);
// Four lines on VignP around (x, y, w, h), in the colour QBColor(CouleursTrace(1)).
void Rectangle_Vignette(double x, double y, double w, double h);

// Loads the background picture ("Fondecran.jpg", or the built-in one); defined with the
// image files (images/image_files.cpp), declared here too for the start-up chain.
void Charge_Fond_Ecran(int Index);

class QVL;
// Connects the zoom, fit and pan buttons and the picture-saving menus.
void Connecte_Vue(QVL& f);

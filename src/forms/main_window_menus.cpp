// The main window's menus and pop-up menus with their designed captions.
#include <utility>
#include <vector>

#include "forms/main_window.h"

namespace {

using Items = std::vector<std::pair<int, const char*>>;

// Builds the array `name` of items under parent.
void fill(MenuArr& arr, platform::MenuItem& parent, const char* name, const Items& items) {
  arr.a = std::make_unique<platform::MenuArray>(parent, name);
  for (const auto& [i, caption] : items) arr.a->add(i, caption);
}

}  // namespace

void QVL::creerMenus() {
  Mnfichiers = &addMenu("Mnfichiers", "Fichiers");
  MnEdit = &addMenu("MnEdit", "Edition");
  Mnfonctions = &addMenu("Mnfonctions", "Fonction");
  MnOptions = &addMenu("MnOptions", "Options");
  MnOutils = &addMenu("MnOutils", "Outils");
  OptnMchrt = &addMenu("OptnMchrt", "Options Palettor ");
  Mnaide = &addMenu("Mnaide", "Aide");

  fill(MnuFIC, *Mnfichiers, "MnuFIC",
       {{1, "Ouvrir Image"}, {2, "Twain"}, {3, "Chargeur"}, {4, "Charger image presse papier"},
        {5, "Charger Ref Couleur"}, {6, "Sauver Ref Couleur"}, {7, ""},
        {8, "Sauver les paramètres"}, {9, "Sauver la Trame"}, {10, "Charger la trame"},
        {11, "attente"}, {12, "Session"}, {13, "Répertoire Image"}, {14, "en attente"},
        {15, "Enregistrer image en cours"}, {16, "Image en cours => fond d'écran"},
        {20, "Quitter"}});
  fill(MnuTwain, MnuFIC(2), "MnuTwain",
       {{1, "Sélection Source"}, {2, "Acquisition Twain"}, {3, "Sauver l'image Twain"},
        {4, "Sauver le cadre"}, {5, "Préfixe image capture"}});
  fill(MnuCharg, MnuFIC(3), "MnuCharg", {{1, "Ajouter"}, {2, "Supprimer"}, {3, "Effacer liste images"}});
  fill(MnuSession, MnuFIC(12), "MnuSession", {{1, "Session précédente"}, {3, "Export session"}});

  fill(MnuEDit, *MnEdit, "MnuEDit",
       {{1, "Export grille sous ..."}, {2, "Export grille"}, {3, "Charger grille"},
        {4, "Etalonnage/Résolution"}, {5, "Gestion fichier .Cal"}, {6, "Histogrammes"},
        {7, "Copie d'écran"}, {8, "fich.CSV=> grille"}, {9, "Archiver données stat."},
        {10, "Cherche archives"}});

  fill(MnuFonc, *Mnfonctions, "MnuFonc",
       {{1, "Mesure segment"}, {2, "Spores 2D"}, {3, "Spores 3D "}, {4, "Cystides "},
        {5, "perso"}, {6, "Comptage"}, {7, "Densité"}, {8, "Comptage Lames"}, {20, "Tintavel"},
        {21, "Surface"}});
  fill(Cyst, MnuFonc(4), "Cyst", {{1, "3 mesures"}, {2, "4 mesures"}, {3, "5 mesures"}});
  fill(Mncp, MnuFonc(6), "Mncp", {{1, "simple"}, {2, "bosses"}});
  fill(MnDens, MnuFonc(7), "MnDens", {{1, "Ellipse"}, {2, "Rectangle"}});
  fill(Mnusurf, MnuFonc(21), "Mnusurf",
       {{1, "Triangle / Angles"}, {2, "Courbe fermée"}, {3, "Polygone ouvert abandonné"}});

  fill(MnuOpt, *MnOptions, "MnuOpt",
       {{1, "Fonction de démarrage"}, {2, "Format export"}, {3, "taille grille"},
        {4, "Tolérance Clic"}, {5, "Decimales"}, {6, "Langue"}, {7, "Stats par défaut"},
        {8, "Sauvegarde Auto"}, {10, "Notation éclair & aperçu"}, {15, "Image par défaut"},
        {16, "Copie d'écran "}, {17, "format image export"}, {18, "Prefixe Image capture"},
        {25, "Machine rapide"}, {30, "Interface"}});
  fill(Fdemarrage, MnuOpt(1), "Fdemarrage",
       {{0, "Segments"}, {1, "Spores 2D"}, {2, "Spores 3D"}, {3, "Cystides 3"}, {4, "Cystides 4"},
        {5, "Cystides 5"}, {20, "Tintavel"}});
  fill(mnFormat, MnuOpt(2), "mnFormat", {{0, "CSV"}, {1, "TXT"}});
  fill(TgrilleMax, MnuOpt(3), "TgrilleMax",
       {{0, "63"}, {1, "127"}, {2, "255"}, {3, "511"}, {4, "1023"}, {5, "2047"}, {6, "4095"}});
  fill(Pclic, MnuOpt(4), "Pclic", {{1, "1"}, {2, "2"}, {3, "3"}, {4, "4"}});
  fill(Mndecim, MnuOpt(5), "Mndecim", {{0, "auto"}, {1, "0"}, {2, "1"}, {3, "2"}, {4, "3"}});
  fill(MnLang, MnuOpt(6), "MnLang",
       {{1, "fr"}, {2, "it"}, {3, "es"}, {4, "de"}, {5, "en"}, {6, "Basque"}, {7, "Russe"},
        {8, "Ukrainien"}});
  fill(statdef, MnuOpt(7), "statdef",
       {{1, "Nuage pts"}, {2, "histogramme"}, {3, "Diagramme"}, {4, "Tests"}});
  fill(MNSav, MnuOpt(8), "MNSav", {{0, "Non"}, {1, "10"}, {2, "20"}});
  fill(NotExp, MnuOpt(10), "NotExp",
       {{1, "D1,9"}, {2, "D1,5,9"}, {3, "m ± sigma"}, {4, "m ±1.96 sigma"},
        {5, "D1, Dominante, D9"}, {6, "D1, Moyenne, D9"}});
  fill(Mn_Copie_Ecran, MnuOpt(16), "Mn_Copie_Ecran", {{1, "Ecran"}, {2, "Zone de travail"}});
  fill(F_Img, MnuOpt(17), "F_Img",
       {{0, "BMP"}, {1, "JPG"}, {2, "GIF"}, {3, "PNG"}, {4, "TIFF"}, {5, "PCX"}, {6, "TGA"}});
  fill(IntrFace, MnuOpt(30), "IntrFace", {{5, "MiniGrille Visible"}});
  statdef(3).setChecked(true);
  MNSav(1).setChecked(true);
  NotExp(5).setChecked(true);
  Mndecim(0).setChecked(true);
  MnuOpt(25).setChecked(true);

  creerMenusOutils();

  fill(MnuChrt, *OptnMchrt, "MnuChrt",
       {{1, "**"}, {2, "Charger nuancier "}, {3, "Sauver nuancier"}, {4, "**"},
        {5, "Zone échantillon couleur"}, {6, "charger un  étalon couleur "},
        {7, "charger un fichier scanner "}, {8, "Valider le calibrage scanner"}});
  fill(Lrg, MnuChrt(5), "Lrg",
       {{1, "8x8"}, {2, "16x16"}, {3, "32x32"}, {4, "64x64"}, {5, "128x128"}, {6, "256x256"}});
  OptnMchrt->setVisible(false);

  fill(Mnuaide, *Mnaide, "Mnuaide",
       {{1, "AIDE"}, {2, "Liste clés"}, {3, "Documentation"}, {4, ""}, {5, "Pas à Pas"},
        {6, "Doc. langue Bis"}});
  fill(DocLng, Mnuaide(6), "DocLng",
       {{1, "Fr"}, {2, "It"}, {3, "Es"}, {4, "De"}, {5, "En"}, {6, "Ba"}, {7, "Ru"}, {8, "Uk"}});
  MnApropos = &Mnaide->addItem("MnApropos", "à propos");

  // Pop-up menus: not in the menu bar.
  PopEtalon = &addMenu("PopEtalon", "PopEtalon");
  fill(PopOrg, *PopEtalon, "PopOrg",
       {{1, "Longueur"}, {2, "Reprendre"}, {3, "Cumul"}, {4, "Valider"}, {5, "Annuler/Retracer"}});
  PopOrg(1).setVisible(false);
  PopEtalon->setVisible(false);
  pop3D = &addMenu("pop3D", "pop3D");
  fill(PopExt, *pop3D, "PopExt", {{1, "Largeur"}, {2, "épaisseur"}});
  pop3D->setVisible(false);
  nspo = &addMenu("nspo", "nspo");
  fill(nspoItems, *nspo, "nspo",
       {{0, "non"}, {1, "a 1 / Moyene"}, {2, "a 2"}, {3, "a 3"}, {4, "b 1/ Médiane"}, {5, "b 2"},
        {6, "b 3"}});
  nspoItems(0).setChecked(true);
  nspo->setVisible(false);
}

void QVL::creerMenusOutils() {
  fill(Mntool, *MnOutils, "Mntool",
       {{1, "copie écran"}, {2, "Illustrer écran"}, {3, "Groupage MC"}, {4, "maj grille"},
        {5, "Numerax"}, {6, "calibr => groupe MC"}, {7, "**"}, {8, "**"}, {9, "**"},
        {10, "commenter la grille"}, {11, "Données EXIF"}, {12, "Chromatogrammes"},
        {14, "Sporogrammes"}, {20, "Illustrer copie  Image soure"},
        {21, "Répertoires  annulé"}, {22, "Calibrage Oculaire"}, {25, "Transfert de  session"}});
  fill(Mntool_a, Mntool(1), "Mntool_a", {{2, "-> presse papier"}, {3, "-> fichier"}});
  fill(Illus, Mntool(2), "Illus",
       {{1, "Référence Simple"}, {2, "Référence orientée"}, {3, ""}, {4, "Texte"},
        {5, "Choix police"}, {6, "Insérer Notation"}});

  auto& fichiers = MnOutils->addItem("MnOutilsFichiers", "Editer");
  fill(MntoolXp, fichiers, "MntoolXp",
       {{2, "Editer fichier calibrage"}, {3, "Editer Qvrl.dat"}, {4, "Editer Nuancier archive"},
        {5, "Editer trm"}, {6, "Re-définir le calibrage "}});

  OutlP = &MnOutils->addItem("OutlP", "Spores");
  fill(OutlPItems, *OutlP, "OutlP",
       {{1, "MAJ Spore Optimale"}, {2, "Spore Optimale"}, {3, "Archives Stats"}});
  const Items optionsSpore = {{0, "Non"}, {1, "a 1 / Moyene"}, {2, "a 2"}, {3, "a 3"}, {4, "b 1/ médiane"},
                               {5, "b 2"}, {6, "b 3"}, {7, "c 1 / Dominante"}, {8, "c 2"}, {9, "c 3"},
                               {10, "d / Longueur dominante"}, {11, "e / Largeur dominante"}};
  fill(nspo1, OutlPItems(2), "nspo1", optionsSpore);
  nspo1(0).setChecked(true);
  fill(Archv1, OutlPItems(3), "Archv1",
       {{1, "Archiver données stat."}, {2, "Chercher dans une base de données"},
        {4, "Param. recherche"}, {5, "Afficher la base CSV"}});
  fill(spo, Archv1(4), "spo", {{1, "Archives stats"}, {2, "Spore optimale"}});
  // The same optimal-spore options again, under "Param. recherche".
  fill(spoOptions, spo(2), "spoOptions", optionsSpore);
  spoOptions(0).setChecked(true);

  auto& reference = MnOutils->addItem("MnOutilsReference", "Référence");
  fill(insref, reference, "insref", {{1, "ins ref"}, {2, "texte"}, {3, "options"}});
  fill(CalSrc, insref(3), "CalSrc", {{1, "active la référence sur image"}, {2, "sto. auto"}, {3, "taille trace"}});
  fill(TTrace, CalSrc(3), "TTrace", {{1, "1"}, {2, "2"}, {5, "5"}});
  Mntool(6).setEnabled(false);
}

#pragma once
// The step-by-step input panel of the main window (FraDial_Seq) and what it asks: the
// description of a statistics archive record (with or without the place) before the
// record is appended to the archive file, and the risk and name filter of the archive
// search. One input runs at a time; the panel's "OK" and "Annule" answer through
// Etat_Archive (0 answered, 1 waiting, 2 cancelled).

// Appends one record without place to an archive file: genus, species, reference,
// date (or a day of the calendar) and K_sigma asked one after the other, then the
// save dialog. "Annule" writes nothing; a write failure shows "Erreur fichier 014".
void Archive_Stat();

// The same with the place, its longitude and latitude after the date (offered again
// at the next input of the run); a write failure shows "Erreur fichier 012".
void Archive_Stat_Coord();

// True while an input of the panel waits for an answer.
bool Saisie_Archive_En_Cours();

// The search parameters: the one-sided risk (a fraction strictly between 0.001 and 1,
// else MNU(104) and the input ends) and the name filter.
void Parametres_Recherche();

// Menu "Archives Stats": 1 the record with place (caption "Archivage"), 2 the archive
// search window; every index leaves Etat_Archive at 0.
void Archv1_Click(int Index);

// Menu "Paramètres recherche": 1 the search parameters; 2 has no action of its own (its
// submenu holds the optimal-spore options).
void spo_Click(int Index);

// Menu "Stats par défaut": ticks item Index (1 to 4) alone; the statistics window
// opens on that view.
void statdef_Click(int Index);

// Edit menu "Archiver données stat.": the record without place.
void Edition_Archive();

// The main window is closing: a waiting input ends as cancelled.
void Abandon_Saisie_Archive();

class QVL;
// Connects the archive menus and the statistics-defaults menu.
void Connecte_Archives(QVL& f);

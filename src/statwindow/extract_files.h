#pragma once
// Files of an extract: the extract saved as a trame file, or exported as CSV or text.

// Outils > "Sauver trame extraite": the extracted rows as a trame file.
void exporte_trame_extrait();
// Outils > "export CSV extrait": the extracted rows as a CSV or text table.
void CSV_Export();

#pragma once
// The test frames of the statistics window: homogeneity (FraTest(2)), Shapiro-Wilk
// (FraTest(3)) and the D'Agostino panel TestNorm. Each tests one column of the
// measurement grid, read without loading it into the diagram panel; only a column
// typed or scrolled in the homogeneity or Shapiro-Wilk frame's box is loaded into the
// data text MText3.

class FenHisto;

// Connects the frames' controls and the statistical routines' message box and beep
// (once, when the window is made).
void ConnecteTestsNormalite(FenHisto& f);

// Tests menu items 2 to 4: the frame shown and its column tested at once (Shapiro-Wilk
// at 5 %); the D'Agostino panel shown empty.
void Affiche_Test(int Index);

// Enables the column box and spinner of frame index (disabled while the grid is
// empty), then tests the grid column of its box (while the diagram panel's source is
// the grid's measures; else the data text as it stands), nothing loaded into the
// diagram panel: 2 homogeneity, 3 Shapiro-Wilk on the law of Option3. Fewer than four values: MSG 187 and the result label stays as it was.
void Tests_Normalite(int index);

// Loads the column of the frame's box into MText3, then Tests_Normalite(index).
void Teste_Colonne(int index);

void Command3_Click(int Index);    // "Fermer": hides FraTest(Index)
void Command4_Click(int Index);    // "Calcul": Tests_Normalite(Index), the diagram panel untouched
void Option3_Click(int Index);     // the law: reruns the Shapiro-Wilk test
void Ttxt1_Change(int Index);      // column box: capped to the grid's columns, then tested
void Ttxt2_Change(int Index);      // risk box, 1 to 99 %: reruns the Shapiro-Wilk test
void TVScroll1_Change(int Index);
void TVScroll2_Change(int Index);
void TNCmd_Click(int Index);       // 0 hides TestNorm, 1 tests the column of TnText(0), MText3 untouched
void Command8_Click();             // diagram panel's "Test": TestNorm shown with the D'Agostino test of MText3
void TnText_Change(int Index);
void VScroll1_Change(int Index);

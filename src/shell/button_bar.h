#pragma once
// The button bar of the main window: one dispatcher for the Bout and Bout_C arrays,
// also called by other code to replay a button.

// Runs button Index: prologue, the button's own action, then (for most buttons) the
// common tail that abandons the measurement in progress and redraws the picture.
void Bout_Click(int Index);
// The compact repeat bar: 5 toggles the hand mode, every other index replays Bout.
void Bout_C_Click(int Index);

// The address the "Contacter l'auteur" button writes to.
inline constexpr const char* kAdresseSupport = "support@quorvale.org";

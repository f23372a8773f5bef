#include "shell/folders_window.h"

#include "base/globals.h"
#include "forms/folders_window.h"
#include "images/image_state.h"

QVLplus& Fenetre_Repertoires() {
  // Never destroyed, as the main window: its widgets belong to the application object.
  static QVLplus* instance = new QVLplus();
  return *instance;
}

void repertoires() {
  QVLplus& f = Fenetre_Repertoires();
  f.Label1(0).setCaption("Rep. Appli.  = " + SautLigne + Rep_Prog);
  f.Label1(1).setCaption("Rep.Img. = " + SautLigne + Rep_Images);
  f.Label1(2).setCaption("Rep.données = " + SautLigne + Rep_Data);
  f.Label1(3).setCaption("");
}

void Affiche_Repertoires() {
  repertoires();
  Fenetre_Repertoires().show();
}

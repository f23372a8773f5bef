#pragma once
// The illustration window Fen_Illust: a small window over the main picture. Its menu
// bar arms an insertion on the picture (a notation, a scale reference, a text) and
// chooses the line width and the font of the annotations; its two buttons save the
// annotated full-size picture beside the image, and close. Its handlers are connected
// by the measuring code.

#include "forms/design.h"
#include "forms/menu_titles.h"
#include "platform/menu.h"

class Fen_Illust : public FormDesign {
 public:
  Fen_Illust();
  ~Fen_Illust() override;

  Array<Button> Command1{*this, "Command1"};            // 1 "Enregistrer et quitter", 2 "Quitter"
  // 0 "Insert. Notation", 1 "Insert. Référence", 2 "Insert. texte", 3 "largeur trace",
  // 4 "Police Img", 5 "Fond".
  MenuTitles IllustImg{*this, "IllustImg"};
  bool menusFaits_ = creerTitres();
  platform::MenuArray Illus_Trace{IllustImg(3), "Illus_Trace"};   // 1, 2, 3, 5

 private:
  bool creerTitres();
};

// The illustration window's design: its menus and buttons with their captions and
// places (twips).
#include "forms/illustration_window.h"

#include <utility>

Fen_Illust::Fen_Illust() : FormDesign("Fen_Illust") {
  setCaption("Illustration");
  move(1000, 500, 6500, 1700);
  for (const auto& [i, caption] : {std::pair{1, "1"}, std::pair{2, "2"}, std::pair{3, "3"}, std::pair{5, "5"}})
    Illus_Trace.add(i, caption);
  place(titled(Command1.add(1), "Enregistrer et quitter"), 240, 240, 2800, 420);
  place(titled(Command1.add(2), "Quitter"), 3300, 240, 2800, 420);
}

Fen_Illust::~Fen_Illust() = default;

bool Fen_Illust::creerTitres() {
  const std::pair<int, const char*> titres[] = {{0, "Insert. Notation"}, {1, "Insert. Référence"},
                                                {2, "Insert. texte"},    {3, "largeur trace"},
                                                {4, "Police Img"},       {5, "Fond"}};
  for (const auto& [i, caption] : titres) IllustImg.add(i, caption);
  return true;
}

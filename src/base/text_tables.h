#pragma once
// The five program-wide tables of user-visible texts, indexed by fixed numbers.
// Every entry starts as the empty text; the French defaults are written once at
// start-up by Messages_Defaut and a language file overwrites single entries.
// Leading and trailing blanks belong to the texts: callers join entries as they are.

#include <string>
#include <vector>

// A table of texts numbered 0 to a fixed upper bound, never resized.
class TextTable {
 public:
  // An empty table named `name` (used in error texts) with entries 0 to `upper`;
  // a negative `upper` gives a table with no entry.
  TextTable(std::string name, int upper);

  // The text of entry n (empty when never set); throws platform::IndexError when
  // n is outside 0..upper().
  const std::string& operator()(int n) const;

  // Replaces the text of entry n; throws platform::IndexError when n is outside
  // 0..upper() and then changes nothing.
  void set(int n, const std::string& text);

  // The highest entry number (400 for MSG, 255 for NMST, ...).
  int upper() const;

  // Empties every entry; the bounds stay.
  void clear();

 private:
  void check(int n) const;

  std::string name_;
  std::vector<std::string> texts_;
};

// Messages, questions, prompts, dialog filters and grid-template titles (0 to 400).
extern TextTable MSG;
// Wording of the statistical tests and comparisons of means (0 to 255).
extern TextTable NMST;
// Captions of the statistics window (0 to 120).
extern TextTable MNUSTAT;
// Captions of the main window's menus and panels, a few short messages (0 to 255).
extern TextTable MNU;
// Captions of the colour controls of the main window and of the colour window (0 to 255).
extern TextTable TINTAVEL;

// Writes the French default texts into the five tables, in the order MNU, MSG,
// NMST, MNUSTAT, TINTAVEL; MSG 141-143 and 146-148 are built from the function
// captions MSG 56-61 set just before. Entries without a default are not touched.
void Messages_Defaut();

// Quicksort with Hoare's partition about the middle element (Hoare 1962), recursing
// into the shorter side so that the depth stays logarithmic. The dominant value
// narrows a window over the sorted values: each pass keeps the start whose window of
// width W holds the most values (the least spread at equal count), then W shrinks by
// 0.7, until the window holds fewer than four values or only equal ones; the counts of
// a pass come from one forward sweep of the window's end, found first by bisection.
#include "stats/dominant.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>
#include <vector>

#include "base/text_tables.h"
#include "stats/notices.h"

namespace stats {

namespace {

// The window factor, held in single precision as the search always used it.
const double kShrink = static_cast<double>(0.7f);

void quickSort(std::span<double> a, int first, int last) {
  while (first < last) {
    int i = first, j = last;
    const double x = a[static_cast<std::size_t>((first + last) / 2)];
    do {
      while (i < last && a[i] < x) ++i;
      while (j > first && x < a[j]) --j;
      if (i <= j) {
        std::swap(a[i], a[j]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - first < last - i) {
      if (first < j) quickSort(a, first, j);
      first = i;
    } else {
      if (i < last) quickSort(a, i, last);
      last = j;
    }
  }
}

struct Window {
  int start = 0;
  int count = 0;
  double span = 0;   // last difference computed: the spread of the window is span / count
};

// The best window of one pass over the starts lo to hi - 3 (hi - lo >= 3): the largest
// count, then the smaller spread, then the earlier start. Spreads are compared only at
// equal counts, so their spans decide; once the values left cannot reach the best
// count, no later start can win.
Window bestWindow(std::span<const double> v, int lo, int hi, double W) {
  Window best;
  // The first start's window end by bisection; later ends move forward from it.
  const double first = v[lo];
  int j = static_cast<int>(std::partition_point(v.begin() + lo + 1, v.begin() + hi + 1,
                                                [&](double x) { return x - first <= W; }) -
                           v.begin());
  for (int i = lo; i <= hi - 3 && hi - i + 1 >= best.count; ++i) {
    if (j <= i) j = i + 1;
    while (j <= hi && v[j] - v[i] <= W) ++j;
    const int count = j <= hi ? j - i : hi - i + 1;
    const double span = j <= hi ? v[j] - v[i] : v[hi] - v[i];
    if (i == lo || count > best.count || (count == best.count && span < best.span)) best = {i, count, span};
  }
  return best;
}

// The value of the final window lo..hi: the edge whose run of equal values is longer,
// or the middle of the two edges when the runs are as long.
double edgeValue(std::span<const double> v, int lo, int hi) {
  const int last = static_cast<int>(v.size()) - 1;
  int below = 1;
  for (int k = lo; k > 0 && v[k - 1] == v[k]; --k) ++below;
  int above = 1;
  for (int k = hi; k < last && v[k + 1] == v[k]; ++k) ++above;
  if (below == above) return (v[lo] + v[hi]) / 2;
  return below > above ? v[lo] : v[hi];
}

double unexpectedFailure() {
  Stat_Beep();
  Show_Stat_Message(MSG(99));
  return 0;
}

}  // namespace

bool Tri_Rapide(std::span<double> sample, int first, int last) {
  if (first >= last) return true;
  if (first < 0 || static_cast<std::size_t>(last) >= sample.size()) return false;
  quickSort(sample, first, last);
  return true;
}

double Recherche_Dominante(std::span<const double> values) {
  const int m = static_cast<int>(values.size()) - 1;
  if (m < 4) return 0;
  bool inOrder = true;
  for (std::size_t k = 0; k < values.size(); ++k) {
    if (!std::isfinite(values[k])) return unexpectedFailure();
    if (k > 0 && values[k] < values[k - 1]) inOrder = false;
  }
  std::vector<double> sorted;
  std::span<const double> v = values;
  if (!inOrder) {
    sorted.assign(values.begin(), values.end());
    std::sort(sorted.begin(), sorted.end());
    v = sorted;
  }

  double W = (v[m] - v[0]) * kShrink;
  int lo = 0, hi = m;
  for (int passes = 0; hi - lo >= 3 && passes <= 2 * m; ++passes) {
    const Window best = bestWindow(v, lo, hi, W);
    W *= kShrink;
    lo = best.start;
    hi = lo + best.count - 1;
    if (v[lo] == v[hi]) break;
  }
  return edgeValue(v, lo, hi);
}

double Valeur_Dominante(std::span<const double> sample) {
  if (sample.size() <= 3) return 0;
  const std::span<const double> values = sample.subspan(1);
  if (std::find(values.begin(), values.end(), 0.0) == values.end()) return Recherche_Dominante(values);
  std::vector<double> nonZero;
  nonZero.reserve(values.size());
  std::copy_if(values.begin(), values.end(), std::back_inserter(nonZero), [](double x) { return x != 0; });
  return Recherche_Dominante(nonZero);
}

}  // namespace stats

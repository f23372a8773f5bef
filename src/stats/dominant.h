#pragma once
// Sorting of a sample held in elements 1 to n (element 0 holds 0 and takes no part),
// and its dominant value: an estimate of the mode by successive narrowing of the
// densest cluster of values.

#include <span>

namespace stats {

// Sorts elements first to last of the sample in ascending order, in place; the rest
// is untouched. Nothing happens for first >= last. Returns false, touching nothing,
// when the range reaches outside the sample.
bool Tri_Rapide(std::span<double> sample, int first, int last);

// The dominant value of a sample sorted ascending in elements 1 to n. Element 0 and
// zero values take no part; 0 when fewer than five values remain. A value that is
// not finite is an unexpected failure: a beep, MSG 99 to the message slot, and 0.
double Valeur_Dominante(std::span<const double> sample);

// The search behind Valeur_Dominante, on a 0-based array whose every element is a
// value, sorted ascending (an unsorted array is searched on a sorted copy); the same
// results at the edges.
double Recherche_Dominante(std::span<const double> values);

}  // namespace stats

#pragma once
// The optimal spore: the measured spore of two dimensions whose length and width lie
// nearest to a reference point of the sample (its means, medians or dominant values),
// with weights that may scale each difference. Pure functions of their arguments.

#include <functional>
#include <span>

// The options of the optimal spore, 0 "Non" to 11 "e / Largeur dominante".
constexpr int kDerniereOptionSpore = 11;

// What the options read of the sample: means and standard deviations of the length,
// width and Q, the medians and dominant values of the length and width.
struct SporeStats {
  float moyL = 0, moyW = 0, moyQ = 0;
  float sigL = 0, sigW = 0;
  float medL = 0, medW = 0;
  float domL = 0, domW = 0;
};

// The reference point and the weights of the length and width differences.
struct SporeReference {
  float longueur = 0, largeur = 0;
  float poidsL = 1, poidsW = 1;
};

// The reference of an option: 1 to 3 the means, 4 to 6 the medians, 7 to 9 the
// dominant values, with the weights 1 and 1, Qm and 1, or sigma of the widths and
// sigma of the lengths; 10 the dominant length alone, 11 the dominant width alone;
// 0 (and any other) the point 0, 0 with weights 1, 1.
SporeReference Reference_Spore(int option, const SporeStats& s);

// True for the options that weigh the length by Qm (2, 5 and 8).
bool Option_Qm(int option);

// The row (1-based index into the spans) nearest to the reference by the weighted
// distance; the first of equal rows wins; 0 when no row is a candidate. A row is a
// candidate when `candidat` (if given) accepts its 1-based index.
int Rang_Spore_Optimale(const SporeReference& ref, std::span<const double> longueurs,
                        std::span<const double> largeurs, const std::function<bool(int)>& candidat = {});

#include "projection/codes.hpp"

#include <array>

#include "projection/azimuthal.hpp"
#include "projection/cylindrical.hpp"
#include "projection/equal_area_conic.hpp"
#include "projection/lambert_conic.hpp"
#include "projection/oblique.hpp"
#include "projection/polyconic.hpp"
#include "projection/pseudocylindrical.hpp"
#include "projection/state.hpp"
#include "projection/transverse_mercator.hpp"
#include "projection/van_der_grinten.hpp"

namespace dorvix {

namespace {

// The polar routines with their extra arguments from the state, in either
// precision.
template <typename T>
void stereographic_polar(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  inverspsll(x, y, lon, lat, n, T(llpparam.anglep1), T(llorig.xorigll), T(llorig.yorigll));
}

template <typename T>
void stereographic_oblique(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  inversion_oblique(x, y, lon, lat, n, T(llpparam.anglep1), T(llorig.xorigll), T(llorig.yorigll));
}

template <typename T>
void orthographic_polar(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  orthogpsll(x, y, lon, lat, n, T(llpparam.anglep1), T(llorig.xorigll), T(llorig.yorigll));
}

template <typename T>
void perspective_polar(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  perspvpsll2(x, y, lon, lat, n, T(llpparam.pconst2), T(llpparam.pconst1), T(llorig.xorigll), T(llorig.yorigll));
}

template <typename T>
void gnomonic_polar(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  gnomopsll(x, y, lon, lat, n, T(llorig.xorigll), T(llorig.yorigll));
}

template <typename T>
void gnomonic_oblique_aspect(std::span<T> x, std::span<T> y, std::span<const T> lon, std::span<const T> lat, int n) {
  gnomonic_oblique(x, y, lon, lat, n, T(llorig.xorigll), T(llorig.yorigll));
}

// The cut of each code (see MapCut).
constexpr MapCut opposite = MapCut::opposite_central_meridian;
constexpr MapCut step = MapCut::longitude_step;
constexpr MapCut none = MapCut::none;

// code, routine, name, ellipsoidal, cut, forward, precise, far_side_cut
constexpr std::array<ProjectionCode, 25> table{{
    {1, "tm2", "transverse Mercator, sphere", false, opposite, tm2, tm2, true},
    {2, "tme2", "transverse Mercator, ellipsoid", true, opposite, tme2, tme2},
    {3, "lcc2", "Lambert conformal conic, two standard parallels, sphere", false, opposite, lcc2, lcc2},
    {4, "lcce2", "Lambert conformal conic, two standard parallels, ellipsoid", true, opposite, lcce2, lcce2},
    {5, "lazea2", "Lambert azimuthal equal-area, polar", false, none, lazea2, lazea2},
    {6, "lazea2", "Lambert azimuthal equal-area, oblique", false, none, lazea_oblique, lazea_oblique},
    {7, "inverspsll", "stereographic (inversion), polar", false, none, stereographic_polar<real>,
     stereographic_polar<double>},
    {8, "inverspsll", "stereographic (inversion), oblique", false, none, stereographic_oblique<real>,
     stereographic_oblique<double>},
    {9, "orthogpsll", "orthographic, polar", false, none, orthographic_polar<real>, orthographic_polar<double>},
    {10, "orthobl2", "orthographic, oblique", false, none, orthobl2, orthobl2},
    {11, "perspvpsll2", "near-side perspective, polar", false, none, perspective_polar<real>,
     perspective_polar<double>},
    {12, "persobl2", "near-side perspective, oblique", false, none, persobl2, persobl2},
    {13, "polyco2", "polyconic, sphere", false, opposite, polyco2, polyco2},
    {14, "imwpoly2", "modified polyconic of the International Map of the World, ellipsoid", true, opposite, imwpoly2,
     imwpoly2},
    {15, "mersphe2", "Mercator, sphere", false, step, mersphe2, mersphe2},
    {16, "merel2", "Mercator, ellipsoid", true, step, merel2, merel2},
    {17, "gnomopsll", "gnomonic, polar", false, none, gnomonic_polar<real>, gnomonic_polar<double>},
    {18, "gnomopsll", "gnomonic, oblique", false, none, gnomonic_oblique_aspect<real>, gnomonic_oblique_aspect<double>},
    {19, "albesph2", "Albers equal-area conic, one standard parallel, sphere", false, step, albesph2, albesph2},
    {20, "bonnesph2", "Bonne, sphere", false, step, bonnesph2, bonnesph2},
    {21, "wernesphe2", "Werner, sphere", false, step, wernesphe2, wernesphe2},
    {22, "sanflamsph2", "Sanson-Flamsteed (sinusoidal), sphere", false, step, sanflamsph2, sanflamsph2},
    {23, "lcnesphe2", "Lambert cylindrical equal-area, normal aspect, sphere", false, step, lcnesphe2, lcnesphe2},
    {24, "mollw2", "Mollweide, sphere", false, opposite, mollw2, mollw2},
    {25, "grinte2", "Van der Grinten, sphere", false, opposite, grinte2, grinte2},
}};

}  // namespace

std::span<const ProjectionCode> projection_codes() { return table; }

const ProjectionCode* find_projection_code(int code) {
  if (code < 1 || code > static_cast<int>(table.size())) return nullptr;
  return &table[static_cast<std::size_t>(code - 1)];
}

}  // namespace dorvix

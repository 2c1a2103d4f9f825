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

// The singular place of each code (see SingularKind).
constexpr SingularPlace poles{};
constexpr SingularPlace far_side{.kind = SingularKind::far_side_cut};
constexpr SingularPlace central_band{.kind = SingularKind::band};
// Azimuthal maps: the antipode or the horizon of their centre, with the
// circle of the largest angle drawn where the code takes one.
constexpr SingularPlace antipode_polar{.kind = SingularKind::antipode, .limited = true};
constexpr SingularPlace antipode_oblique{.kind = SingularKind::antipode, .oblique = true, .limited = true};
constexpr SingularPlace hemisphere_polar_limited{.kind = SingularKind::horizon, .limited = true};
constexpr SingularPlace hemisphere_oblique{.kind = SingularKind::horizon, .oblique = true};
constexpr SingularPlace infinite_horizon_polar{.kind = SingularKind::horizon, .at_infinity = true};
constexpr SingularPlace infinite_horizon_oblique{.kind = SingularKind::horizon, .oblique = true, .at_infinity = true};
constexpr SingularPlace view_polar{.kind = SingularKind::horizon, .from_viewpoint = true};
constexpr SingularPlace view_oblique{.kind = SingularKind::horizon, .oblique = true, .from_viewpoint = true};

// code, routine, name, ellipsoidal, cut, singular place, forward, precise
constexpr std::array<ProjectionCode, projection_code_count> table{{
    {1, "tm2", "transverse Mercator, sphere", false, opposite, far_side, tm2, tm2},
    {2, "tme2", "transverse Mercator, ellipsoid", true, opposite, poles, tme2, tme2},
    {3, "lcc2", "Lambert conformal conic, two standard parallels, sphere", false, opposite, poles, lcc2, lcc2},
    {4, "lcce2", "Lambert conformal conic, two standard parallels, ellipsoid", true, opposite, poles, lcce2, lcce2},
    {5, "lazea2", "Lambert azimuthal equal-area, polar", false, none, antipode_polar, lazea2, lazea2},
    {6, "lazea2", "Lambert azimuthal equal-area, oblique", false, none, antipode_oblique, lazea_oblique,
     lazea_oblique},
    {7, "inverspsll", "stereographic (inversion), polar", false, none, antipode_polar, stereographic_polar<real>,
     stereographic_polar<double>},
    {8, "inverspsll", "stereographic (inversion), oblique", false, none, antipode_oblique,
     stereographic_oblique<real>, stereographic_oblique<double>},
    {9, "orthogpsll", "orthographic, polar", false, none, hemisphere_polar_limited, orthographic_polar<real>,
     orthographic_polar<double>},
    {10, "orthobl2", "orthographic, oblique", false, none, hemisphere_oblique, orthobl2, orthobl2},
    {11, "perspvpsll2", "near-side perspective, polar", false, none, view_polar, perspective_polar<real>,
     perspective_polar<double>},
    {12, "persobl2", "near-side perspective, oblique", false, none, view_oblique, persobl2, persobl2},
    {13, "polyco2", "polyconic, sphere", false, opposite, poles, polyco2, polyco2},
    {14, "imwpoly2", "modified polyconic of the International Map of the World, ellipsoid", true, opposite, poles,
     imwpoly2, imwpoly2},
    {15, "mersphe2", "Mercator, sphere", false, step, poles, mersphe2, mersphe2},
    {16, "merel2", "Mercator, ellipsoid", true, step, poles, merel2, merel2},
    {17, "gnomopsll", "gnomonic, polar", false, none, infinite_horizon_polar, gnomonic_polar<real>,
     gnomonic_polar<double>},
    {18, "gnomopsll", "gnomonic, oblique", false, none, infinite_horizon_oblique, gnomonic_oblique_aspect<real>,
     gnomonic_oblique_aspect<double>},
    {19, "albesph2", "Albers equal-area conic, one standard parallel, sphere", false, step, poles, albesph2,
     albesph2},
    {20, "bonnesph2", "Bonne, sphere", false, step, poles, bonnesph2, bonnesph2},
    {21, "wernesphe2", "Werner, sphere", false, step, poles, wernesphe2, wernesphe2},
    {22, "sanflamsph2", "Sanson-Flamsteed (sinusoidal), sphere", false, step, poles, sanflamsph2, sanflamsph2},
    {23, "lcnesphe2", "Lambert cylindrical equal-area, normal aspect, sphere", false, step, poles, lcnesphe2,
     lcnesphe2},
    {24, "mollw2", "Mollweide, sphere", false, opposite, poles, mollw2, mollw2},
    {25, "grinte2", "Van der Grinten, sphere", false, opposite, central_band, grinte2, grinte2},
}};
static_assert(in_code_order(table), "the table of codes holds codes 1 to 25 in order");

}  // namespace

std::span<const ProjectionCode> projection_codes() { return table; }

const ProjectionCode* find_projection_code(int code) {
  if (code < 1 || code > static_cast<int>(table.size())) return nullptr;
  return &table[static_cast<std::size_t>(code - 1)];
}

}  // namespace dorvix

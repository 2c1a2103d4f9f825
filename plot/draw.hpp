#pragma once
// Drawing in user units: subplot frames, primitives, symbols and curve
// sampling, on top of the plot device.
//
// Three units: user units (whatever the caller draws in), centimetres on
// the paper and device points (PostScript points, 28.35 to the
// centimetre). Each of the 35 subplots has a frame, an affine map from user
// units to centimetres; composed with the centimetre-to-device map it gives
// the user-to-device map every drawing routine converts its points with.
// Arrays of n points are read from their first element; an output array
// may be the input array wherever a routine converts points.

#include <span>
#include <string>
#include <string_view>

#include "dialogue/setup_mode.hpp"
#include "numbers/real.hpp"
#include "plot/curve_fixed_parameters.hpp"
#include "plot/curve_level_values.hpp"
#include "plot/device.hpp"
#include "plot/running_point_values.hpp"

namespace dorvix {

// ---- Subplot frames and coordinate maps -----------------------------------

// Selects the current subplot: isub, or the current one for the stored
// modes, or subplot 1 with the announcement for the defaults and
// setup::all_subplots; even modes show the SUBPLOTS box. Codes that name
// no start take isub as passed. A number outside 1..35 is refused in an
// error box and, when the user resumes, subplot 1 is chosen.
void ssubplot(int& isub, SetupMode mode);
// The centimetre-to-device map: 28.35 points per centimetre, origin 0.
void scm2de();
// The user-to-device map of the current subplot, from its frame.
void sus2de();
// The centimetre-to-user map of the current subplot: the inverse of its
// frame (left as it was when the frame cannot be inverted).
void scm2us();
// The user-to-device and centimetre-to-user maps of all 35 subplots from
// their stored frames, as a plot file is opened; the current subplot stays.
// A frame that was never stored (all zero) keeps a zero inverse.
void ssubplotmaps();
// Points through the maps of the current subplot; n <= 0 does nothing.
void us2de(std::span<real> xde, std::span<real> yde, std::span<const real> xus, std::span<const real> yus, int n);
void cm2us(std::span<real> xus, std::span<real> yus, std::span<const real> xcm, std::span<const real> ycm, int n);
void cm2de(std::span<real> xde, std::span<real> yde, std::span<const real> xcm, std::span<const real> ycm, int n);
// A length on paper in device points: lde = lcm * 28.35 (the same in every
// subplot).
void lengthcm2de(real& lde, real lcm);

// ---- Frame set-up ---------------------------------------------------------

// The frame of the current subplot (setup::all_subplots: of every
// subplot, from the defaults) as a map: xcm = xcm0 + xx*xu + xy*yu, ycm =
// ycm0 + yx*xu + yy*yu. The defaults are (10, 10, identity); even modes
// show the dialogue. A frame
// without inverse, or whose values overflow in device points, is refused
// in an error box and the subplot keeps its frame; while a plot file is
// open the device-side maps of each subplot whose frame is stored are
// composed again.
void sus2cm1(real& xcm0, real& ycm0, real& xx, real& xy, real& yx, real& yy, SetupMode mode);
// The frame as a window: the user rectangle [xumin, xumax] x [yumin, yumax]
// fills the paper box of xlcm by ylcm cm whose lower-left corner is at
// (xcm0, ycm0); ixy 1 gives both axes the smaller scale. Modes as sus2cm1,
// except that setup::stored only returns the stored window. A window without
// width or height, or one that gives no usable frame, is refused in an
// error box and the subplot keeps its frame and window.
void sus2cm3(real& xcm0, real& ycm0, real& xlcm, real& ylcm, real& xumin, real& xumax, real& yumin, real& yumax,
             int& ixy, SetupMode mode);
// True when sus2cm3 would store the frame of this window, passed without
// dialogue: the window has width and height, and its frame is usable.
bool window_fits(real xcm0, real ycm0, real xlcm, real ylcm, real xumin, real xumax, real yumin, real yumax, int ixy);
// The dialogues of the two set-ups: show the values, ask whether to alter
// them, and ask each in turn.
void mus2cm1(real& xcm0, real& ycm0, real& xx, real& xy, real& yx, real& yy);
void mus2cm3(real& xcm0, real& ycm0, real& xlcm, real& ylcm, real& xumin, real& xumax, real& yumin, real& yumax,
             int& ixy);

// ---- Drawing in user units ------------------------------------------------

// Copies at most nbmax points from point `is` (1-based) of x, y into xb, yb;
// nb receives the count and `is` the index of the last point copied, so the
// next chunk starts on it. is > nx: an error box and nothing copied.
void buffer2(std::span<real> xb, std::span<real> yb, int nbmax, int& nb, std::span<const real> x,
             std::span<const real> y, int nx, int& is);
// The open polyline through n user points, in device paths of at most 501
// points that overlap by one point.
void usline(std::span<const real> x, std::span<const real> y, int n);
// The polygon of n user vertices, closed, filled by the fill style and
// outlined; more than 501 vertices are drawn as pieces sharing a vertex.
void uspolygon(std::span<const real> x, std::span<const real> y, int n);
// One pen move (ipen 0) or draw (ipen 1) to a user point.
void usplot(real x, real y, int ipen);
// A text anchored at a user point, or at a point on the paper (cm).
void ustext2(real x, real y, std::string_view text);
void cmtext2(real x, real y, std::string_view text);
// n arrows from the tails (x1, y1) to the tips (x2, y2): a shaft to 0.6 of
// the way and a stroked triangular head of half-width 0.15 of the length.
void usarrow1(std::span<const real> x1, std::span<const real> y1, std::span<const real> x2,
              std::span<const real> y2, int n);
// A full circle, and an arc from angle a0 to a1 (radians from the user x
// axis towards the y axis), with n points per full turn.
void uscircle(real xc, real yc, real r, int n);
void usacircle(real xc, real yc, real r, real a0, real a1, int n);

// ---- Run-information caption ----------------------------------------------

// Records the plotting routine at work (name, version, date) for the
// caption, each cut or blank-padded to its field; the integers are not read.
void ssubinfo(std::string_view cname, std::string_view cver, std::string_view cdate, int idum1, int idum2);
// The three lines of run information (main program, plotting routine,
// machine, date and time), the first at (x, y) cm on the paper, in half the
// current text height, 1.5 such heights apart downwards; the text height
// is restored. The mode is not read.
void cmplotruninfo0(real x, real y, SetupMode mode);
// A free caption line: line iline (from 1) of the same column below (x, y).
void cmplotcharinfo0(std::string_view text, int iline, real x, real y, SetupMode mode);

// ---- Plane geometry -------------------------------------------------------

// Matrices are 2 by 2 by columns (m(1,1), m(2,1), m(1,2), m(2,2)); an
// output may be one of the inputs.
void m22x21(Vec2& c, const Mat22& a, const Vec2& b);    // c = a b
void m22x22(Mat22& c, const Mat22& a, const Mat22& b);  // c = a b
void vsum(std::span<real> a, std::span<const real> b, std::span<const real> c, int n);  // a = b + c
// a = the inverse of b, by the adjugate over the determinant. A zero
// determinant (or an inverse that overflows) is reported in an error box;
// a is then left unchanged and the result is false.
bool minv2d(Mat22& a, const Mat22& b);
// r = rotation by a radians, anticlockwise.
void matrot2drad(Mat22& r, real a);
// The unit arrow pointing to the origin from x = 1 (7 vertices) and the unit
// bar along +x (4 vertices), open outlines; np receives the count. A room
// ndim too small is refused in an error box and nothing is written.
void arrow2d(std::span<real> x, std::span<real> y, int& np, int ndim);
void rectangle1(std::span<real> x, std::span<real> y, int& np, int ndim);
// Scaling about the origin, translation and rotation about (xc, yc) of n
// points; the output may be the input.
void homot02d1(std::span<real> xo, std::span<real> yo, std::span<const real> xi, std::span<const real> yi, int n,
               real k);
void transl2d1(std::span<real> xo, std::span<real> yo, std::span<const real> xi, std::span<const real> yi, int n,
               real dx, real dy);
void rot2daff(std::span<real> xo, std::span<real> yo, std::span<const real> xi, std::span<const real> yi, int n,
              real xc, real yc, real a);

// ---- Symbols --------------------------------------------------------------

// Symbol size in cm (the diameter of the circle through the symbol's outer
// points; default 0.4) and symbol type code (default 1; a negative code
// fills the closed shapes). The six common modes store the value; even
// modes show the menu (the size only for the common ones). ssymboltype
// also takes setup::list_codes_only (the list of symbol codes alone, as a
// menu body while menu bodies are shown, with no frame, question or stored
// value; the stereonet's axis-symbol menu shows it in its own box) and
// setup::answer_only (asks, stores nothing).
void ssymbolsize(real& size, SetupMode inter);
void ssymboltype(int& itype, SetupMode inter);
// The current symbol at each of n user points of the current subplot.
void ussymbol(std::span<const real> x, std::span<const real> y, int n);

// ---- Curve sampling -------------------------------------------------------

// Setters of the running point: count of points (1..1000), initial and
// final values, increment, name. Codes that name no start take the value
// passed; even modes show the setter's menu; every mode stores. scptnp
// also knows setup::single_point_quietly.
void scptnp(int& np, SetupMode mode);
void scptif(real& pti, real& ptf, SetupMode mode);
void scptd(real& ptd, SetupMode mode);
void scptnam(std::string& name, SetupMode mode);
// Makes count and increment agree by the calculation type (0, 1: the
// increment from the count; 2, 3: the count from the increment, 2 also
// adjusting the increment to land on the final value); 100 added keeps
// the description texts as they are.
void scptend(int itype, SetupMode mode);
// Master menu (even modes), listing (setup::list_curves) and
// initialisation (the defaults) of all curve parameters.
void scall(SetupMode mode);
// The levels of a family of curves (type 0, 1: the increment from the
// count; 2, 3: the count from the increment; 4: one level).
void sclevel2(real& vinit, real& vfinal, real& vinc, int& nlev, int& itype, std::string& name, SetupMode mode);
// The number of fixed curve parameters (0..4), and fixed parameter `index`
// (type 0 name only, 1 real, 2 integer, 3 text).
void scparfixnb(int& nparfix, SetupMode mode);
void scparfix1(std::string& name, int& itype, real& rval, int& ival, std::string& cval, int& index,
               SetupMode mode);

}  // namespace dorvix

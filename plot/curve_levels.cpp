// The levels of a family of curves (a series of values from an initial to
// a final value, by count or by increment, or a single level) and up to
// four named fixed curve parameters with a real, integer or text value,
// each with its setter and menu. They serve the dialogue and the listing
// of the curve parameters.

#include <algorithm>
#include <string>

#include "console/boxes.hpp"
#include "console/edit.hpp"
#include "console/frames.hpp"
#include "console/iocom.hpp"
#include "console/number_writers.hpp"
#include "console/prompts.hpp"
#include "console/range_checks.hpp"
#include "plot/curve_lines.hpp"
#include "plot/draw.hpp"
#include "plot/point_counts.hpp"

namespace dorvix {

using namespace curvelines;

namespace {

constexpr Header sclevel2_header{"sclevel2", " 4.0", "22-07-2008"};
constexpr Header scparfixnb_header{"scparfixnb", " 2.0", "21-05-2008"};
constexpr Header scparfix_header{"scparfix", " 6.0", "21-05-2008"};

// Defaults of the levels: 11 levels from 0 to 1 by 0.1, by count.
constexpr real default_vinit = 0.0f, default_vfinal = 1.0f, default_vinc = 0.1f;
constexpr int default_nlev = 11;
constexpr std::string_view default_levname = "level";
// Defaults of a fixed parameter.
constexpr std::string_view default_parname = "parameter";
constexpr std::string_view no_value = "---";

constexpr int level_width = 4;  // integer columns of the level lines
constexpr int fixed_width = 6;  // integer columns of the fixed-parameter lines

// As for the running point: a quotient up to this much below a whole
// number counts as that number; remainders above the first are adjusted
// (type 2), above the second also reported.
constexpr real count_tolerance = 0.002f;
constexpr real remainder_adjusted = 5.0e-5f;
constexpr real remainder_reported = 0.001f;

// Record texts: names of 5 characters, level texts of 51 and 56, fixed
// values of 12 and descriptions of 17 (built in 20).
constexpr std::size_t name_length = 5;
constexpr std::size_t value_length = 12;
constexpr std::size_t info_length = 17;
constexpr std::size_t info_work_length = 20;
constexpr int value_room = 9;  // characters of a value written as text

// A level value in its shortest fixed-point form with 3 decimals, at most
// 9 characters.
std::string level_number(real v) {
  std::string t(value_room, ' ');
  int nchar = 0;
  real2charf1(t, nchar, 3, value_room, v);
  return t.substr(0, static_cast<std::size_t>(nchar));
}

void level_lines(int type, bool with_count, int nlev, real vinit, real vfinal, real vinc) {
  integer(" Calculation type    =", type, level_width);
  if (with_count) integer(" nb of levels        =", nlev, level_width);
  real_value(" initial             =", vinit);
  real_value(" final               =", vfinal);
  real_value(" increment           =", vinc);
}

// Brings count and increment into agreement by the calculation type.
void compute_levels(real vinit, real vfinal, real& vinc, int& nlev, int& type) {
  for (;;) {
    if (type == 0 || type == 1) {
      if (nlev > 1) {
        vinc = (vfinal - vinit) / static_cast<real>(nlev - 1);
        return;
      }
      if (nlev == 1) {
        vinc = 1.0f;
        return;
      }
      errorhead(sclevel2_header);
      text("Computing increment from nb of curves");
      integer(" Calculation type =", type, level_width);
      integer(" nb of curves =", nlev, level_width);
      text("==> NEED nb > 0");
      nlev = 1;
      integer("==> RESET nb =", nlev, level_width);
      errortail00();
    } else if (type == 2 || type == 3) {
      if ((vfinal >= vinit && vinc > 0) || (vfinal < vinit && vinc < 0)) {
        nlev = clamped_count((vfinal - vinit) / vinc + count_tolerance, max_count) + 1;
        if (nlev < 2) return;
        const real r = (vfinal - vinit - vinc * static_cast<real>(nlev - 1)) / vinc;
        if (!(r > remainder_adjusted)) return;
        const bool report = r > remainder_reported;
        if (report) {
          warninghead(sclevel2_header);
          text("Levels computed from increment:");
          level_lines(type, true, nlev, vinit, vfinal, vinc);
          real_value(" remainder/increment =", r);
          text("==> large remainder");
        }
        if (type == 2) {
          vinc = (vfinal - vinit) / static_cast<real>(nlev - 1);
          if (report) {
            text("==> RECOMPUTED:");
            real_value(" increment =", vinc);
          }
        } else if (report) {
          text("==> final level not reached");
        }
        if (report) warningtail00();
        return;
      }
      errorhead(sclevel2_header);
      text("Levels computed from increment:");
      level_lines(type, false, nlev, vinit, vfinal, vinc);
      text("==> INCONSISTENT LOOP");
      text("==> NEED TO CORRECT IT");
      text("==> SETTING SINGLE LEVEL");
      nlev = 1;
      type = 1;
      integer(" Nb of levels        =", nlev, level_width);
      integer(" Calculation type    =", type, level_width);
      errortail00();
    } else {  // type 4: a single level
      if (nlev != 1) {
        warninghead(sclevel2_header);
        text("Single level:");
        level_lines(type, true, nlev, vinit, vfinal, vinc);
        nlev = 1;
        text("==> RESETTING:");
        integer(" Nb of levels        =", nlev, level_width);
        warningtail00();
      }
      return;
    }
  }
}

void ask_increment(real& vinc) {
  for (;;) {
    ask_real(vinc, "level increment value >0<");
    if (vinc != 0) return;
    warninghead(sclevel2_header);
    real_value("Increment =", vinc);
    text("Increment MUST be non zero");
    text("==> BACK TO QUERY");
    warningtail00();
  }
}

void ask_count(int& nlev) {
  for (;;) {
    ask_int(nlev, "nb of level curves");
    if (nlev > 0) return;
    warninghead(sclevel2_header);
    integer("Nb of level curves =", nlev, level_width);
    text("MUST BE > 0");
    text("==> BACK TO QUERY");
    warningtail00();
  }
}

// Mode convention of the three setters: 2 and 3 from the record, 4 and 5
// the defaults.
bool from_record(int mode) { return mode == 2 || mode == 3; }
bool from_defaults(int mode) { return mode == 4 || mode == 5; }

}  // namespace

void sclevel2(real& vinit, real& vfinal, real& vinc, int& nlev, int& itype, std::string& name, int mode) {
  if (from_record(mode)) {
    vinit = plevblock.vlevi;
    vfinal = plevblock.vlevf;
    vinc = plevblock.vlevd;
    nlev = plevblock.nlev;
    name = plevblock.levname;
  } else if (from_defaults(mode)) {
    vinit = default_vinit;
    vfinal = default_vfinal;
    vinc = default_vinc;
    nlev = default_nlev;
    name = default_levname;
    itype = 1;
  }
  if (itype < 0 || itype > 4) {
    warninghead(sclevel2_header);
    integer("Calculation type =", itype, level_width);
    text("==> Unknown");
    text("==> RESETTING TYPE TO USE INCREMENT");
    itype = 2;
    integer("Calculation type =", itype, level_width);
    warningtail00();
  }
  compute_levels(vinit, vfinal, vinc, nlev, itype);
  if (mode % 2 == 0) {
    menu_loop(
        sclevel2_header,
        [&] {
          rule();
          text("         CURVES LEVEL PARAMETER");
          rule();
          text("level name       :", name);
          integer("Calculation type =", itype, level_width);
          real_value("level initial value ...........10", vinit);
          real_value("level final   value ...........11", vfinal);
          real_value("level increment ...............12", vinc);
          text("modify init, final & inc ......13");
          integer("nb of level curves ............14", nlev, level_width);
          text("modify init, final & nb .......15");
          real_value("single level value ............20", vinit);
          rule();
        },
        [&](int choice) {
          if (choice == 20) {
            // One level: nothing to compute.
            ask_real(vinit, "single level value");
            nlev = 1;
            vfinal = vinit;
            vinc = 1.0f;
            itype = 4;
            return;
          }
          if (choice == 10 || choice == 13 || choice == 15) ask_real(vinit, "level initial value");
          if (choice == 11 || choice == 13 || choice == 15) ask_real(vfinal, "level final value");
          if (choice == 12 || choice == 13) {
            itype = 2;
            ask_increment(vinc);
          }
          if (choice == 14 || choice == 15) {
            itype = 1;
            ask_count(nlev);
          }
          compute_levels(vinit, vfinal, vinc, nlev, itype);
        });
  }
  PlevBlock& b = plevblock;
  b.vlevi = vinit;
  b.vlevf = vfinal;
  b.vlevd = vinc;
  b.nlev = nlev;
  b.levname = edit::pad(name, name_length);
  b.levtext = edit::pad(" init = " + level_number(vinit) + " final = " + level_number(vfinal) + " inc = " +
                            level_number(vinc),
                        b.levtext.size());
  b.levlabel = edit::pad(std::string(trimmed(b.levname)) + b.levtext, b.levlabel.size());
}

void scparfixnb(int& nparfix, int mode) {
  if (from_record(mode)) {
    nparfix = pfixblock.nparfix;
  } else if (from_defaults(mode)) {
    nparfix = 0;
  }
  int istat = 0;
  cinvin(nparfix, 0, max_fixed_parameters, "scparfixnb", "nparfixa", istat);
  if (istat != 0) {
    nparfix = max_fixed_parameters;
    integer("  ===> reset nparfixa =", nparfix, fixed_width);
  }
  if (mode % 2 == 0) {
    menu_loop(
        scparfixnb_header,
        [&] {
          rule();
          text("          CURVES FIXED PARAMETERS");
          rule();
          integer("max nb of fixed params ..........", max_fixed_parameters, fixed_width);
          integer("current nb of fixed params ....10", nparfix, fixed_width);
          rule();
        },
        [&](int choice) {
          if (choice == 10) ask_int_in(nparfix, "nb of fixed parameters", 1, max_fixed_parameters);
        });
  }
  pfixblock.nparfix = nparfix;
}

namespace {

// A fixed parameter's value as a text of at least 12 characters: a real in
// 9 characters by magnitude, an integer left-aligned.
void value_text(std::string& cval, int type, real rval, int ival) {
  std::string t(std::max(cval.size(), value_length), ' ');
  if (type == 1) {
    caream(t, value_room, rval);
  } else {
    int nchar = 0;
    carinm2(t, nchar, value_room, ival);
  }
  cval = t;
}

// The one-line description: the name, and " = " with the value for types
// 1 to 3.
std::string description(std::string_view name, int type, std::string_view cval) {
  std::string d(trimmed(name));
  if (type != 0) d += " = " + std::string(trimmed(cval));
  return edit::pad(d, info_work_length);
}

// Values brought in line with the type.
void align_values(int type, real& rval, int& ival, std::string& cval) {
  switch (type) {
    case 0:
      rval = 0;
      ival = 0;
      cval = no_value;
      break;
    case 1:
      ival = truncated_int(rval);
      value_text(cval, type, rval, ival);
      break;
    case 2:
      rval = static_cast<real>(ival);
      value_text(cval, type, rval, ival);
      break;
    default:
      rval = 0;
      ival = 0;
      break;
  }
}

void type_list() {
  const std::string rule28(28, '-');
  say(rule28);
  text("Parameter type:");
  text("name only - no value ......0");
  text("real.......................1");
  text("integer....................2");
  text("character..................3");
  say(rule28);
}

void wrong_type_box() {
  warninghead(scparfix_header);
  text("Wrong type of parameter");
  text("=====> NO ACTION");
  warningtail0(0);
}

}  // namespace

void scparfix1(std::string& name, int& itype, real& rval, int& ival, std::string& cval, int& index, int mode) {
  PfixBlock& b = pfixblock;
  if (from_record(mode) && index >= 1 && index <= max_fixed_parameters) {
    // A slot outside the four is not read: the checks below reset it.
    const auto k = static_cast<std::size_t>(index - 1);
    name = b.pfixname[k];
    itype = b.ipfixtype[k];
    rval = b.pfix[k];
    ival = b.ipfix[k];
    cval = b.pfixvalue[k];
  } else if (from_defaults(mode)) {
    name = default_parname;
    itype = 1;
    rval = 0;
  }
  int istat = 0;
  cinvin(itype, 0, 3, "scparfix", "ipfixtypea", istat);
  if (istat != 0) {
    itype = 0;
    integer("  ===> reset ipfixtypea =", itype, fixed_width);
  }
  if (b.nparfix < 1) {
    warninghead(scparfix_header);
    integer("nparfix =", b.nparfix, fixed_width);
    text("=====> NO ACTION");
    warningtail0(0);
    return;
  }
  const int in_use = std::min(b.nparfix, max_fixed_parameters);
  cinvin(index, 1, in_use, "scparfix", "ifix1", istat);
  if (istat != 0) {
    index = in_use;
    integer("  ===> reset ifix1 =", index, fixed_width);
  }
  align_values(itype, rval, ival, cval);
  std::string info = description(name, itype, cval);

  if (mode % 2 == 0) {
    menu_loop(
        scparfix_header,
        [&] {
          rule();
          text("          CURVES FIXED PARAMETERS");
          rule();
          integer("max nb of fixed params .........", max_fixed_parameters, fixed_width);
          integer("current nb of fixed params .....", b.nparfix, fixed_width);
          rule();
          text("Parameter to modify");
          rule();
          integer("index  ..........................", index, fixed_width);
          text("name ..........................10", name);
          integer("type ..........................20", itype, fixed_width);
          // The value of the parameter's type carries its option number.
          real_value(itype == 1 ? "real      value ...............30" : "real      value .................", rval);
          integer(itype == 2 ? "integer   value ...............40" : "integer   value .................", ival,
                  fixed_width);
          text(itype == 3 ? "character value ...............50" : "character value .................", cval);
          text("info:", info);
          rule();
        },
        [&](int choice) {
          if (choice == 10) {
            ask_text(name, "parameter name");
            if (itype == 0) align_values(itype, rval, ival, cval);
            info = description(name, itype, cval);
          } else if (choice == 20) {
            type_list();
            ask_int_in(itype, "your choice", 0, 3);
          } else if (choice == 30 || choice == 40 || choice == 50) {
            // Options 30, 40 and 50 are for types 1, 2 and 3.
            if (itype != choice / 10 - 2) {
              wrong_type_box();
              return;
            }
            if (itype == 1) ask_real(rval, name);
            if (itype == 2) ask_int(ival, name);
            if (itype == 3) ask_text(cval, name);
            align_values(itype, rval, ival, cval);
            info = description(name, itype, cval);
          }
        },
        Prompt::with_default);
  }
  const auto k = static_cast<std::size_t>(index - 1);
  b.pfixname[k] = edit::pad(name, name_length);
  b.ipfixtype[k] = itype;
  b.pfix[k] = rval;
  b.ipfix[k] = ival;
  b.pfixvalue[k] = edit::pad(cval, value_length);
  b.pfixinfo[k] = edit::pad(info, info_length);
}

}  // namespace dorvix

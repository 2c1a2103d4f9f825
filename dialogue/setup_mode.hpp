#pragma once
// The mode that every set-up routine and driver takes as its last
// argument: whether the routine shows its menu, and where the values it
// works on start from.
//
//   code  menu  values start from
//   0     yes   the values passed
//   1     no    the values passed (stored as they are)
//   2     yes   the values stored
//   3     no    the values stored, only handed back
//   4     yes   the defaults ("INITIALIZING" announced)
//   5     no    the defaults: the silent initialisation of start-up
//
// An even code shows the menu, an odd one does not. A few routines take
// codes of their own besides these six (named below, with the routines
// that know them); a routine given a code it does not know says so in a
// box ("inter =" and "===> NO ACTION"), which is why the number is kept.
// Modes are built from numbers only where a number is read from a user or
// a file; everywhere else they are named.

namespace dorvix {

class SetupMode {
 public:
  constexpr explicit SetupMode(int code) : code_(code) {}

  // The number, for the boxes that print it and for numbers read.
  constexpr int code() const { return code_; }

  // An even code: the routine shows its menu.
  constexpr bool shows_menu() const { return code_ % 2 == 0; }
  // An odd code: the routine works without a word of menu.
  constexpr bool silent() const { return !shows_menu(); }

  // 0 or 1: the values passed.
  constexpr bool from_passed() const { return code_ == 0 || code_ == 1; }
  // 2 or 3: the values stored.
  constexpr bool from_stored() const { return code_ == 2 || code_ == 3; }
  // 4 or 5: the defaults.
  constexpr bool from_defaults() const { return code_ == 4 || code_ == 5; }
  // 3: the stored values handed back, nothing else done.
  constexpr bool returns_stored() const { return code_ == 3; }
  // 5: the defaults set, nothing shown but the announcement.
  constexpr bool initialise_only() const { return code_ == 5; }
  // One of the six codes every set-up routine knows.
  constexpr bool is_common() const { return code_ >= 0 && code_ <= 5; }

  // The same code as `other`, the menu apart: 6 matches 6 and 7.
  constexpr bool matches(SetupMode other) const { return with_menu(false) == other.with_menu(false); }

  // The same start of the values, with the menu shown or not.
  constexpr SetupMode with_menu(bool shown) const {
    return SetupMode(shows_menu() == shown ? code_ : (shown ? code_ - 1 : code_ + 1));
  }

  constexpr bool operator==(const SetupMode&) const = default;

 private:
  int code_;
};

namespace setup {

// The six common modes.
inline constexpr SetupMode menu_from_passed{0};
inline constexpr SetupMode passed{1};
inline constexpr SetupMode menu_from_stored{2};
inline constexpr SetupMode stored{3};
inline constexpr SetupMode menu_from_defaults{4};
inline constexpr SetupMode initialise{5};

// Codes of particular routines: each routine that knows one of them says
// what it does with it; the others give the "NO ACTION" box. 6 and 7 are
// a second pair of initialising codes that a few routines read each its
// own way, so they bear a name for each reading.
// The subplot routines (ssubplot, sus2cm1, sus2cm3) from the defaults on
// all 35 subplots at once, 6 with the dialogue of each, 7 without. The
// plot parameters (splotparam2) read them as the opening of a plot file:
// every subplot's maps composed from its frame, subplot 1 current, the
// attributes reset.
inline constexpr SetupMode all_subplots_menu{6};
inline constexpr SetupMode all_subplots{7};
// The stereonet's projection and frame (sspro, sschmidt, swulf,
// srepstereo0) from their defaults as with 4 and 5, srepstereo0 resetting
// its corner labels alone.
inline constexpr SetupMode net_defaults_menu{6};
inline constexpr SetupMode net_defaults{7};
// The count of the running point (scptnp) stored without the warning that
// a single point is drawn.
inline constexpr SetupMode single_point_quietly_menu{6};
inline constexpr SetupMode single_point_quietly{7};
// The listing of every curve parameter (scall).
inline constexpr SetupMode list_curves{6};
// The plot parameters from their defaults with the angle constants and the
// colour table but not the attributes (splotparam2): 8 with the frame
// dialogues, 9 without.
inline constexpr SetupMode defaults_but_attributes_menu{8};
inline constexpr SetupMode defaults_but_attributes{9};
// The symbol-type table alone (ssymboltype), for the axis-symbol menu.
inline constexpr SetupMode list_codes_only{102};
// A menu whose answer is handed back without being stored (ssymboltype,
// sdspaxsymb).
inline constexpr SetupMode answer_only{200};

}  // namespace setup

}  // namespace dorvix

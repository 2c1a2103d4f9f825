#include "colfile/column_dialogue.hpp"

#include <algorithm>

#include "colfile/column_layout.hpp"
#include "colfile/dialogue_lines.hpp"
#include "colfile/header_lines.hpp"
#include "dialogue/boxes.hpp"
#include "dialogue/range_checks.hpp"
#include "files/units.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

using colfile::at;
using colfile::count_line;
using colfile::shown;

namespace {

constexpr Header scol2var_header{"scol2var", " 3.2", "15-01-2008"};

// Width of a name in the tables.
constexpr int table_name_width = 10;

// One table row: "|nn|name" for each pair, then "|" and, when given, the
// number to type to change the row.
struct Cell {
  int number;
  std::string_view name;
};
void table_row(std::initializer_list<Cell> cells, int command = 0) {
  std::string line = " ";
  for (const Cell& c : cells) {
    line += '|';
    edit::i(line, c.number, 2);
    line += '|';
    edit::a(line, c.name, table_name_width);
  }
  line += '|';
  if (command > 0) edit::i(line, command, 2);
  put(iocom.iuout, line);
}

void table_head(std::string_view title, std::initializer_list<std::string_view> columns) {
  say("|-----------------------------------------|");
  say(title);
  say("|-----------------------------------------|");
  for (auto line : columns) say(line);
}

// Which rows the user may change.
bool rows_changeable(int imodlev) { return imodlev >= 1 && imodlev <= 4; }

// The caller's variables and array column names, with the steps of the
// dialogue that read or change them.
class Correspondence {
 public:
  explicit Correspondence(ColumnArray& data)
      : jcola_(data.jcola),
        jfcola_(data.jfcola),
        namvara_(data.namvara),
        nvar_(data.nvar),
        namrcol_(data.namrcol),
        ncolused_(data.ncolused) {}

  int nvarmax() const { return static_cast<int>(std::min({jcola_.size(), jfcola_.size(), namvara_.size()})); }
  int ncolmax() const { return static_cast<int>(namrcol_.size()); }
  int bound() const { return std::min(nvarmax(), max_variables); }

  // Variable v reads file column v into array column v (or the last).
  void set_default(int v) {
    jfcola_[at(v)] = v;
    jcola_[at(v)] = std::min(v, ncolmax());
    std::string& name = namvara_[at(v)];
    name = edit::pad(colfile::numbered_name("Variable.", v), name.size());
  }

  void defaults() {
    nvar_ = 0;
    for (int v = 1; v <= nvarmax(); ++v) set_default(v);
    ReadRealSetup& rs = readrealsetup;
    for (int v = 1; v <= max_variables; ++v) {
      rs.jfcol[at(v)] = v;
      rs.jcol[at(v)] = std::min(v, ncolmax());
      rs.namvar[at(v)] = edit::pad(colfile::numbered_name("Variable.", v), column_name_width);
    }
    rs.nvar = 0;
    ncolused_ = 0;
    name_array_columns();
  }

  void from_record() {
    ReadRealSetup& rs = readrealsetup;
    nvar_ = rs.nvar;
    for (int v = 1; v <= nvar_; ++v) {
      jcola_[at(v)] = rs.jcol[at(v)];
      jfcola_[at(v)] = rs.jfcol[at(v)];
      namvara_[at(v)] = edit::pad(rs.namvar[at(v)], namvara_[at(v)].size());
    }
  }

  void to_record() const {
    ReadRealSetup& rs = readrealsetup;
    rs.nvar = nvar_;
    for (int v = 1; v <= nvar_; ++v) {
      rs.jcol[at(v)] = jcola_[at(v)];
      rs.jfcol[at(v)] = jfcola_[at(v)];
      rs.namvar[at(v)] = edit::pad(namvara_[at(v)], column_name_width);
    }
  }

  // A file column outside 1 to 99 becomes 1; nfcol the highest used.
  void check_file_columns() {
    ReadRealSetup& rs = readrealsetup;
    rs.nfcol = 0;
    for (int v = 1; v <= nvar_; ++v) {
      int& j = jfcola_[at(v)];
      if (j < 1 || j > max_file_columns) {
        warninghead(scol2var_header);
        count_line("            variable nb =", v);
        count_line("    file col nb to read =", j);
        count_line("max file col nb to read =", max_file_columns);
        j = 1;
        count_line("====> RESET file col nb =", j);
        warningtail00();
      }
      rs.nfcol = std::max(rs.nfcol, j);
    }
  }

  // An array column beyond the array becomes its last (one below 1 its
  // first); ncolused the highest used.
  void check_array_columns() {
    ncolused_ = 0;
    for (int v = 1; v <= nvar_; ++v) {
      int& j = jcola_[at(v)];
      if (j < 1 || j > ncolmax()) {
        warninghead(scol2var_header);
        count_line("               variable nb =", v);
        count_line("    array col nb to store  =", j);
        count_line("max array col nb available =", ncolmax());
        j = j < 1 ? 1 : ncolmax();
        count_line("=======> RESET file col nb =", j);
        warningtail00();
      }
      ncolused_ = std::max(ncolused_, j);
    }
  }

  // Each array column named after the file column stored in it.
  void name_array_columns() {
    for (int c = 1; c <= ncolmax(); ++c) {
      std::string& name = namrcol_[at(c)];
      name = edit::pad(colfile::numbered_name("Nodata.", c), name.size());
    }
    const ReadRealSetup& rs = readrealsetup;
    for (int v = 1; v <= nvar_; ++v) {
      std::string& name = namrcol_[at(jcola_[at(v)])];
      name = edit::pad(rs.namfcol[at(jfcola_[at(v)])], name.size());
    }
  }

  void status_screen(std::string_view fname, std::string_view title, int ilist) const {
    const ReadRealSetup& rs = readrealsetup;
    submenuhead(scol2var_header);
    say("        PROGRAM            <-->  INPUT FILE");
    dash_rule();
    say("VARIABLE <--> ARRAY COLUMN <--> FILE COLUMN");
    say("RECORD   <--> ARRAY LINE   <--> FILE LINE");
    say(" CAN ALTER THE COLUMN CORRESPONDANCE ONLY ");
    dash_rule();
    say("    Input file status");
    ItemLine().text("Input file name:").text(shown(fname)).write();
    ItemLine().text("Title:").text(shown(title)).write();
    say("    Number of variable status");
    count_line("Could read up to     :", bound());
    count_line("Planning to read     :", nvar_);
    say("    Number of array columns status");
    count_line("Can use up to        :", ncolmax());
    count_line("Planning to use up to:", ncolused_);
    say("    Number of input file columns status");
    count_line("Can read up to       :", max_file_columns);
    count_line("Planning to read     :", rs.nfcol);
    say("    Listing type");
    count_line("ilist                :", ilist);
  }

  void array_table() const {
    table_head("|               ARRAY STATUS              |",
               {"|  ARRAY col  |                           |", "|-------------|---------------------------|",
                "|nb|   name   |                           |", "|--|----------|---------------------------|"});
    for (int c = 1; c <= ncolmax(); ++c) table_row({{c, namrcol_[at(c)]}});
  }

  void correspondence_table(int imodlev) const {
    const ReadRealSetup& rs = readrealsetup;
    table_head("|          CORRESPONDANCE STATUS          |",
               {"|   VARIABLE  |  ARRAY col  |  FILE col   |", "|-------------|-------------|-------------|",
                "|nb|   name   |nb|   name   |nb|   name   |", "|--|----------|--|----------|--|----------|"});
    const bool changeable = rows_changeable(imodlev);
    for (int v = 1; v <= nvar_; ++v) {
      const int jc = jcola_[at(v)], jf = jfcola_[at(v)];
      table_row({{v, namvara_[at(v)]}, {jc, namrcol_[at(jc)]}, {jf, rs.namfcol[at(jf)]}}, changeable ? v : 0);
    }
    if (changeable) {
      say("------------------------------------------- |");
      say("Command to modify correspondance <----------+");
    } else {
      dash_rule();
    }
  }

  // The number of variables, from 0 to the bound; those from the old
  // number (or the first) to the new one start from the defaults.
  void change_count() {
    const int old = nvar_;
    ask_int_in(nvar_, "total nb of variables to store", 0, bound());
    for (int v = std::max(old, 1); v <= nvar_; ++v) set_default(v);
  }

  void change_variable(int v, int imodlev) {
    const ReadRealSetup& rs = readrealsetup;
    say("Modifying correspondance");
    ItemLine().text(" Variable name  =").text(shown(namvara_[at(v)])).write();
    count_line(" Array col nb   =", jcola_[at(v)]);
    ItemLine().text(" Array col name =").text(shown(namrcol_[at(jcola_[at(v)])])).write();
    count_line(" File col nb    =", jfcola_[at(v)]);
    ItemLine().text(" File col name  =").text(shown(rs.namfcol[at(jfcola_[at(v)])])).write();
    if (imodlev >= 3) {
      std::string& name = namvara_[at(v)];
      int istat = 0;
      const std::string def = name;
      inchardef(name, "New variable name", def, istat, def.size());
    }
    if (imodlev >= 2) ask_int_in(jcola_[at(v)], "New array column nb", 1, ncolmax());
    ask_int_in(jfcola_[at(v)], "New file column nb", 1, max_file_columns);
  }

 private:
  std::span<int> jcola_;
  std::span<int> jfcola_;
  std::span<std::string> namvara_;
  int& nvar_;
  std::span<std::string> namrcol_;
  int& ncolused_;
};

// The file column names for this turn of the dialogue.
void read_names(int& ierr, std::string_view fname, int iunit, bool open, SetupMode mode) {
  ReadRealSetup& rs = readrealsetup;
  if (open) {
    int status = 0;
    getfnamcol(status, rs.namfcol, rs.nfcol, fname, iunit, rs.iheader, 0);
    if (status == 0) return;
    errorhead(scol2var_header);
    say("COULD NOT READ COLUMN HEADERS");
    ItemLine().text("IN FILE:").text(shown(fname)).write();
    say("===> setting default header");
    ierr = 1;
    errortail00();
  } else if (!mode.from_defaults()) {
    warninghead(scol2var_header);
    say("Input file is not opened");
    say("===> cannot read header");
    say("===> setting default header");
    warningtail00();
  } else {
    submenuhead(scol2var_header);
    say("Input file not yet open");
    say("===> initializing header");
  }
  colfile::default_column_names(rs.namfcol, rs.nfcol);
}

}  // namespace

void scol2var2(int& ierr, ColumnArray& data, std::string_view fname, int iunit, int imodlev, SetupMode mode) {
  ReadRealSetup& rs = readrealsetup;
  Correspondence cor(data);
  int& nvar = data.nvar;
  ierr = 0;
  int ilist = 0;

  if (mode.from_defaults()) {
    submenuhead(scol2var_header);
    say("INITIALIZING VARIABLES<->COLUMNS");
    cor.defaults();
  } else if (mode.from_stored()) {
    if (rs.nvar > cor.bound()) {
      errorhead(scol2var_header);
      count_line("Currently set nvar =", rs.nvar, "variables");
      count_line("Max nb of variables =", cor.bound());
      rs.nvar = cor.bound();
      count_line("===> RESET nvar =", rs.nvar);
      errortail00();
    }
    cor.from_record();
  } else {
    if (!mode.from_passed()) {
      int istat = 0;
      cinvin(mode.code(), 0, 5, "scol2var", "inter", istat);
    }
    // More variables than the caller holds would be stored outside its
    // arrays: the check holds in every mode that starts from the caller.
    if (nvar > cor.bound()) {
      warninghead(scol2var_header);
      count_line("Trying to set nvar =", nvar, "variables");
      count_line("Max nb of variables =", cor.bound());
      nvar = cor.bound();
      count_line("===> RESET nvar =", nvar);
      warningtail00();
    }
  }
  nvar = std::max(nvar, 0);

  const bool even = mode.shows_menu();
  const bool open = units().is_open(iunit);
  std::string title = edit::pad("Untitled", own_title_width);
  if (even) {
    if (open) {
      int status = 0;
      getftitle1(status, title, fname, iunit, rs.ititle, 1);
      if (status != 0) ierr = 1;
    } else if (mode != setup::menu_from_defaults) {
      warninghead(scol2var_header);
      say("Input file is not opened");
      say("===> cannot read title");
      ItemLine().text("setting title =").text(shown(title)).write();
      warningtail00();
    } else {
      submenuhead(scol2var_header);
      say("Input file not yet open");
      ItemLine().text("===> initializing title =").text(shown(title)).write();
    }
  }

  // The columns checked and named again before each pass of the menu.
  const auto refresh = [&] {
    cor.check_file_columns();
    cor.check_array_columns();
    read_names(ierr, fname, iunit, open, mode);
    cor.name_array_columns();
  };
  refresh();
  if (even) {
    const MenuTable menu{.rows = {{.draw =
                                       [&] {
                                         cor.status_screen(fname, title, ilist);
                                         if (ilist == 1) cor.array_table();
                                         cor.correspondence_table(imodlev);
                                       }},
                                  {.choice = 200,
                                   .label = "Change nb of variables to read",
                                   .action =
                                       [&] {
                                         if (imodlev == 4) cor.change_count();
                                       },
                                   .shown = [imodlev] { return imodlev == 4; }},
                                  {.choice = 300,
                                   .label = "Change listing type ",
                                   .action = [&ilist] { ask_int_in(ilist, "Show array status ? (0/1)", 0, 1); }},
                                  colfile::setup_exit_row},
                         .width = colfile::option_width};
    choice_loop(
        scol2var_header, [&menu] { colfile::show_setup_menu(menu); },
        [&](int choice) {
          // The variables' rows are numbered from 1 up, and their numbers
          // come before the menu's own (99 included).
          Reply r = Reply::again;
          if (rows_changeable(imodlev) && choice >= 1 && choice <= nvar) {
            cor.change_variable(choice, imodlev);
          } else if (choice == menu_exit_choice) {
            return Reply::leave;
          } else {
            r = dispatch(menu, choice);
          }
          refresh();
          return r;
        },
        Prompt::with_default);
  }
  cor.to_record();
}

}  // namespace dorvix

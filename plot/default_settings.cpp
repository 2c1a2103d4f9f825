#include "plot/default_settings.hpp"

#include <cerrno>

#include "dialogue/file_opener.hpp"
#include "files/file_owner.hpp"
#include "files/units.hpp"
#include "numbers/edit.hpp"
#include "numbers/fixed_fields.hpp"

namespace dorvix {

namespace {

// A logical field read the Fortran way: optional blanks and a point, then
// T or F (what follows the letter is not looked at); a blank field is false.
bool read_logical(std::string_view field, bool& value) {
  const auto start = field.find_first_not_of(' ');
  if (start == std::string_view::npos) {
    value = false;
    return true;
  }
  field.remove_prefix(start);
  if (field.front() == '.') field.remove_prefix(1);
  if (field.empty()) return false;
  switch (field.front()) {
    case 'T':
    case 't':
      value = true;
      return true;
    case 'F':
    case 'f':
      value = false;
      return true;
    default:
      return false;
  }
}

}  // namespace

bool parse_default_settings(std::string_view line, DefaultSettings& s, LackingSettings* lacking) {
  if (line.find_first_not_of(' ') == std::string_view::npos) return false;
  // A field the line does not hold whole (the file was cut short) is read
  // as blank, which gives each field its default.
  LackingSettings cut;
  cut.columns = line.size();
  const auto field = [&line](int col, int width, bool& lacks) {
    lacks = line.size() < static_cast<std::size_t>(col + width - 1);
    return lacks ? std::string(static_cast<std::size_t>(width), ' ') : field_text(line, col, width);
  };
  DefaultSettings r;
  int copies = 0, dialect = 0;
  if (!read_logical(field(2, 2, cut.overlay), r.loverlay)) return false;
  if (!read_field_int(field(5, 3, cut.copies), 1, 3, copies)) return false;
  if (!read_field_int(field(13, 2, cut.dialect), 1, 2, dialect)) return false;
  const std::string orientation = field(9, 3, cut.orientation);
  if (orientation.find_first_not_of(' ') != std::string::npos) r.psorient = orientation;
  r.ncopies = copies >= min_copies && copies <= max_copies ? copies : 1;
  r.ipstype = dialect >= 1 && dialect <= 3 ? dialect : 2;
  s = r;
  if (lacking != nullptr) *lacking = cut;
  return true;
}

std::string default_settings_record(const DefaultSettings& s) {
  std::string line = " ";
  edit::l(line, s.loverlay, 2);
  line += ' ';
  edit::i(line, s.ncopies, 3);
  line += ' ';
  line += edit::pad(s.psorient, 3);
  line += ' ';
  edit::i(line, s.ipstype, 2);
  return line;
}

SettingsFile read_default_settings(DefaultSettings& s, int unit, std::optional<FileId>* found,
                                   LackingSettings* lacking) {
  s = DefaultSettings{};
  if (lacking != nullptr) *lacking = LackingSettings{};
  const std::string name(default_settings_file);
  if (found != nullptr) *found = std::nullopt;
  // The file opened tells what the name stands for: nothing, a file, or
  // something else (a folder, a pipe, a device).
  OpenRequest files_only;
  files_only.files_only = true;
  const OpenResult r = units().open(unit, name, FileStatus::old_file, files_only);
  if (r.failure == OpenFailure::device || (!r && r.error == EISDIR)) return SettingsFile::not_settings;
  if (!r) {
    // A file that could not be read (another program writes it) is what a
    // new record would replace.
    if (found != nullptr && r.error != ENOENT) *found = name_id(name);
    return SettingsFile::unread;
  }
  if (found != nullptr) *found = units().identity(unit);
  std::string line;
  const ReadResult got = units().read_line(unit, line);
  units().close(unit);
  if (got == ReadResult::end_of_file) return SettingsFile::unread;
  if (got == ReadResult::ok && parse_default_settings(line, s, lacking)) return SettingsFile::read;
  s = DefaultSettings{};
  return SettingsFile::not_settings;
}

FileEnd write_default_settings(const DefaultSettings& s, int unit, const std::optional<FileId>* found) {
  const std::string name(default_settings_file);
  OpenRequest how;
  if (found != nullptr) {
    how.named = *found;
    how.must_be_new = !found->has_value();
  }
  FileEnd refused;
  if (sticky_refuses(name)) {
    refused.reason = open_failure_text({OpenFailure::sticky, 0, 0}, name);
    return refused;
  }
  if (const OpenResult r = units().open(unit, name, FileStatus::unknown, how); !r) {
    refused.reason = open_failure_text(r, name);
    return refused;
  }
  units().write_line(unit, default_settings_record(s));
  units().write_line(unit, std::string(settings_record_width, ' '));
  return units().close(unit);
}

}  // namespace dorvix

#pragma once
// The console dialogue: everything a routine needs to talk to the user.

#include "console/answers.hpp"
#include "console/boxes.hpp"
#include "console/command_file.hpp"
#include "console/edit.hpp"
#include "console/file_opener.hpp"
#include "console/fixed_fields.hpp"
#include "console/frames.hpp"
#include "console/iocom.hpp"
#include "console/list_read.hpp"
#include "console/number_parse.hpp"
#include "console/number_writers.hpp"
#include "console/prompts.hpp"
#include "console/range_checks.hpp"
#include "console/real.hpp"
#include "console/run_end.hpp"
#include "console/units.hpp"

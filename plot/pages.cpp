// Page breaks and the trailer of the plot file.

#include <string>

#include "console/units.hpp"
#include "plot/device.hpp"
#include "plot/ps_stream.hpp"

namespace dorvix {

void intnewpage() {
  psstrokepath();
  ps::record("gsave showpage");
  ps::record("%%End Page");
  ps::record("grestore");
  ++psparams.ipspage;
  ps::page_record(psparams.ipspage);
}

void psend() {
  psstrokepath();
  if (psparams.ipstype == dialect_illustrator) {
    for (std::string_view l : {"%%PageTrailer", "%%Trailer", "Adobe_Illustrator881 /terminate get exec",
                               "Adobe_customcolor /terminate get exec", "Adobe_cshow /terminate get exec",
                               "Adobe_packedarray /terminate get exec", "%%EOF"}) {
      ps::record(l);
    }
  } else {
    ps::record("showpage");
    ps::record("%%End Page");
    ps::record("%%Trailer");
    std::string line = "%%Pages:";
    ps::page_number(line, psparams.ipspage);
    ps::record(line);
    ps::record("%%EOF");
  }
  units().close(psparams.ipsunit);
}

}  // namespace dorvix

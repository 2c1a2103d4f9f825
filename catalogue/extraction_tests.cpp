#include "catalogue/extraction_tests.hpp"

namespace dorvix {

void gscseistest(real& latmin, real& latmax, real& longmin, real& longmax, real& depthmin, real& depthmax) {
  const SeisTest2& t = seistest2;
  latmin = t.rlatmin;
  latmax = t.rlatmax;
  longmin = t.rlongmin;
  longmax = t.rlongmax;
  depthmin = t.depthmin;
  depthmax = t.depthmax;
}

}  // namespace dorvix

#pragma once
// Drawing in user units: subplot frames, primitives, symbols and curve
// sampling, on top of the plot device.

#include "plot/device.hpp"

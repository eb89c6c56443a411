#include "effect/LevelLaw.h"

#include <cmath>

namespace {

// Computed once when the module is loaded.
const double kLevelLawScale = 1.0 / (1.0 - std::exp(-3.0));

}  // namespace

double LevelGain(double level) {
  return 1.0 - (1.0 - std::exp(-3.0 * (1.0 - 0.5 * level))) * kLevelLawScale;
}

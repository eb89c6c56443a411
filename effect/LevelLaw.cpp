#include "effect/LevelLaw.h"

#include "effect/RoundedMath.h"

namespace {

// Computed once when the module is loaded.
const double kLevelLawScale = 1.0 / (1.0 - ExpRounded(-3.0));

}  // namespace

double LevelGain(double level) {
  return 1.0 - (1.0 - ExpRounded(-3.0 * (1.0 - 0.5 * level))) * kLevelLawScale;
}

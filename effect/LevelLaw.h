#pragma once

// Output gain of the drive path for the "Level" value 0..1: the lower half of
// an exponential curve, from 0 at 0 to about 0.1824 at 1.
double LevelGain(double level);

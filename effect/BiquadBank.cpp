#include "effect/BiquadBank.h"

#include <emmintrin.h>

#include <algorithm>

void BiquadBank::Clear() {
  *this = BiquadBank();
}

void BiquadBank::SetCoefficients(int slot, const BiquadCoefficients& c) {
  b0_[slot] = c.b0;
  b1_[slot] = c.b1;
  b2_[slot] = c.b2;
  a1_[slot] = c.a1;
  a2_[slot] = c.a2;
}

BiquadCoefficients BiquadBank::Coefficients(int slot) const {
  return {b0_[slot], b1_[slot], b2_[slot], a1_[slot], a2_[slot]};
}

void BiquadBank::FlushTinyStates() {
  const auto flush = [](double& v) {
    if (v < kTinyState && v > -kTinyState) v = 0.0;
  };
  for (int slot = 0; slot < kSlots; ++slot) {
    flush(y1_[slot]);
    flush(y2_[slot]);
  }
}

namespace {

// Two neighbouring stages of a series side by side in one SSE2 register: lane
// 0 is stage j on sample n, lane 1 stage j + 1 on sample n - 1, so the lanes
// never wait on each other. Each lane does exactly the scalar operations of
// Run, in the same order, so the results are the same to the bit.
struct StagePair {
  __m128d b0, b1, b2, a1, a2;
  __m128d x1, x2, y1, y2;
  __m128d passed;  // each lane's output plus the offset, from the last step
};

// The pairs' share of one wavefront step. `first` is what stage 0 of the
// group takes (in lane 1). Where `active` is given, lanes that hold no sample
// of the block keep their states.
template <int kPairs, bool kMasked>
inline void StepPairs(StagePair (&pairs)[kPairs], __m128d first, const __m128d* active) {
  const __m128d offset = _mm_set1_pd(BiquadBank::kDenormalOffset);
  // Inputs first, from the previous step's outputs, before any pair moves on.
  __m128d inputs[kPairs];
  inputs[0] = _mm_shuffle_pd(first, pairs[0].passed, 1);
  for (int k = 1; k < kPairs; ++k)
    inputs[k] = _mm_shuffle_pd(pairs[k - 1].passed, pairs[k].passed, 1);
  for (int k = 0; k < kPairs; ++k) {
    StagePair& p = pairs[k];
    const __m128d x = inputs[k];
    __m128d y = _mm_add_pd(_mm_mul_pd(p.b0, x), _mm_mul_pd(p.b1, p.x1));
    y = _mm_add_pd(y, _mm_mul_pd(p.b2, p.x2));
    y = _mm_sub_pd(y, _mm_mul_pd(p.a1, p.y1));
    y = _mm_sub_pd(y, _mm_mul_pd(p.a2, p.y2));
    if constexpr (kMasked) {
      const __m128d keep = active[k];
      const auto pick = [keep](__m128d fresh, __m128d old) {
        return _mm_or_pd(_mm_and_pd(keep, fresh), _mm_andnot_pd(keep, old));
      };
      p.x2 = pick(p.x1, p.x2);
      p.x1 = pick(x, p.x1);
      p.y2 = pick(p.y1, p.y2);
      p.y1 = pick(y, p.y1);
    } else {
      p.x2 = p.x1;
      p.x1 = x;
      p.y2 = p.y1;
      p.y1 = y;
    }
    p.passed = _mm_add_pd(y, offset);
  }
}

}  // namespace

template <int kPairs>
void BiquadBank::RunGroup(int first, int stages, double* samples, int count) {
  // A group with an odd number of stages leaves the last lane idle: it holds
  // a pass-through stage that is never active and never written back.
  StagePair pairs[kPairs];
  const auto lanes = [](const double* values, int slot, bool idle) {
    return _mm_set_pd(idle ? 0.0 : values[slot + 1], values[slot]);
  };
  for (int k = 0; k < kPairs; ++k) {
    const int slot = first + 2 * k;
    const bool idle = 2 * k + 1 >= stages;
    StagePair& p = pairs[k];
    p.b0 = idle ? _mm_set_pd(1.0, b0_[slot]) : lanes(b0_, slot, false);
    p.b1 = lanes(b1_, slot, idle);
    p.b2 = lanes(b2_, slot, idle);
    p.a1 = lanes(a1_, slot, idle);
    p.a2 = lanes(a2_, slot, idle);
    p.x1 = lanes(x1_, slot, idle);
    p.x2 = lanes(x2_, slot, idle);
    p.y1 = lanes(y1_, slot, idle);
    p.y2 = lanes(y2_, slot, idle);
    p.passed = _mm_setzero_pd();
  }

  // Stage i works on sample t - i at step t; the steps where some stage has
  // no sample (filling and draining the wavefront) keep those stages still.
  const __m128d allLanes = _mm_castsi128_pd(_mm_set1_epi32(-1));
  const __m128d noLane = _mm_setzero_pd();
  const int steps = count + stages - 1;
  const int last = stages - 1;
  for (int t = 0; t < steps; ++t) {
    const __m128d input = _mm_set_pd(t < count ? samples[t] : 0.0, 0.0);
    if (t >= last && t < count) {
      StepPairs<kPairs, false>(pairs, input, nullptr);
    } else {
      __m128d active[kPairs];
      for (int k = 0; k < kPairs; ++k) {
        const auto on = [&](int stage) {
          return stage < stages && t - stage >= 0 && t - stage < count;
        };
        active[k] =
            _mm_shuffle_pd(on(2 * k) ? allLanes : noLane, on(2 * k + 1) ? allLanes : noLane, 0);
      }
      StepPairs<kPairs, true>(pairs, input, active);
    }
    if (t >= last) {
      const __m128d out = pairs[last / 2].passed;
      samples[t - last] =
          (last % 2 == 0) ? _mm_cvtsd_f64(out) : _mm_cvtsd_f64(_mm_unpackhi_pd(out, out));
    }
  }

  for (int k = 0; k < kPairs; ++k) {
    const int slot = first + 2 * k;
    const StagePair& p = pairs[k];
    const auto store = [&](double* values, __m128d v) {
      values[slot] = _mm_cvtsd_f64(v);
      if (2 * k + 1 < stages) values[slot + 1] = _mm_cvtsd_f64(_mm_unpackhi_pd(v, v));
    };
    store(x1_, p.x1);
    store(x2_, p.x2);
    store(y1_, p.y1);
    store(y2_, p.y2);
  }
}

void BiquadBank::RunSeries(int first, int last, double* samples, int count) {
  if (count <= 0) return;
  // Groups of up to six stages: enough independent work to hide each
  // stage's own recursion, few enough states to stay in registers.
  for (int slot = first; slot <= last; slot += 2 * kPairsPerGroup) {
    const int stages = std::min(last - slot + 1, 2 * kPairsPerGroup);
    switch ((stages + 1) / 2) {
      case 1:
        RunGroup<1>(slot, stages, samples, count);
        break;
      case 2:
        RunGroup<2>(slot, stages, samples, count);
        break;
      default:
        RunGroup<kPairsPerGroup>(slot, stages, samples, count);
        break;
    }
  }
}

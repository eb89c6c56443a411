#include "tools/DemoSignal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace render {
namespace {

struct RiffNote {
  double startBeats;
  double lengthBeats;
  double frequencyHz;
};

// Equal-tempered pitches written out, so no platform's pow() enters the signal.
constexpr double kE2 = 82.40688922821748;
constexpr double kG2 = 97.99885899543733;
constexpr double kA2 = 110.0;
constexpr double kB2 = 123.47082531403103;
constexpr double kD3 = 146.83238395870378;
constexpr double kE3 = 164.81377845643496;
constexpr double kG3 = 195.99771799087463;

// An E minor pentatonic riff in eighth notes, ending on a ringing power chord.
constexpr RiffNote kRiff[] = {
    {0.0, 0.5, kE2}, {0.5, 0.5, kE2}, {1.0, 0.5, kG2}, {1.5, 0.5, kE2}, {2.0, 0.5, kA2},
    {2.5, 0.5, kE2}, {3.0, 0.5, kB2}, {3.5, 0.5, kA2}, {4.0, 0.5, kE2}, {4.5, 0.5, kD3},
    {5.0, 0.5, kE3}, {5.5, 0.5, kD3}, {6.0, 0.5, kB2}, {6.5, 0.5, kA2}, {7.0, 0.5, kG2},
    {7.5, 0.5, kA2}, {8.0, 4.0, kE2}, {8.0, 4.0, kB2}, {8.0, 4.0, kE3}, {8.02, 4.0, kG3},
};
constexpr double kBeatsPerSecond = 2.0;  // 120 beats per minute
constexpr double kTotalBeats = 13.0;
constexpr double kPeak = 0.5;

// A small linear congruential generator: the same noise bursts everywhere.
class PluckNoise {
 public:
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) * (2.0 / 16777216.0) - 1.0;
  }

 private:
  std::uint32_t state_ = 0x2545F491u;
};

// One Karplus-Strong string: a noise burst circulating through an averaging
// loop, which loses high frequencies a little faster than low ones.
void AddPluckedString(const RiffNote& note, double sampleRate, PluckNoise& noise,
                      std::vector<float>& out) {
  const size_t period = static_cast<size_t>(sampleRate / note.frequencyHz - 0.5);
  if (period < 2) return;
  std::vector<double> loop(period);
  double previous = 0.0;
  for (double& sample : loop) {
    // A softer pick: the burst is low-passed once.
    const double raw = noise.Next();
    sample = 0.5 * (raw + previous);
    previous = raw;
  }
  // The averaging loop keeps whatever mean the burst has for the whole note;
  // a real string holds no offset.
  double sum = 0.0;
  for (const double sample : loop) sum += sample;
  const double mean = sum / static_cast<double>(period);
  for (double& sample : loop) sample -= mean;
  const size_t start = static_cast<size_t>(note.startBeats / kBeatsPerSecond * sampleRate);
  const size_t held = static_cast<size_t>(note.lengthBeats / kBeatsPerSecond * sampleRate);
  // After the note's length the string is damped by the fretting hand.
  const size_t release = static_cast<size_t>(0.04 * sampleRate);
  size_t position = 0;
  for (size_t i = 0; i < held + release && start + i < out.size(); ++i) {
    const double current = loop[position];
    const size_t nextPosition = position + 1 == period ? 0 : position + 1;
    const double decay = i < held ? 0.9985 : 0.96;
    loop[position] = decay * 0.5 * (current + loop[nextPosition]);
    position = nextPosition;
    out[start + i] += static_cast<float>(current);
  }
}

}  // namespace

AudioData MakeDemoRiff(double sampleRate) {
  AudioData audio;
  audio.sampleRate = sampleRate;
  const size_t frames = static_cast<size_t>(kTotalBeats / kBeatsPerSecond * sampleRate);
  audio.channels.assign(1, std::vector<float>(frames, 0.0f));
  PluckNoise noise;
  for (const RiffNote& note : kRiff) AddPluckedString(note, sampleRate, noise, audio.channels[0]);

  float peak = 0.0f;
  for (float sample : audio.channels[0]) peak = std::max(peak, std::fabs(sample));
  if (peak > 0.0f) {
    const float gain = static_cast<float>(kPeak) / peak;
    for (float& sample : audio.channels[0]) sample *= gain;
  }
  return audio;
}

}  // namespace render

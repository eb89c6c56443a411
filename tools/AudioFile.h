#pragma once
// Reading and writing audio files: WAV (and whatever else libsndfile knows)
// where libsndfile is available, and headerless little-endian float32 files
// (".raw", ".f32") everywhere, for builds without it.

#include <string>
#include <vector>

namespace render {

// Planar audio: one vector of samples per channel, all the same length.
struct AudioData {
  double sampleRate = 48000.0;
  std::vector<std::vector<float>> channels;

  size_t Frames() const { return channels.empty() ? 0 : channels[0].size(); }
};

// Headerless files carry neither rate nor channel count; the caller supplies both.
struct RawFormat {
  double sampleRate = 48000.0;
  int channels = 2;
};

bool IsRawAudioPath(const std::string& path);

bool ReadAudioFile(const std::string& path, const RawFormat& raw, AudioData& audio,
                   std::string& error);

// Writes 32-bit float samples, or 16-bit PCM when pcm16 is set (WAV only).
bool WriteAudioFile(const std::string& path, const AudioData& audio, bool pcm16,
                    std::string& error);

}  // namespace render

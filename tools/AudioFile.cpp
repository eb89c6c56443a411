#include "tools/AudioFile.h"

#include <cstdio>
#include <memory>

#ifdef CORVALENT_HAVE_SNDFILE
#include <sndfile.h>
#endif

namespace render {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool EndsWith(const std::string& text, const char* suffix) {
  const std::string tail(suffix);
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool ReadRaw(const std::string& path, const RawFormat& raw, AudioData& audio, std::string& error) {
  if (raw.channels < 1) {
    error = "raw files need at least one channel";
    return false;
  }
  FilePtr file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    error = "cannot open " + path;
    return false;
  }
  std::vector<float> interleaved;
  float block[4096];
  size_t got = 0;
  while ((got = std::fread(block, sizeof(float), 4096, file.get())) > 0) {
    interleaved.insert(interleaved.end(), block, block + got);
  }
  const size_t channels = static_cast<size_t>(raw.channels);
  const size_t frames = interleaved.size() / channels;
  audio.sampleRate = raw.sampleRate;
  audio.channels.assign(channels, std::vector<float>(frames));
  for (size_t i = 0; i < frames; ++i) {
    for (size_t c = 0; c < channels; ++c) audio.channels[c][i] = interleaved[i * channels + c];
  }
  return true;
}

bool WriteRaw(const std::string& path, const AudioData& audio, std::string& error) {
  FilePtr file(std::fopen(path.c_str(), "wb"));
  if (!file) {
    error = "cannot create " + path;
    return false;
  }
  const size_t frames = audio.Frames();
  std::vector<float> interleaved(frames * audio.channels.size());
  for (size_t i = 0; i < frames; ++i) {
    for (size_t c = 0; c < audio.channels.size(); ++c) {
      interleaved[i * audio.channels.size() + c] = audio.channels[c][i];
    }
  }
  if (std::fwrite(interleaved.data(), sizeof(float), interleaved.size(), file.get()) !=
      interleaved.size()) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

#ifdef CORVALENT_HAVE_SNDFILE
bool ReadWithSndfile(const std::string& path, AudioData& audio, std::string& error) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) {
    error = path + ": " + sf_strerror(nullptr);
    return false;
  }
  const size_t channels = static_cast<size_t>(info.channels);
  std::vector<float> interleaved(static_cast<size_t>(info.frames) * channels);
  const sf_count_t frames = sf_readf_float(file, interleaved.data(), info.frames);
  sf_close(file);
  audio.sampleRate = info.samplerate;
  audio.channels.assign(channels, std::vector<float>(static_cast<size_t>(frames)));
  for (size_t i = 0; i < static_cast<size_t>(frames); ++i) {
    for (size_t c = 0; c < channels; ++c) audio.channels[c][i] = interleaved[i * channels + c];
  }
  return true;
}

bool WriteWithSndfile(const std::string& path, const AudioData& audio, bool pcm16,
                      std::string& error) {
  SF_INFO info{};
  info.samplerate = static_cast<int>(audio.sampleRate);
  info.channels = static_cast<int>(audio.channels.size());
  info.format = SF_FORMAT_WAV | (pcm16 ? SF_FORMAT_PCM_16 : SF_FORMAT_FLOAT);
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) {
    error = path + ": " + sf_strerror(nullptr);
    return false;
  }
  // Out-of-range floats would wrap in 16-bit PCM; let libsndfile clip them.
  if (pcm16) sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  const size_t frames = audio.Frames();
  const size_t channels = audio.channels.size();
  std::vector<float> interleaved(frames * channels);
  for (size_t i = 0; i < frames; ++i) {
    for (size_t c = 0; c < channels; ++c) interleaved[i * channels + c] = audio.channels[c][i];
  }
  const sf_count_t written =
      sf_writef_float(file, interleaved.data(), static_cast<sf_count_t>(frames));
  sf_close(file);
  if (written != static_cast<sf_count_t>(frames)) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}
#endif

}  // namespace

bool IsRawAudioPath(const std::string& path) {
  return EndsWith(path, ".raw") || EndsWith(path, ".f32");
}

bool ReadAudioFile(const std::string& path, const RawFormat& raw, AudioData& audio,
                   std::string& error) {
  if (IsRawAudioPath(path)) return ReadRaw(path, raw, audio, error);
#ifdef CORVALENT_HAVE_SNDFILE
  return ReadWithSndfile(path, audio, error);
#else
  error = "this build reads only raw float files (.raw, .f32): " + path;
  return false;
#endif
}

bool WriteAudioFile(const std::string& path, const AudioData& audio, bool pcm16,
                    std::string& error) {
  if (IsRawAudioPath(path)) return WriteRaw(path, audio, error);
#ifdef CORVALENT_HAVE_SNDFILE
  return WriteWithSndfile(path, audio, pcm16, error);
#else
  (void)pcm16;
  error = "this build writes only raw float files (.raw, .f32): " + path;
  return false;
#endif
}

}  // namespace render

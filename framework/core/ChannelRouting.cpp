// The routing half of IProcessorBase: host buffers to channel slots and back,
// block sizes and connections.

#include <algorithm>
#include <climits>
#include <cstring>

#include "framework/core/IProcessorBase.h"
#include "framework/core/SampleConversion.h"

namespace {

double* ScratchData(const GrowBuf& scratch) {
  return static_cast<double*>(scratch.Data());
}

// Channels first .. first+count-1 that exist, as a half-open range.
void ClipRange(int first, int count, int nChannels, int* begin, int* end) {
  const long long from = std::max(first, 0);
  const long long to = std::min<long long>(static_cast<long long>(first) + count, nChannels);
  *begin = static_cast<int>(from);
  *end = static_cast<int>(std::max(from, to));
}

// Walks the connected channels among first .. first+count-1; each takes the
// next host buffer in order (null when the host gave no table or entry).
template <typename Channels, typename Sample, typename Take>
void ForEachConnected(const Channels& channels, int first, int count, Sample** hostBuffers,
                      Take take) {
  int begin = 0;
  int end = 0;
  ClipRange(first, count, channels.Count(), &begin, &end);
  int next = 0;
  for (int i = begin; i < end; ++i) {
    auto* channel = channels.At(i);
    if (!channel->connected) continue;
    take(*channel, hostBuffers ? hostBuffers[next] : nullptr);
    ++next;
  }
}

void Zero(double* samples, int nFrames) {
  if (samples && nFrames > 0)
    std::memset(samples, 0, sizeof(double) * static_cast<size_t>(nFrames));
}

}  // namespace

void IProcessorBase::SetBlockSize(int nFrames) {
  if (nFrames == blockSize_) return;
  if (nFrames <= 0 || nFrames > INT32_MAX / static_cast<int>(sizeof(double))) return;
  const int32_t bytes = nFrames * static_cast<int32_t>(sizeof(double));
  bool allSized = true;
  auto resize = [&](GrowBuf& scratch) {
    if (scratch.Resize(bytes) && scratch.Size() == bytes) {
      Zero(ScratchData(scratch), nFrames);
    } else {
      allSized = false;
    }
  };
  for (int i = 0; i < NInputs(); ++i) resize(inputs_.At(i)->scratch);
  for (int i = 0; i < NOutputs(); ++i) resize(outputs_.At(i)->scratch);
  if (allSized) blockSize_ = nFrames;

  // The scratch may have moved; disconnected channels must follow it.
  for (int i = 0; i < NInputs(); ++i) {
    if (!inputs_.At(i)->connected) *inputs_.At(i)->slot = ScratchData(inputs_.At(i)->scratch);
  }
  for (int i = 0; i < NOutputs(); ++i) {
    if (!outputs_.At(i)->connected) *outputs_.At(i)->slot = ScratchData(outputs_.At(i)->scratch);
  }
  RecomputeScratchFrames();
}

void IProcessorBase::RecomputeScratchFrames() {
  int frames = INT_MAX;
  for (int i = 0; i < NInputs(); ++i) {
    frames = std::min(frames, inputs_.At(i)->scratch.Size() / static_cast<int>(sizeof(double)));
  }
  for (int i = 0; i < NOutputs(); ++i) {
    frames = std::min(frames, outputs_.At(i)->scratch.Size() / static_cast<int>(sizeof(double)));
  }
  scratchFrames_ = frames;
}

void IProcessorBase::ConnectInputs(int first, int count, bool connected) {
  int begin = 0;
  int end = 0;
  ClipRange(first, count, NInputs(), &begin, &end);
  for (int i = begin; i < end; ++i) {
    InputChannel* channel = inputs_.At(i);
    channel->connected = connected;
    if (!connected) *channel->slot = ScratchData(channel->scratch);
  }
}

void IProcessorBase::ConnectOutputs(int first, int count, bool connected) {
  int begin = 0;
  int end = 0;
  ClipRange(first, count, NOutputs(), &begin, &end);
  for (int i = begin; i < end; ++i) {
    OutputChannel* channel = outputs_.At(i);
    channel->connected = connected;
    if (!connected) {
      *channel->slot = ScratchData(channel->scratch);
      channel->hostFloatBuffer = nullptr;
    }
  }
}

void IProcessorBase::ForceFirstPairOnly() {
  ConnectInputs(2, NInputs() - 2, false);
  ConnectOutputs(2, NOutputs() - 2, true);
}

void IProcessorBase::AttachInputBuffers(int first, int count, float** hostBuffers, int nFrames) {
  const int frames = std::clamp(nFrames, 0, scratchFrames_);
  ForEachConnected(inputs_, first, count, hostBuffers, [&](InputChannel& channel, float* source) {
    double* scratch = ScratchData(channel.scratch);
    if (source) {
      FloatToDouble(source, scratch, frames);
    } else {
      Zero(scratch, frames);
    }
    *channel.slot = scratch;
  });
}

void IProcessorBase::AttachInputBuffers(int first, int count, double** hostBuffers, int nFrames) {
  const int frames = std::clamp(nFrames, 0, scratchFrames_);
  ForEachConnected(inputs_, first, count, hostBuffers, [&](InputChannel& channel, double* source) {
    if (!source) {
      source = ScratchData(channel.scratch);
      Zero(source, frames);
    }
    *channel.slot = source;
  });
}

void IProcessorBase::AttachOutputBuffers(int first, int count, float** hostBuffers) {
  ForEachConnected(outputs_, first, count, hostBuffers, [](OutputChannel& channel, float* target) {
    channel.hostFloatBuffer = target;
    *channel.slot = ScratchData(channel.scratch);
  });
}

void IProcessorBase::AttachOutputBuffers(int first, int count, double** hostBuffers) {
  ForEachConnected(outputs_, first, count, hostBuffers, [](OutputChannel& channel, double* target) {
    channel.hostFloatBuffer = nullptr;
    *channel.slot = target ? target : ScratchData(channel.scratch);
  });
}

void IProcessorBase::RunProcessingDouble(int nFrames) {
  if (nFrames < 0) return;
  ProcessAudio(inputTable_.empty() ? nullptr : inputTable_.data(),
               outputTable_.empty() ? nullptr : outputTable_.data(),
               std::min(nFrames, scratchFrames_));
}

namespace {

// ProcessAudio into the output scratch, then convert(scratch, host buffer,
// frames) for every connected output the host gave a single-precision buffer.
template <typename Convert>
void RunThenConvertBack(IProcessorBase& plugin, int nFrames, Convert convert) {
  if (nFrames < 0) return;
  const int frames = std::min(nFrames, plugin.ScratchFrames());
  plugin.RunProcessingDouble(frames);
  for (int i = 0; i < plugin.NOutputs(); ++i) {
    OutputChannel* channel = plugin.Output(i);
    if (channel->connected && channel->hostFloatBuffer) {
      convert(ScratchData(channel->scratch), channel->hostFloatBuffer, frames);
    }
  }
}

}  // namespace

void IProcessorBase::RunProcessingReplacing(int nFrames) {
  RunThenConvertBack(*this, nFrames, DoubleToFloat);
}

void IProcessorBase::RunProcessingAccumulating(int nFrames) {
  RunThenConvertBack(*this, nFrames, AccumulateDoubleIntoFloat);
}

namespace {

// Points cursor[k] at hostBuffers[k] + offset; null stays null.
template <typename Sample>
Sample** Advance(Sample** hostBuffers, int count, int offset, Sample** cursor) {
  if (!hostBuffers) return nullptr;
  for (int k = 0; k < count; ++k) {
    cursor[k] = hostBuffers[k] ? hostBuffers[k] + offset : nullptr;
  }
  return cursor;
}

// channelAt(i) for i below count: an input or output channel.
template <typename ChannelAt>
int CountConnected(int count, ChannelAt channelAt) {
  int n = 0;
  for (int i = 0; i < count; ++i) n += channelAt(i)->connected ? 1 : 0;
  return n;
}

// Serves a host call of any length through the scratch-sized steps:
// runPiece(frames) processes what the cursors point at.
template <typename Sample, typename RunPiece>
void ProcessInPieces(IProcessorBase& plugin, Sample** inputs, Sample** outputs, int nFrames,
                     Sample** cursors, RunPiece runPiece) {
  if (nFrames < 0 || plugin.ScratchFrames() <= 0) return;
  const int connectedIn = CountConnected(plugin.NInputs(), [&](int i) { return plugin.Input(i); });
  const int connectedOut =
      CountConnected(plugin.NOutputs(), [&](int i) { return plugin.Output(i); });
  Sample** inCursor = cursors;
  Sample** outCursor = cursors + plugin.NInputs();
  int done = 0;
  do {
    const int piece = std::min(nFrames - done, plugin.ScratchFrames());
    plugin.AttachInputBuffers(0, plugin.NInputs(), Advance(inputs, connectedIn, done, inCursor),
                              piece);
    plugin.AttachOutputBuffers(0, plugin.NOutputs(),
                               Advance(outputs, connectedOut, done, outCursor));
    runPiece(piece);
    done += piece;
  } while (done < nFrames);
}

}  // namespace

void IProcessorBase::ProcessFloatBlock(float** inputs, float** outputs, int nFrames,
                                       bool accumulate) {
  ProcessInPieces(*this, inputs, outputs, nFrames, floatCursor_.data(), [&](int piece) {
    if (accumulate) {
      RunProcessingAccumulating(piece);
    } else {
      RunProcessingReplacing(piece);
    }
  });
}

void IProcessorBase::ProcessDoubleBlock(double** inputs, double** outputs, int nFrames) {
  ProcessInPieces(*this, inputs, outputs, nFrames, doubleCursor_.data(),
                  [&](int piece) { RunProcessingDouble(piece); });
}

void IProcessorBase::ProcessAudio(double** inputs, double** outputs, int nFrames) {
  if (!outputs || nFrames <= 0) return;
  const size_t bytes = sizeof(double) * static_cast<size_t>(nFrames);
  const int passed = inputs ? std::min(NInputs(), NOutputs()) : 0;
  for (int i = 0; i < NOutputs(); ++i) {
    if (!outputs[i]) continue;
    if (i < passed && inputs[i]) {
      if (inputs[i] != outputs[i]) std::memmove(outputs[i], inputs[i], bytes);
    } else if (i >= NInputs() || !inputs) {
      std::memset(outputs[i], 0, bytes);
    }
  }
}

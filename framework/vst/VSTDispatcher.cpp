#include <cstdint>
#include <cstdio>
#include <cstring>

#include "framework/core/Trace.h"
#include "framework/vst/IProcessorVST.h"
#include "framework/vst/VSTCallbacks.h"

namespace {

constexpr vst::VstIntPtr kVendorSpecificAnswer = 0xBEEF;
constexpr vst::VstInt32 kVendorSpecificParamDisplay = 7;
// Announced block sizes above this are served in pieces of this size, so a
// broken host cannot make the plug-in allocate without bound.
constexpr vst::VstIntPtr kLargestScratchFrames = 8192;
// Sample rates outside (0, kHighestSampleRate] are not rates a host can run.
constexpr double kHighestSampleRate = 768000.0;

// Whether a pointer-sized host value is a valid int; always so on 32-bit hosts.
bool FitsInInt(vst::VstIntPtr value) {
  const int64_t wide = value;
  return wide >= INT32_MIN && wide <= INT32_MAX;
}

// Texts go out whole, terminator included; hosts must offer enough room.
vst::VstIntPtr CopyText(void* ptr, const char* text) {
  if (ptr == nullptr) return 0;
  std::strcpy(static_cast<char*>(ptr), text);
  return 1;
}

vst::VstIntPtr CanDo(const IProcessorVST& plug, const char* text) {
  if (text == nullptr) return 0;
  TracePoint("IProcessorVST::VSTDispatcher", __LINE__, "VSTCanDo(%s)", text);
  if (std::strcmp(text, "receiveVstTimeInfo") == 0) return 1;
  if (!plug.DoesMidi()) return 0;
  for (const char* midiCapability :
       {"sendVstEvents", "sendVstMidiEvent", "receiveVstEvents", "receiveVstMidiEvent"}) {
    if (std::strcmp(text, midiCapability) == 0) return 1;
  }
  return 0;
}

vst::VstIntPtr ProcessEvents(IProcessorVST& plug, vst::VstEvents* events) {
  if (events == nullptr) return 0;
  for (vst::VstInt32 i = 0; i < events->numEvents; ++i) {
    vst::VstEvent* event = events->events[i];
    if (event == nullptr) continue;
    if (event->type == vst::kVstMidiType) {
      const auto* midi = reinterpret_cast<const vst::VstMidiEvent*>(event);
      MidiMessage message;
      message.frameOffset = midi->deltaFrames;
      message.status = static_cast<uint8_t>(midi->midiData[0]);
      message.data1 = static_cast<uint8_t>(midi->midiData[1]);
      message.data2 = static_cast<uint8_t>(midi->midiData[2]);
      plug.HandleMidiMessage(&message);
    } else {
      plug.ForwardEvent(event);
    }
  }
  return 1;
}

vst::VstIntPtr PinProperties(void* ptr, vst::VstInt32 index, int channels, const char* direction) {
  if (ptr == nullptr || index < 0 || index >= channels) return 0;
  auto* pin = static_cast<vst::VstPinProperties*>(ptr);
  pin->flags = vst::kVstPinIsActive;
  if (index % 2 == 0) pin->flags |= vst::kVstPinIsStereo;
  std::snprintf(pin->label, sizeof(pin->label), "%s %d", direction, index + 1);
  return 1;
}

// Connects the first n channels of the arrangement's count, disconnects the rest.
void ApplyArrangement(IProcessorVST& plug, const vst::VstSpeakerArrangement* arrangement,
                      bool inputs) {
  if (arrangement == nullptr) return;
  const int channels = inputs ? plug.NInputs() : plug.NOutputs();
  int n = arrangement->numChannels;
  n = n < 0 ? 0 : (n > channels ? channels : n);
  if (inputs) {
    plug.ConnectInputs(0, n, true);
    plug.ConnectInputs(n, channels - n, false);
  } else {
    plug.ConnectOutputs(0, n, true);
    plug.ConnectOutputs(n, channels - n, false);
  }
}

vst::VstIntPtr Dispatch(IProcessorVST& plug, vst::VstInt32 opcode, vst::VstInt32 index,
                        vst::VstIntPtr value, void* ptr, float opt) {
  IParameter* parameter = plug.Parameter(index);
  switch (opcode) {
    case vst::effOpen:
      plug.HostSpecificSetup();
      plug.ResetAllParameters();
      return 0;
    case vst::effSetProgram:
      if (!plug.DoesChunks()) plug.StoreCurrentPreset(nullptr);
      if (value >= 0 && value < plug.NPresets()) plug.SelectPreset(static_cast<int>(value));
      return 0;
    case vst::effGetProgram:
      return plug.CurrentPreset();
    case vst::effSetProgramName:
      if (ptr != nullptr) plug.StoreCurrentPreset(static_cast<const char*>(ptr));
      return 0;
    case vst::effGetProgramName:
      CopyText(ptr, plug.PresetName(plug.CurrentPreset()));
      return 0;
    case vst::effGetParamLabel:
      if (parameter != nullptr) CopyText(ptr, parameter->Label());
      return 0;
    case vst::effGetParamDisplay:
      if (parameter != nullptr && ptr != nullptr) {
        parameter->FormatDisplay(parameter->Value(), false, static_cast<char*>(ptr));
      }
      return 0;
    case vst::effGetParamName:
      if (parameter != nullptr) CopyText(ptr, parameter->Name());
      return 0;
    case vst::effSetSampleRate: {
      const double rate = opt;
      if (rate > 0.0 && rate <= kHighestSampleRate) {
        plug.SetSampleRate(rate);
        plug.PrepareAudio();
      }
      return 0;
    }
    case vst::effSetBlockSize:
      if (value > 0) {
        plug.SetBlockSize(
            static_cast<int>(value < kLargestScratchFrames ? value : kLargestScratchFrames));
        plug.PrepareAudio();
      }
      return 0;
    case vst::effMainsChanged:
      plug.ActivationChanged(value != 0);
      if (value == 0) plug.PrepareAudio();
      return 0;
    case vst::effEditGetRect:
      if (ptr == nullptr || plug.Editor() == nullptr) return 0;
      *static_cast<const vst::ERect**>(ptr) = &plug.EditorRect();
      return 1;
    case vst::effEditOpen:
    case vst::effEditClose:
      // IEditorBase offers no window operations: there is no window to open.
      return 0;
    case vst::effIdentify:
      return vst::kEffectIdentify;
    case vst::effGetChunk:
      return plug.GetStateForHost(index == 0, static_cast<void**>(ptr));
    case vst::effSetChunk:
      if (ptr == nullptr || value <= 0 || !FitsInInt(value)) return 0;
      return plug.SetStateFromHost(index == 0, ptr, static_cast<int>(value));
    case vst::effProcessEvents:
      return ProcessEvents(plug, static_cast<vst::VstEvents*>(ptr));
    case vst::effCanBeAutomated:
      return 1;
    case vst::effGetProgramNameIndexed: {
      if (ptr == nullptr) return 0;
      const char* name = plug.PresetName(index);
      CopyText(ptr, name);
      return name[0] != '\0' ? 1 : 0;
    }
    case vst::effGetInputProperties:
      return PinProperties(ptr, index, plug.NInputs(), "Input");
    case vst::effGetOutputProperties:
      return PinProperties(ptr, index, plug.NOutputs(), "Output");
    case vst::effGetPlugCategory:
      return vst::kPlugCategEffect;
    case vst::effSetSpeakerArrangement:
      ApplyArrangement(plug, reinterpret_cast<const vst::VstSpeakerArrangement*>(value), true);
      ApplyArrangement(plug, static_cast<const vst::VstSpeakerArrangement*>(ptr), false);
      return 1;
    case vst::effGetEffectName:
      return CopyText(ptr, plug.EffectName());
    case vst::effGetVendorString:
      return CopyText(ptr, plug.VendorName());
    case vst::effGetProductString:
      return CopyText(ptr, plug.ProductName());
    case vst::effVendorSpecific: {
      if (index != kVendorSpecificParamDisplay || ptr == nullptr) return 0;
      IParameter* target = plug.Parameter(FitsInInt(value) ? static_cast<int>(value) : -1);
      if (target != nullptr) target->FormatDisplay(opt, true, static_cast<char*>(ptr));
      return kVendorSpecificAnswer;
    }
    case vst::effCanDo:
      return CanDo(plug, static_cast<const char*>(ptr));
    case vst::effGetVstVersion:
      return vst::kVstVersion;
    case vst::effGetMidiKeyName: {
      if (ptr == nullptr) return 0;
      auto* key = static_cast<vst::MidiKeyName*>(ptr);
      key->keyName[0] = '\0';
      return plug.GetMidiNoteName(key->thisKeyNumber, key->keyName) ? 1 : 0;
    }
    case vst::effGetSpeakerArrangement:
      if (value != 0) {
        *reinterpret_cast<vst::VstSpeakerArrangement**>(value) = plug.InputArrangement();
      }
      if (ptr != nullptr) {
        *static_cast<vst::VstSpeakerArrangement**>(ptr) = plug.OutputArrangement();
      }
      return 1;
    default:
      return 0;
  }
}

}  // namespace

vst::VstIntPtr VSTDispatcher(vst::AEffect* effect, vst::VstInt32 opcode, vst::VstInt32 index,
                             vst::VstIntPtr value, void* ptr, float opt) {
  IProcessorVST* plug = IProcessorVST::FromEffect(effect);
  if (plug == nullptr) return 0;
  plug->Mutex().Lock();
  if (opcode == vst::effEditIdle || opcode == vst::effIdle) {
    plug->Mutex().Unlock();
    return 0;
  }
  TracePoint("IProcessorVST::VSTDispatcher", __LINE__, "%d(%s):%d:%d", opcode, OpcodeName(opcode),
             index, static_cast<int>(value));
  if (opcode == vst::effClose) {
    // The lock lives in the object: release it before the object goes.
    plug->Mutex().Unlock();
    delete plug;
    return 0;
  }
  const vst::VstIntPtr result = Dispatch(*plug, opcode, index, value, ptr, opt);
  plug->Mutex().Unlock();
  return result;
}

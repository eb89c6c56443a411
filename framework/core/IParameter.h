#pragma once

#include <cstdint>

#include "framework/core/GrowBuf.h"

// Kinds 1 and 2 are integer-valued kinds that no initialiser sets; everything
// that distinguishes kinds treats 1, 2 and 3 alike.
enum ParamKind : int32_t {
  kParamUninitialised = 0,
  kParamIntegerA = 1,
  kParamIntegerB = 2,
  kParamEnumerated = 3,
  kParamContinuous = 4,
};

// One automatable parameter: real value, range, step and curve, name and unit
// label, and optional texts shown for integer values. The host and the editor
// see normalised values (0..1); processing and the state block use real ones.
// Takes no lock: callers hold the plug-in lock where needed. Allocation-free
// except SetDisplayText.
class IParameter {
 public:
  static constexpr int kTextSize = 32;  // name, label, display texts, FormatDisplay output

  IParameter() = default;
  IParameter(const IParameter&) = delete;
  IParameter& operator=(const IParameter&) = delete;

  // Strings are copied; longer than 31 characters they are cut. The default is
  // stored as given (not clamped); a maximum below minimum + step, or not a
  // number, becomes minimum + step. The step sets the display precision.
  void InitContinuous(const char* name, double defaultValue, double minimum, double maximum,
                      double step, const char* label);
  // Range 0..count-1, step 1, empty label.
  void InitEnumerated(const char* name, int defaultValue, int count);

  // Appends a text for an integer value (cut to 31 characters). Duplicates are
  // kept; the first one wins on lookup.
  void SetDisplayText(int value, const char* text);
  int DisplayTextCount() const;
  // "" when no record has that value.
  const char* DisplayTextFor(int value) const;
  // Exact, case-sensitive match; out is untouched when none matches.
  bool ValueForDisplayText(const char* text, int* value) const;

  // Rounded to the step (except continuous), clamped at the top only. A value
  // that is not a finite number is refused: the parameter keeps its value.
  void SetNormalized(double normalized);
  double GetNormalized() const;
  double ToNormalized(double value) const;
  // Writes the text for a value into out, which holds at least kTextSize bytes.
  void FormatDisplay(double value, bool valueIsNormalized, char* out) const;

  // Real value clamped to the range; below the minimum or not a number gives
  // the minimum. Used when values come from outside (state blocks).
  double ClampToRange(double value) const;

  const char* Name() const { return name_; }
  const char* Label() const { return label_; }
  ParamKind Kind() const { return kind_; }
  // Kinds 1, 2 and 3; uninitialised and continuous parameters are not.
  bool IsIntegerKind() const { return kind_ >= kParamIntegerA && kind_ <= kParamEnumerated; }
  double Value() const { return value_; }
  void SetValue(double value) { value_ = value; }
  double Minimum() const { return minimum_; }
  double Maximum() const { return maximum_; }
  double Step() const { return step_; }
  double Shape() const { return shape_; }
  int DisplayPrecision() const { return displayPrecision_; }
  bool NegatedDisplay() const { return negatedDisplay_; }
  void SetNegatedDisplay(bool negated) { negatedDisplay_ = negated; }

 private:
  ParamKind kind_ = kParamUninitialised;
  double value_ = 0.0;
  double minimum_ = 0.0;
  double maximum_ = 1.0;
  double step_ = 1.0;
  double shape_ = 1.0;
  int32_t displayPrecision_ = 0;
  char name_[kTextSize] = {};
  char label_[kTextSize] = {};
  bool negatedDisplay_ = false;
  GrowBuf displayTexts_{GrowBuf::kCoreGranularity};
};

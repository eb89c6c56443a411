#include "framework/core/IParameter.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

constexpr int kMaxDisplayPrecision = 6;

struct DisplayTextRecord {
  int32_t value;
  char text[IParameter::kTextSize];
};
static_assert(sizeof(DisplayTextRecord) == 36, "packed 36-byte records");

void CopyText(char (&dest)[IParameter::kTextSize], const char* source) {
  std::snprintf(dest, sizeof dest, "%s", source ? source : "");
}

// floor() through a 64-bit truncation; magnitudes beyond 2^63 (and NaN) are
// their own floor.
double Floor(double x) {
  constexpr double kLimit = 9223372036854775808.0;  // 2^63
  if (!(x > -kLimit && x < kLimit)) return x;
  const int64_t truncated = static_cast<int64_t>(x);
  double result = static_cast<double>(truncated);
  if (result != x && x < 0.0) result -= 1.0;
  return result;
}

// Truncation toward zero into an int; false when v is not a number or out of
// the int range.
bool TruncateToInt(double v, int* out) {
  if (!(v > static_cast<double>(std::numeric_limits<int>::min()) - 1.0 &&
        v < static_cast<double>(std::numeric_limits<int>::max()) + 1.0)) {
    return false;
  }
  *out = static_cast<int>(v);
  return true;
}

int PrecisionForStep(double step) {
  int precision = 0;
  double x = step;
  while (x != Floor(x)) {
    ++precision;
    x = x * 10.0;
    if (precision >= kMaxDisplayPrecision) break;
  }
  return precision;
}

}  // namespace

void IParameter::InitContinuous(const char* name, double defaultValue, double minimum,
                                double maximum, double step, const char* label) {
  if (kind_ == kParamUninitialised) kind_ = kParamContinuous;
  CopyText(name_, name);
  CopyText(label_, label);
  minimum_ = minimum;
  value_ = defaultValue;
  maximum_ = maximum >= minimum + step ? maximum : minimum + step;
  step_ = step;
  displayPrecision_ = PrecisionForStep(step);
}

void IParameter::InitEnumerated(const char* name, int defaultValue, int count) {
  if (kind_ == kParamUninitialised) kind_ = kParamEnumerated;
  InitContinuous(name, defaultValue, 0.0, static_cast<double>(count) - 1.0, 1.0, "");
}

void IParameter::SetDisplayText(int value, const char* text) {
  DisplayTextRecord record{};
  record.value = value;
  CopyText(record.text, text);
  const int32_t oldSize = displayTexts_.Size();
  displayTexts_.Resize(oldSize + static_cast<int32_t>(sizeof record), false);
  if (displayTexts_.Size() == oldSize) return;
  std::memcpy(static_cast<char*>(displayTexts_.Data()) + oldSize, &record, sizeof record);
}

int IParameter::DisplayTextCount() const {
  return displayTexts_.Size() / static_cast<int32_t>(sizeof(DisplayTextRecord));
}

const char* IParameter::DisplayTextFor(int value) const {
  const auto* records = static_cast<const DisplayTextRecord*>(displayTexts_.Data());
  for (int i = 0; i < DisplayTextCount(); ++i) {
    if (records[i].value == value) return records[i].text;
  }
  return "";
}

bool IParameter::ValueForDisplayText(const char* text, int* value) const {
  if (!text || !value) return false;
  const auto* records = static_cast<const DisplayTextRecord*>(displayTexts_.Data());
  for (int i = 0; i < DisplayTextCount(); ++i) {
    if (std::strcmp(records[i].text, text) == 0) {
      *value = records[i].value;
      return true;
    }
  }
  return false;
}

void IParameter::SetNormalized(double normalized) {
  if (!std::isfinite(normalized)) return;
  double value = minimum_ + (maximum_ - minimum_) * std::pow(normalized, shape_);
  if (kind_ != kParamContinuous) value = Floor(value / step_ + 0.5) * step_;
  if (value >= maximum_) value = maximum_;
  value_ = value;
}

double IParameter::GetNormalized() const {
  return ToNormalized(value_);
}

double IParameter::ToNormalized(double value) const {
  double clamped = value;
  if (value < minimum_) {
    clamped = minimum_;
  } else if (value > maximum_) {
    clamped = maximum_;
  }
  return std::pow((clamped - minimum_) / (maximum_ - minimum_), 1.0 / shape_);
}

double IParameter::ClampToRange(double value) const {
  if (!(value >= minimum_)) return minimum_;
  if (value > maximum_) return maximum_;
  return value;
}

void IParameter::FormatDisplay(double value, bool valueIsNormalized, char* out) const {
  if (!out) return;
  double v = value;
  if (valueIsNormalized) v = minimum_ + (maximum_ - minimum_) * std::pow(v, shape_);

  int asInt = 0;
  if (DisplayTextCount() > 0 && TruncateToInt(v, &asInt)) {
    const char* text = DisplayTextFor(asInt);
    if (text[0] != '\0') {
      std::snprintf(out, kTextSize, "%s", text);
      return;
    }
  }

  if (negatedDisplay_) v = -0.0 - v;
  if (v == 0.0 || std::isnan(v)) {
    std::snprintf(out, kTextSize, "0");
  } else if (displayPrecision_ == 0) {
    if (!TruncateToInt(v, &asInt)) {
      asInt = v > 0.0 ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
    }
    std::snprintf(out, kTextSize, "%d", asInt);
  } else {
    std::snprintf(out, kTextSize, "%.*f", displayPrecision_, v);
  }
}

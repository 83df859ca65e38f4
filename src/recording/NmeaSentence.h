#pragma once
// One sentence of a log file, split into fields. Field 0 is the word after
// "$"; field n is the text after the n-th separator, where both "," and "*"
// separate, so the checksum after "*" is a field of its own. Views into the
// caller's text: the sentence must outlive this object.

#include <array>
#include <cstddef>
#include <string_view>

class NmeaSentence {
 public:
  // Fields beyond this are never read by the log formats; they count as absent.
  static constexpr size_t kMaxFields = 24;

  // The sentence without its line end. A reader that needs only its first
  // fieldsWanted fields says so, and the rest is never looked at: they
  // count as absent.
  explicit NmeaSentence(std::string_view sentence, size_t fieldsWanted = kMaxFields);

  // Whether the sentence has field n at all (it may still be empty).
  bool Has(size_t n) const { return n < count_; }

  // Field n as text; empty when absent.
  std::string_view Field(size_t n) const;

  // Field n as a number with the leading-digits rule; 0 when absent or empty.
  int Int(size_t n) const;
  double Number(size_t n) const;

  // A "$GPRMC" position in decimal degrees from its ddmm.mmmm (or dddmm.mmmm)
  // field and its hemisphere field, negative for negativeHemisphere; 0 when
  // the value is empty or the hemisphere field is missing.
  double Coordinate(size_t valueField, size_t hemisphereField, int degreeDigits,
                    std::string_view negativeHemisphere) const;

 private:
  std::string_view text_;
  std::array<std::string_view, kMaxFields> fields_{};
  size_t count_ = 0;
};

// The leading-number rule for decimals: optional blanks and sign, digits, an
// optional fraction. Text that does not start with a number reads 0. No
// exponents, no "inf" or "nan": a field can never produce a non-finite value.
double LeadingNumber(std::string_view text);

// The unsigned decimal degrees of a ddmm.mmmm / dddmm.mmmm value read at fixed
// character positions (everything one later after a leading "-"). Characters
// beyond the end of a short value read as nothing, never past the field.
double NmeaCoordinate(std::string_view value, int degreeDigits);

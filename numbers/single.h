#pragma once
// Quantities are stored in single precision and computed in double precision.

namespace numbers {

// Rounds a double to single precision the way the hardware does, without undefined behaviour
// for values beyond the range of float (they become infinite, as an overflow would).
float toSingle(double value);

// Stores `value` rounded to single precision into `target` when the result is finite, and
// reports whether it did. A computation that fails keeps the previous value.
bool storeSingle(float& target, double value);

// Whether a double is finite and within the range of a float once rounded.
bool fitsSingle(double value);

}  // namespace numbers

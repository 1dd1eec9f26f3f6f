#pragma once

namespace quillon {

// Rounds to the nearest integer, halves to even, whatever the floating-point environment:
// 2.5 gives 2, 3.5 gives 4, -2.5 gives -2. NaN and infinities come back unchanged.
double RoundHalfEven(double value);

}  // namespace quillon

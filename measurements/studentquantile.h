#pragma once
// Student's t distribution, which widens a fitted value's standard error into an interval that
// holds the true value with a given probability when the points are few.
#include <optional>

namespace measurements {

// The t with P(T ≤ t) = probability for Student's T with `degrees` degrees of freedom (n points
// less the fitted values): 2,776 for 0,975 and 4 degrees. Nothing when degrees < 1 or the
// probability is not strictly between 0 and 1.
std::optional<double> studentQuantile(double probability, int degrees);

}  // namespace measurements

#pragma once
// A colour as red, green and blue components of 0 to 255: the one colour type of the program,
// shared by the engine (indicator colours), rich text and the drawing surfaces.
#include <ostream>

namespace numbers {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& colour) {
    return out << "(" << colour.red << ", " << colour.green << ", " << colour.blue << ")";
}

}  // namespace numbers

#pragma once

namespace chemistry {

// A colour as red, green and blue components of 0 to 255.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

}  // namespace chemistry

#include "uncertainty/propagation.h"

#include <cmath>

namespace uncertainty {

std::optional<double> relativeUncertainty(const chemistry::InputUncertainties& inputs,
                                          double equivalenceVolume) {
    if (!(equivalenceVolume > 0)) return std::nullopt;
    const double volume = inputs.equivalenceVolume / equivalenceVolume;
    const double sum = volume * volume + inputs.beakerVolume * inputs.beakerVolume +
                       inputs.titrantConcentration * inputs.titrantConcentration +
                       inputs.dilution * inputs.dilution;
    const double relative = std::sqrt(sum);
    return std::isfinite(relative) ? std::optional<double>(relative) : std::nullopt;
}

}  // namespace uncertainty

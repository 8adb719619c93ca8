#include "tools/uncertaintyquantity.h"

#include "numbers/picture.h"
#include "state/glasswarebench.h"
#include "state/glasswaretext.h"
#include "uncertainty/propagation.h"

namespace tools {

std::optional<std::string> relativeUncertaintyValue(std::string_view picture,
                                                    const chemistry::SolutionSpec& solution,
                                                    const configuration::ConfigurationFile& configuration,
                                                    std::string& error) {
    const auto line = configuration.extensions.value("verrerie");
    const std::optional<chemistry::Glassware> glassware =
        line ? state::readGlasswareText(*line) : std::nullopt;
    if (!glassware || glassware->exact) {
        error = "u(c)/c needs the set-up's glassware: \"verrerie = graine=...;v0=...\"";
        return std::nullopt;
    }
    const chemistry::NominalValues nominal = state::nominalValuesOf(*glassware, solution);
    const std::optional<double> relative = uncertainty::relativeUncertainty(
        chemistry::inputUncertainties(*glassware, nominal), nominal.equivalenceVolume);
    if (!relative) {
        error = "the situation has no equivalence to take the uncertainty on";
        return std::nullopt;
    }
    return numbers::formatPicture(100 * *relative, picture);
}

}  // namespace tools

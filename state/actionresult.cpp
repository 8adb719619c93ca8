#include "state/actionresult.h"

#include <utility>

namespace state {

void ActionResult::inform(MessageIcon icon, std::string text, std::string title) {
    messages.push_back({icon, std::move(text), std::move(title)});
}

void ActionResult::paint(const ApparatusPaint& step) {
    if (step.kind == ApparatusPaint::Kind::LiquidLevels) {
        // The drawing layer starts again from the background layer: what was drawn on it since
        // the background was last made is wiped.
        while (!apparatus.empty() && apparatus.back().kind != ApparatusPaint::Kind::Background)
            apparatus.pop_back();
    }
    apparatus.push_back(step);
}

}  // namespace state

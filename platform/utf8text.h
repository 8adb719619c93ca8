#pragma once
// The plain libraries' texts are UTF-8 in std::string; the windows show QString.
#include <QString>
#include <string>
#include <string_view>

namespace platform {

inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace platform

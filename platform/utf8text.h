#pragma once
// The plain libraries' texts are UTF-8 in std::string; the windows show QString.
#include <QString>
#include <string>

namespace platform {

inline QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace platform

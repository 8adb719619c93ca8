#include "platform/indexedpicture.h"

#include <algorithm>
#include <vector>

namespace platform {

namespace {

constexpr int kMaxColours = 256;

// Index of the colour in the table, added when new; -1 once the table is full.
int indexOf(QRgb colour, QList<QRgb>& table, std::vector<QRgb>& sorted, std::vector<int>& indices) {
    const auto at = std::lower_bound(sorted.begin(), sorted.end(), colour);
    const auto position = static_cast<std::size_t>(at - sorted.begin());
    if (at != sorted.end() && *at == colour) return indices[position];
    if (table.size() == kMaxColours) return -1;
    const int index = static_cast<int>(table.size());
    table.append(colour);
    sorted.insert(at, colour);
    indices.insert(indices.begin() + static_cast<std::ptrdiff_t>(position), index);
    return index;
}

}  // namespace

QImage indexedPicture(const QImage& picture) {
    if (picture.isNull()) return picture;
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    QImage indexed(source.size(), QImage::Format_Indexed8);
    QList<QRgb> table;
    std::vector<QRgb> sorted;
    std::vector<int> indices;
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        // Runs of one colour are the rule in a drawn picture: the last match is tried first.
        QRgb last = 0;
        int lastIndex = -1;
        for (int x = 0; x < source.width(); ++x) {
            const QRgb colour = in[x] | 0xff000000U;
            if (lastIndex < 0 || colour != last) {
                lastIndex = indexOf(colour, table, sorted, indices);
                if (lastIndex < 0) return picture;
                last = colour;
            }
            out[x] = static_cast<uchar>(lastIndex);
        }
    }
    indexed.setColorTable(table);
    indexed.setDevicePixelRatio(picture.devicePixelRatio());
    indexed.setDotsPerMeterX(picture.dotsPerMeterX());
    indexed.setDotsPerMeterY(picture.dotsPerMeterY());
    return indexed;
}

}  // namespace platform

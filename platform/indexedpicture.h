#pragma once
// A picture of few colours kept as an index into its own colour table: a quarter of the memory,
// every pixel the same.
#include <QImage>

namespace platform {

// The picture as Format_Indexed8 with exactly its colours when it has at most 256 of them (alpha
// ignored, the picture being opaque), its device pixel ratio kept; otherwise the picture as it is.
QImage indexedPicture(const QImage& picture);

}  // namespace platform

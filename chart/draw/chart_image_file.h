// Saving a chart image to a file chosen by its extension: .jpg/.jpeg through libjpeg at
// quality 90, .png and .bmp through QImage.  False with a message when it cannot be written.
// A chart is a flat drawing of few colours: a fast zlib level makes a PNG file hardly larger
// (about 12 %) than the default level does, in a third of the time.
#pragma once

#include <QImage>
#include <string>

namespace taiyi {

inline constexpr int kChartJpegQuality = 90;
// Qt's PNG writer takes a quality 0..100 and compresses at zlib level (100 - quality) * 9 / 91:
// 75 is level 2.
inline constexpr int kChartPngQuality = 75;

bool SaveChartImage(const QImage& image, const std::string& path, std::string& error);
// The same with the type given ("jpg", "jpeg", "png" or "bmp", lower case) whatever the
// file's extension.
bool SaveChartImageAs(const QImage& image, const std::string& path, const std::string& ext,
                      std::string& error);

}  // namespace taiyi

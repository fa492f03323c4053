// Saving a chart image to a file chosen by its extension: .jpg/.jpeg through libjpeg at
// quality 90, .png and .bmp through QImage.  False with a message when it cannot be written.
#pragma once

#include <QImage>
#include <string>

namespace taiyi {

inline constexpr int kChartJpegQuality = 90;

bool SaveChartImage(const QImage& image, const std::string& path, std::string& error);
// The same with the type given ("jpg", "jpeg", "png" or "bmp", lower case) whatever the
// file's extension.
bool SaveChartImageAs(const QImage& image, const std::string& path, const std::string& ext,
                      std::string& error);

}  // namespace taiyi

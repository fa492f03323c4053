#include "chart/draw/chart_image_file.h"

#include <QImageWriter>
#include <QString>
#include <algorithm>
#include <cctype>

#include "platform/jpeg_image.h"

namespace taiyi {

namespace {

std::string LowerExtension(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

}  // namespace

bool SaveChartImage(const QImage& image, const std::string& path, std::string& error) {
  return SaveChartImageAs(image, path, LowerExtension(path), error);
}

bool SaveChartImageAs(const QImage& image, const std::string& path, const std::string& ext,
                      std::string& error) {
  if (image.isNull()) {
    error = "empty image";
    return false;
  }
  if (ext == "jpg" || ext == "jpeg") {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    RgbImage out;
    out.width = rgb.width();
    out.height = rgb.height();
    out.pixels.resize(static_cast<size_t>(out.width) * out.height * 3);
    for (int y = 0; y < out.height; ++y)
      std::copy_n(rgb.constScanLine(y), out.width * 3,
                  out.pixels.data() + size_t(y) * out.width * 3);
    return WriteJpeg(path, out, kChartJpegQuality, error);
  }
  if (ext != "png" && ext != "bmp") {
    error = "unsupported image type: " + path;
    return false;
  }
  QImageWriter writer(QString::fromStdString(path), ext == "png" ? "PNG" : "BMP");
  if (ext == "png") writer.setQuality(kChartPngQuality);
  if (!writer.write(image)) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace taiyi

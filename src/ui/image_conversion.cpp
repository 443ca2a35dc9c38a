#include "ui/image_conversion.h"

namespace {

QRgb toQRgb(Color c) { return qRgb(redOf(c), greenOf(c), blueOf(c)); }

QImage convert(const Image& image, QImage::Format format, const Color* key) {
  if (image.empty()) return {};
  QImage out(image.width, image.height, format);
  for (int y = 0; y < image.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < image.width; ++x) {
      const Color c = image.at(x, y) & 0xFFFFFF;
      line[x] = key && c == *key ? qRgba(0, 0, 0, 0) : toQRgb(c);
    }
  }
  return out;
}

}  // namespace

QImage toQImage(const Image& image) { return convert(image, QImage::Format_RGB32, nullptr); }

QImage toQImageWithKey(const Image& image, Color key) {
  return convert(image, QImage::Format_ARGB32, &key);
}

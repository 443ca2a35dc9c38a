#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "base/platform.h"
#include "imaging/image_encoders.h"
#include "testsupport/temp_dir.h"

namespace {

// Odd width, so BMP rows need padding.
Image pattern() {
  Image image(7, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) image.at(x, y) = rgb(x * 36, y * 60, (x * y * 17) & 0xFF);
  return image;
}

struct DecodedRgb {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
  Color at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return ::rgb(rgb[i], rgb[i + 1], rgb[i + 2]);
  }
};

DecodedRgb decodePng(const std::vector<std::uint8_t>& bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  DecodedRgb out;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return out;
  image.format = PNG_FORMAT_RGB;
  out.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) return {};
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  return out;
}

struct TestJpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

DecodedRgb decodeJpeg(const std::vector<std::uint8_t>& bytes) {
  DecodedRgb out;
  jpeg_decompress_struct cinfo{};
  TestJpegError error{};
  cinfo.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = [](j_common_ptr c) {
    std::longjmp(reinterpret_cast<TestJpegError*>(c->err)->jump, 1);
  };
  if (setjmp(error.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return {};
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  out.width = static_cast<int>(cinfo.output_width);
  out.height = static_cast<int>(cinfo.output_height);
  out.rgb.resize(static_cast<std::size_t>(out.width) * out.height * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = out.rgb.data() + static_cast<std::size_t>(cinfo.output_scanline) * out.width * 3;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return out;
}

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

TEST(ImageEncoders, PngDecodesBackExactly) {
  const Image image = pattern();
  const DecodedRgb decoded = decodePng(encodePng(image));
  ASSERT_EQ(decoded.width, 7);
  ASSERT_EQ(decoded.height, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(decoded.at(x, y), image.at(x, y)) << x << "," << y;
}

TEST(ImageEncoders, BmpIsTwentyFourBitBottomUpWithPaddedRows) {
  const Image image = pattern();
  const std::vector<std::uint8_t> bmp = encodeBmp(image);
  const std::size_t stride = 24;  // 7 * 3 = 21, padded to 24
  ASSERT_EQ(bmp.size(), 54 + stride * 5);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(le32(bmp, 2), bmp.size());
  EXPECT_EQ(le32(bmp, 10), 54u);
  EXPECT_EQ(le32(bmp, 18), 7u);
  EXPECT_EQ(le32(bmp, 22), 5u);
  EXPECT_EQ(bmp[28], 24);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) {
      const std::size_t at = 54 + (4 - y) * stride + x * 3;
      EXPECT_EQ(rgb(bmp[at + 2], bmp[at + 1], bmp[at]), image.at(x, y)) << x << "," << y;
    }
}

TEST(ImageEncoders, JpegDecodesBackToTheSameSizeAndNearlyTheSameColours) {
  Image image(256, 384, rgb(200, 30, 30));
  for (int y = 192; y < 384; ++y)
    for (int x = 0; x < 256; ++x) image.at(x, y) = rgb(20, 40, 220);
  const DecodedRgb decoded = decodeJpeg(encodeJpeg(image));
  ASSERT_EQ(decoded.width, 256);
  ASSERT_EQ(decoded.height, 384);
  auto near = [](Color a, Color b) {
    return std::abs(redOf(a) - redOf(b)) <= 8 && std::abs(greenOf(a) - greenOf(b)) <= 8 &&
           std::abs(blueOf(a) - blueOf(b)) <= 8;
  };
  EXPECT_TRUE(near(decoded.at(100, 50), rgb(200, 30, 30)));
  EXPECT_TRUE(near(decoded.at(100, 300), rgb(20, 40, 220)));
}

TEST(ImageEncoders, NothingToEncodeGivesNoBytes) {
  EXPECT_TRUE(encodePng(Image()).empty());
  EXPECT_TRUE(encodeBmp(Image()).empty());
  EXPECT_TRUE(encodeJpeg(Image()).empty());
  Image broken(4, 4);
  broken.pixels.resize(3);  // size and pixels disagree: never read past them
  EXPECT_TRUE(encodePng(broken).empty());
  EXPECT_TRUE(encodeJpeg(broken).empty());
}

TEST(ImageEncoders, WriteImageFileReplacesAndReportsFailure) {
  TempDir dir;
  const std::string path = utf8FromPath(dir.path() / "shot.png");
  {
    std::ofstream old(path, std::ios::binary);
    old << std::string(100000, 'x');
  }
  ASSERT_TRUE(writeImageFile(path, pattern(), ImageFileFormat::Png));
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  EXPECT_EQ(decodePng(bytes).width, 7);
  EXPECT_FALSE(writeImageFile(utf8FromPath(dir.path() / "missing" / "shot.bmp"), pattern(),
                              ImageFileFormat::Bmp));
  EXPECT_FALSE(
      writeImageFile(utf8FromPath(dir.path() / "empty.jpg"), Image(), ImageFileFormat::Jpeg));
}

}  // namespace

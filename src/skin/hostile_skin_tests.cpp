// Skins travel between strangers: archives and files built to hurt must be
// refused quickly, without reading or writing anything outside the skin.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <string>

#include "base/platform.h"
#include "base/zip_archive.h"
#include "i18n/interface_texts.h"
#include "i18n/text_file.h"
#include "imaging/bmp16.h"
#include "imaging/picture_decoder.h"
#include "skin/settings_file.h"
#include "skin/skin_files.h"
#include "skin/skin_images.h"
#include "skin/skin_model.h"
#include "testsupport/fake_core_desktop.h"
#include "testsupport/picture_test_files.h"
#include "testsupport/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr char kStamp[] = "2024/05/06-07:08:09";

Bytes text(std::string_view s) { return Bytes(s.begin(), s.end()); }

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Every file under `root` with its size and time: what "nothing was written"
// is checked against.
std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> snapshot(
    const fs::path& root) {
  std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    files[utf8FromPath(entry.path())] = {entry.is_regular_file() ? entry.file_size() : 0,
                                         entry.last_write_time()};
  return files;
}

// A ZIP entry deflated here and stored raw, so that its claimed size can be
// anything: the classic bomb claims little and inflates to a lot.
bool addDeflatedEntry(zipFile zip, const std::string& name, const Bytes& plain,
                      std::uint64_t claimedSize) {
  z_stream stream{};
  if (deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY) != Z_OK) return false;
  Bytes packed(deflateBound(&stream, static_cast<uLong>(plain.size())));
  stream.next_in = const_cast<Bytef*>(plain.data());
  stream.avail_in = static_cast<uInt>(plain.size());
  stream.next_out = packed.data();
  stream.avail_out = static_cast<uInt>(packed.size());
  deflate(&stream, Z_FINISH);
  packed.resize(stream.total_out);
  deflateEnd(&stream);

  zip_fileinfo info{};
  if (zipOpenNewFileInZip2_64(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                              9, 1, 0) != ZIP_OK)
    return false;
  zipWriteInFileInZip(zip, packed.data(), static_cast<unsigned>(packed.size()));
  const uLong crc = crc32(0, plain.data(), static_cast<uInt>(plain.size()));
  return zipCloseFileInZipRaw64(zip, claimedSize, crc) == ZIP_OK;
}

Image evenPicture(int width, int height, Color fill) { return Image(width, height, fill); }

// Entry `index` of the picture table as archives name it: "icon\cheat.bmp".
std::string archiveNameOf(int index) {
  std::string name(skinImageFileName(index));
  for (char& c : name)
    if (c == '/') c = '\\';
  return name;
}

class HostileSkin : public ::testing::Test {
 protected:
  HostileSkin() {
    resetSkinModel(model);
    resetSkinImages(images);
  }

  std::string unknown(const std::string& name) const {
    return name + ": " + texts.text("LANG_FILE_UNKNOWN$");
  }
  bool saw(const std::string& body) const {
    for (const FakeMessage& m : desktop.messages)
      if (m.body == body) return true;
    return false;
  }

  FakeCoreDesktop desktop;
  InterfaceTexts texts;
  SkinIoContext io{desktop, texts, [] { return std::string(kStamp); }};
  SkinModel model;
  SkinImageTable images;
  TempDir dir;
};

// ---- archives ----

TEST_F(HostileSkin, EntriesClaimingGigabytesOrInflatingPastTheirClaimAreRefusedFast) {
  const std::string path = dir.folder() + "bomb.zip";
  const Bytes zeros(20u << 20, 0);  // 20 MiB that deflate to about 20 KiB
  zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  ASSERT_TRUE(zip);
  const Bytes settings = text("[start bar]\r\nx=77\r\n");
  ASSERT_TRUE(addDeflatedEntry(zip, "uisettings.ini", settings, settings.size()));
  // Claims 4 GiB less a little, holds a few bytes.
  ASSERT_TRUE(addDeflatedEntry(zip, "active.bmp", text("BM tiny"), 0xFFFFFFF0u));
  // Claims 100 bytes, inflates to 20 MiB.
  ASSERT_TRUE(addDeflatedEntry(zip, "btn.bmp", zeros, 100));
  // Claims 4 GiB and really does unpack to more than a picture may hold.
  ASSERT_TRUE(addDeflatedEntry(zip, "btn3.bmp", zeros, 0xFFFFFFFEu));
  ASSERT_EQ(zipClose(zip, nullptr), ZIP_OK);

  const auto start = Clock::now();
  openSkinArchive(model, images, io, path);
  EXPECT_LT(secondsSince(start), 5.0);
  EXPECT_EQ(model.startBar.x, 77);
  for (const char* name : {"active.bmp", "btn.bmp", "btn3.bmp"}) {
    EXPECT_TRUE(saw(unknown(name))) << name;
    EXPECT_TRUE(images.picture(name).empty()) << name;
  }

  ZipArchive archive(path);
  ASSERT_EQ(archive.entryCount(), 4);
  EXPECT_EQ(archive.entrySize(1), 0xFFFFFFF0u);
  EXPECT_EQ(archive.entrySize(3), 0xFFFFFFFEu);
  for (int i = 1; i < 4; ++i) EXPECT_FALSE(archive.extract(i)) << i;
}

TEST_F(HostileSkin, SettingsEntryClaimingGigabytesIsRefusedAsTooLarge) {
  const std::string path = dir.folder() + "bomb.zip";
  zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  ASSERT_TRUE(zip);
  ASSERT_TRUE(
      addDeflatedEntry(zip, "skin/uisettings.ini", text("[start bar]\r\nx=77\r\n"), 0xFFFFFFF0u));
  ASSERT_EQ(zipClose(zip, nullptr), ZIP_OK);
  const int before = model.startBar.x;
  openSkinArchive(model, images, io, path);
  EXPECT_EQ(model.startBar.x, before);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].body, "skin/uisettings.ini : " + texts.text("LANG_FILE_TOOLARGE$"));
  EXPECT_TRUE(desktop.progress.empty());
}

TEST_F(HostileSkin, EveryPictureClaimingTheLargestAllowedSizeOpensQuickly) {
  // Each claim passes the size limit, none is backed by data: a reader that
  // trusted the claims would reserve 53 x 64 MiB before inflating anything.
  const std::string path = dir.folder() + "claims.zip";
  zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  ASSERT_TRUE(zip);
  const Bytes settings = text("[start bar]\r\nx=9\r\n");
  ASSERT_TRUE(addDeflatedEntry(zip, "uisettings.ini", settings, settings.size()));
  for (int i = 0; i < kSkinImageCount; ++i)
    ASSERT_TRUE(addDeflatedEntry(zip, archiveNameOf(i), text("BM"), kMaxZipEntrySize));
  ASSERT_EQ(zipClose(zip, nullptr), ZIP_OK);

  const auto start = Clock::now();
  openSkinArchive(model, images, io, path);
  EXPECT_LT(secondsSince(start), 3.0);
  EXPECT_EQ(model.startBar.x, 9);
  EXPECT_EQ(desktop.messages.size(), std::size_t{kSkinImageCount});
}

TEST_F(HostileSkin, ThousandsOfEntriesOpenQuickly) {
  const std::string path = dir.folder() + "crowded.zip";
  std::vector<ZipEntryRecipe> entries;
  for (int i = 0; i < 6000; ++i)
    entries.push_back({"filler/" + std::to_string(i) + ".bmp", text("x")});
  // The settings and a picture come last, so every look-up passes the crowd.
  entries.push_back({"skin/uisettings.ini", text("[start bar]\r\nx=5\r\n")});
  entries.push_back({"skin/active.bmp", encodeBmp16(evenPicture(3, 2, rgb(8, 16, 24)))});
  ASSERT_TRUE(makeZip(path, entries));

  const auto start = Clock::now();
  openSkinArchive(model, images, io, path);
  EXPECT_LT(secondsSince(start), 5.0);
  EXPECT_EQ(model.startBar.x, 5);
  EXPECT_EQ(images.picture("active.bmp").width, 3);
  EXPECT_TRUE(desktop.messages.empty());  // every other picture is the built-in one
}

TEST_F(HostileSkin, EntryNamesLeavingTheArchiveNeverReachTheDisk) {
  // The chosen folder holds the archive; decoys lie beside and above it, at
  // the places the entry names point to.
  const fs::path chosen = dir.path() / "chosen";
  fs::create_directories(chosen);
  writeBytes(dir.folder() + "uisettings.ini", text("[start bar]\r\nx=666\r\n"));
  writeBytes(dir.folder() + "active.bmp", encodeBmp16(evenPicture(9, 9, rgb(248, 0, 0))));
  writeBytes(dir.folder() + "btn.bmp", encodeBmp16(evenPicture(9, 9, rgb(248, 0, 0))));

  const std::string path = utf8FromPath(chosen / "evil.zip");
  const std::string above = utf8FromPath(dir.path());
  ASSERT_TRUE(makeZip(path, {
                                {"../uisettings.ini", text("[start bar]\r\nx=12\r\n")},
                                {"../active.bmp", encodeBmp16(evenPicture(2, 2, rgb(0, 8, 0)))},
                                {above + "/btn.bmp", text("absolute")},
                                {"C:\\Windows\\btn3.bmp", text("drive letter")},
                                {"..\\..\\..\\etc\\passwd", text("nothing")},
                            }));
  const auto before = snapshot(dir.path());

  openSkinArchive(model, images, io, path);
  // The settings and picture are the archive's own bytes, found under the
  // root "..\" inside the archive; the decoys are never opened.
  EXPECT_EQ(model.startBar.x, 12);
  EXPECT_EQ(images.picture("active.bmp").width, 2);
  EXPECT_EQ(images.picture("active.bmp").at(0, 0), rgb(0, 8, 0));
  EXPECT_TRUE(desktop.messages.empty());
  // Nothing was written, created or touched anywhere around the archive.
  EXPECT_EQ(snapshot(dir.path()), before);

  // The same names at the top level of an archive: the root is empty, and a
  // settings entry under an absolute or drive-letter folder gives a root that
  // only names more entries of the archive.
  const std::string other = utf8FromPath(chosen / "absolute.zip");
  ASSERT_TRUE(makeZip(other, {{"C:/skins/uisettings.ini", text("[start bar]\r\nx=3\r\n")},
                              {"/abs/uisettings.ini", text("[start bar]\r\nx=4\r\n")},
                              {"C:/skins/btn.bmp", encodeBmp16(evenPicture(4, 1, 0))}}));
  desktop.messages.clear();
  openSkinArchive(model, images, io, other);
  EXPECT_EQ(model.startBar.x, 3);
  EXPECT_EQ(images.picture("btn.bmp").width, 4);
  EXPECT_EQ(snapshot(dir.path()).size(), before.size() + 1);  // only absolute.zip is new
}

TEST_F(HostileSkin, FolderLoadsReadNothingOutsideTheChosenFolder) {
  const fs::path chosen = dir.path() / "skin";
  fs::create_directories(chosen / "icon");
  writeBytes(utf8FromPath(chosen / "uisettings.ini"), text("[start bar]\r\nx=1\r\n"));
  // Pictures one level up and in a sibling folder must not be picked up,
  // whatever their spelling.
  writeBytes(dir.folder() + "active.bmp", encodeBmp16(evenPicture(9, 9, 0)));
  writeBytes(dir.folder() + "ACTIVE.BMP", encodeBmp16(evenPicture(9, 9, 0)));
  fs::create_directories(dir.path() / "icon");
  writeBytes(dir.folder() + "icon/cheat.bmp", encodeBmp16(evenPicture(9, 9, 0)));

  ASSERT_TRUE(loadSkinFromFolder(model, images, io, utf8FromPath(chosen) + "/"));
  EXPECT_EQ(model.startBar.x, 1);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_NE(images.picture("active.bmp").width, 9);
  EXPECT_NE(images.picture("icon/cheat.bmp").width, 9);
}

// ---- what saves carry along ----

// The other files of an archive travel on save; names built to leave the
// target folder do not, wherever the skin is saved to.
TEST_F(HostileSkin, CarriedEntryNamesNeverLeaveTheSaveTarget) {
  const fs::path chosen = dir.path() / "chosen";
  fs::create_directories(chosen);
  const std::string path = utf8FromPath(chosen / "evil.zip");
  const std::string above = utf8FromPath(dir.path());
  ASSERT_TRUE(makeZip(path, {
                                {"uisettings.ini", text("[start bar]\r\nx=12\r\n")},
                                {"fine.txt", text("kept")},
                                {"../x.txt", text("up")},
                                {above + "/abs.txt", text("absolute")},
                                {"C:\\x.txt", text("drive letter")},
                                {"c:relative.txt", text("drive-relative")},
                                {"sub/../../y.txt", text("up from below")},
                                {"sub/./z.txt", text("dot")},
                                {"sub//w.txt", text("empty part")},
                                {"../", {}},
                            }));
  ASSERT_TRUE(openSkinArchive(model, images, io, path));
  const std::string out = utf8FromPath(chosen / "out") + "/";
  fs::create_directories(out);
  const auto before = snapshot(dir.path());

  EXPECT_TRUE(saveSkinFolder(model, images, io, out));
  ASSERT_EQ(desktop.messages.size(), 1u);
  const std::string& lost = desktop.messages[0].body;
  for (const char* name : {"../x.txt", "/abs.txt", "C:/x.txt", "c:relative.txt", "sub/../../y.txt",
                           "sub/./z.txt", "sub//w.txt"})
    EXPECT_NE(lost.find(name), std::string::npos) << name;
  // Beside the skin's own files only fine.txt is new, and only in out/.
  const auto after = snapshot(dir.path());
  for (const auto& [file, seen] : after) {
    if (before.count(file)) continue;
    EXPECT_TRUE(
        genericUtf8FromPath(pathFromUtf8(file)).starts_with(genericUtf8FromPath(pathFromUtf8(out))))
        << file;
  }
  EXPECT_EQ(readBytes(out + "fine.txt"), text("kept"));
  EXPECT_EQ(after.size(), before.size() + 1 + kSkinImageCount + 1 + 1u);  // + icon/

  desktop.messages.clear();
  const std::string zip = utf8FromPath(chosen / "Saved.zip");
  EXPECT_TRUE(saveSkinArchive(model, images, io, zip));
  EXPECT_EQ(desktop.messages.size(), 1u);
  ZipArchive saved(zip);
  ASSERT_EQ(saved.entryCount(), 1 + kSkinImageCount + 1);
  EXPECT_EQ(saved.entryName(saved.entryCount() - 1), "Saved\\fine.txt");
}

// Names Windows and FAT take for another file than they spell: carried,
// they would replace the settings file or a picture the save has just
// written, or open a device. None is carried, the save says so, and what
// the save wrote stays as written.
TEST_F(HostileSkin, CarriedEntryNamesNeverStandForAnotherFile) {
  const std::string path = utf8FromPath(dir.path() / "aliases.zip");
  const std::vector<std::string> aliases{"uisettings.ini.",   "uisettings.ini ", "UISETT~1.INI",
                                         "active.bmp:stream", "icon./nds.bmp",   "CON",
                                         "nul.txt",           "com1.ini",        "a?b.txt",
                                         "tab\tname.txt"};
  std::vector<ZipEntryRecipe> entries{{"uisettings.ini", text("[start bar]\r\nx=12\r\n")},
                                      {"con2.txt", text("kept")}};
  for (const std::string& alias : aliases) entries.push_back({alias, text("alias")});
  ASSERT_TRUE(makeZip(path, entries));
  ASSERT_TRUE(openSkinArchive(model, images, io, path));
  const std::string out = utf8FromPath(dir.path() / "out") + "/";
  fs::create_directories(out);

  EXPECT_TRUE(saveSkinFolder(model, images, io, out));
  ASSERT_EQ(desktop.messages.size(), 1u);
  for (const std::string& alias : aliases)
    EXPECT_NE(desktop.messages[0].body.find(alias), std::string::npos) << alias;
  EXPECT_EQ(readBytes(out + "con2.txt"), text("kept"));
  SkinModel again;
  resetSkinModel(again);
  SkinImageTable againImages;
  ASSERT_TRUE(loadSkinFromFolder(again, againImages, io, out));
  EXPECT_EQ(again.startBar.x, 12);
}

// Links in a skin folder may point anywhere, at themselves too: a save
// neither follows nor copies them, and finishes.
TEST_F(HostileSkin, LinksInASkinFolderAreNotFollowedBySaves) {
  const fs::path skin = dir.path() / "skin";
  fs::create_directories(skin / "calendar");
  writeBytes(utf8FromPath(skin / "uisettings.ini"), text("[start bar]\r\nx=1\r\n"));
  writeBytes(utf8FromPath(skin / "calendar/day.bmp"), text("day"));
  writeBytes(dir.folder() + "private.txt", text("not the skin's"));
  // Windows lets only administrators (or developer mode) make links.
  std::error_code linkError;
  fs::create_symlink(dir.path() / "private.txt", skin / "custom.ini", linkError);
  if (linkError) GTEST_SKIP() << "this system does not let the test make links";
  fs::create_symlink("/", skin / "root");
  fs::create_directory_symlink(skin, skin / "calendar/again");
  ASSERT_TRUE(loadSkinFromFolder(model, images, io, utf8FromPath(skin) + "/"));
  desktop.messages.clear();

  const std::string out = dir.folder() + "out/";
  fs::create_directories(out);
  const auto start = Clock::now();
  EXPECT_TRUE(saveSkinFolder(model, images, io, out));
  EXPECT_TRUE(saveSkinArchive(model, images, io, dir.folder() + "out.zip"));
  EXPECT_LT(secondsSince(start), 5.0);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(readBytes(out + "calendar/day.bmp"), text("day"));
  for (const char* name : {"custom.ini", "root", "calendar/again"})
    EXPECT_FALSE(fs::exists(fs::symlink_status(out + name))) << name;
  ZipArchive archive(dir.folder() + "out.zip");
  EXPECT_EQ(archive.entryCount(), 1 + kSkinImageCount + 1);
}

// ---- pictures ----

// A PNG whose header claims a size; the pixel data is a token few bytes.
Bytes pngClaiming(std::uint32_t width, std::uint32_t height) {
  Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  auto chunk = [&](const char* type, const Bytes& data) {
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    const std::uint32_t length = static_cast<std::uint32_t>(data.size());
    for (int i = 3; i >= 0; --i) png.push_back(static_cast<std::uint8_t>(length >> (8 * i)));
    png.insert(png.end(), body.begin(), body.end());
    const std::uint32_t crc = crc32(0, body.data(), static_cast<uInt>(body.size()));
    for (int i = 3; i >= 0; --i) png.push_back(static_cast<std::uint8_t>(crc >> (8 * i)));
  };
  Bytes header(13, 0);
  for (int i = 0; i < 4; ++i) {
    header[i] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
    header[4 + i] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
  }
  header[8] = 8;  // bit depth
  header[9] = 2;  // RGB
  chunk("IHDR", header);
  chunk("IDAT", {0x78, 0x9C, 0x63, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01});
  chunk("IEND", {});
  return png;
}

TEST(HostilePictures, PngClaimingGiantSizesIsRefusedBeforeAllocating) {
  const auto start = Clock::now();
  EXPECT_FALSE(decodePicture(pngClaiming(100000, 100000)));
  EXPECT_FALSE(decodePicture(pngClaiming(100000, 1)));
  EXPECT_FALSE(decodePicture(pngClaiming(0x7FFFFFFF, 0x7FFFFFFF)));
  // Within the limit but holding almost no data: fails on the missing rows.
  EXPECT_FALSE(decodePicture(pngClaiming(kMaxPictureSide, kMaxPictureSide)));
  EXPECT_LT(secondsSince(start), 3.0);
}

// Offset of the first marker `code` (0xFF, code) in a JPEG, or npos.
std::size_t findMarker(const Bytes& jpeg, std::uint8_t code, std::size_t from = 2) {
  for (std::size_t i = from; i + 1 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == code) return i;
  return std::string::npos;
}

// The frame header's height and width.
void setJpegSize(Bytes& jpeg, std::uint16_t width, std::uint16_t height) {
  std::size_t sof = findMarker(jpeg, 0xC2);
  if (sof == std::string::npos) sof = findMarker(jpeg, 0xC0);
  jpeg[sof + 5] = static_cast<std::uint8_t>(height >> 8);
  jpeg[sof + 6] = static_cast<std::uint8_t>(height);
  jpeg[sof + 7] = static_cast<std::uint8_t>(width >> 8);
  jpeg[sof + 8] = static_cast<std::uint8_t>(width);
}

TEST(HostilePictures, JpegBombsAreRefusedQuickly) {
  const Bytes small = makeJpeg(Image(16, 16, rgb(128, 128, 128)), false, 75, true);
  ASSERT_TRUE(decodePicture(small));

  // Huge dimensions in the header, barely any data.
  Bytes huge = small;
  setJpegSize(huge, 65500, 65500);
  // The largest picture allowed, from the data of a 16 x 16 one.
  Bytes large = small;
  setJpegSize(large, kMaxPictureSide, kMaxPictureSide);
  // Thousands of scans, each of which walks the whole (large) picture again.
  Bytes manyScans = large;
  const std::size_t firstScan = findMarker(manyScans, 0xDA);
  const std::size_t end = findMarker(manyScans, 0xD9, firstScan);
  ASSERT_NE(firstScan, std::string::npos);
  ASSERT_NE(end, std::string::npos);
  // The last scan (an AC refinement of one component) over and over.
  std::size_t lastScan = firstScan;
  for (std::size_t at = firstScan; at != std::string::npos;
       at = findMarker(manyScans, 0xDA, at + 2))
    if (at < end) lastScan = at;
  const Bytes scan(manyScans.begin() + lastScan, manyScans.begin() + end);
  Bytes repeated;
  for (int i = 0; i < 5000; ++i) repeated.insert(repeated.end(), scan.begin(), scan.end());
  manyScans.insert(manyScans.begin() + end, repeated.begin(), repeated.end());

  for (const Bytes* bomb : {&huge, &large, &manyScans}) {
    const auto start = Clock::now();
    const std::optional<Image> picture = decodePicture(*bomb);
    EXPECT_LT(secondsSince(start), 5.0) << "input "
                                        << (bomb == &huge    ? "huge"
                                            : bomb == &large ? "large"
                                                             : "many scans");
    if (picture) {
      EXPECT_LE(picture->width, kMaxPictureSide);
    }
  }
  EXPECT_FALSE(decodePicture(huge));
}

TEST_F(HostileSkin, BmpHeadersPromisingMoreThanTheFileHoldsAreRefused) {
  Bytes promise = encodeBmp16(evenPicture(4, 4, rgb(8, 8, 8)));
  putLe(promise, 18, kMaxPictureSide, 4);
  putLe(promise, 22, kMaxPictureSide, 4);
  EXPECT_TRUE(isBmp16(promise));
  EXPECT_FALSE(readBmp16(promise));
  EXPECT_FALSE(decodePicture(promise));

  Bytes farOffset = encodeBmp16(evenPicture(4, 4, rgb(8, 8, 8)));
  putLe(farOffset, 10, 0xFFFFFFF0u, 4);
  EXPECT_FALSE(readBmp16(farOffset));

  // A 24-bit header for a large picture over a few rows of data.
  Bytes rows = makeBmp24(evenPicture(4, 4, rgb(1, 2, 3)));
  putLe(rows, 18, 3000, 4);
  putLe(rows, 22, 3000, 4);
  EXPECT_FALSE(decodePicture(rows));

  // Loaded as a skin picture, such a file empties the entry with a message.
  writeBytes(dir.folder() + "btn.bmp", promise);
  loadImageFile(images, SkinImageTable::indexOf("btn.bmp"), io, dir.folder() + "btn.bmp");
  EXPECT_TRUE(images.picture("btn.bmp").empty());
  EXPECT_TRUE(saw(unknown(dir.folder() + "btn.bmp")));
}

// ---- text files ----

TEST_F(HostileSkin, EndlessSettingsLinesFinishQuickly) {
  const std::size_t size = 50u << 20;
  struct Case {
    const char* prefix;
    std::size_t length;
    char fill;
    const char* suffix;
  };
  // One 50 MB line without a line end. Shorter lines (8 MB) for what takes
  // more work per byte: a line that is all key, a title the writer then
  // writes whole, a title of blanks followed by millions of lines, each of
  // which takes one blank off.
  const Case cases[] = {{"", size, '7', ""},
                        {"[start button]\r\n", 8u << 20, 'k', "\r\n"},
                        {"[SkinInfo]\r\nTitle=", 8u << 20, 'T', "\r\n[end]\r\n"},
                        {"[SkinInfo]\r\nTitle=", 8u << 20, ' ', "x\r\n"}};
  for (const Case& c : cases) {
    Bytes file = text(c.prefix);
    file.resize(file.size() + c.length, static_cast<std::uint8_t>(c.fill));
    const Bytes suffix = text(c.suffix);
    file.insert(file.end(), suffix.begin(), suffix.end());
    if (c.fill == ' ') file.resize(file.size() + c.length, '\n');

    SkinModel read;
    resetSkinModel(read);
    const auto start = Clock::now();
    readSkinSettings(read, file);
    const std::vector<std::uint8_t> written = writeSkinSettings(read, io.clock);
    EXPECT_LT(secondsSince(start), 5.0) << "case " << &c - cases;
    EXPECT_FALSE(written.empty());
    if (c.fill == ' ') {
      EXPECT_EQ(read.skinInfo.Title, "x");
    }
  }

  // A 50 MB number line from disk, through the folder load.
  Bytes file = text("[file name]\r\nx=");
  file.resize(file.size() + size, '9');
  file.push_back('\n');
  writeBytes(dir.folder() + "uisettings.ini", file);
  const auto start = Clock::now();
  EXPECT_TRUE(loadSkinFromFolder(model, images, io, dir.folder()));
  EXPECT_LT(secondsSince(start), 5.0);
}

TEST(HostileText, SettingsFileWithEveryByteValueReadsAndRoundTrips) {
  // Every byte value in a text, a number, a colour, a header and a key.
  Bytes all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<std::uint8_t>(b));
  Bytes file;
  for (const char* prefix : {"[SkinInfo]\r\nTitle=", "[file name]\r\nx=",
                             "[global settings]\r\nformFrameColor=", "[", "[file name]\r\n"}) {
    const Bytes p = text(prefix);
    file.insert(file.end(), p.begin(), p.end());
    file.insert(file.end(), all.begin(), all.end());
    file.push_back('\r');
    file.push_back('\n');
  }
  SkinModel model;
  resetSkinModel(model);
  readSkinSettings(model, file);
  const auto stamp = [] { return std::string(kStamp); };
  const std::vector<std::uint8_t> first = writeSkinSettings(model, stamp);
  SkinModel again;
  resetSkinModel(again);
  readSkinSettings(again, first);
  EXPECT_EQ(writeSkinSettings(again, stamp), first);

  // Each single byte alone, and each between the lines of a real file.
  SkinModel defaults;
  resetSkinModel(defaults);
  const std::vector<std::uint8_t> real = writeSkinSettings(defaults, stamp);
  for (int b = 0; b < 256; ++b) {
    SkinModel one;
    resetSkinModel(one);
    readSkinSettings(one, Bytes{static_cast<std::uint8_t>(b)});
    Bytes spliced = real;
    spliced.insert(spliced.begin() + 200, static_cast<std::uint8_t>(b));
    readSkinSettings(one, spliced);
  }
}

TEST(HostileText, LanguageFileOfRandomBytesParses) {
  std::mt19937 random(17);
  for (int round = 0; round < 8; ++round) {
    std::string bytes(256 * 1024, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    // Sprinkle the characters the reader acts on, so that groups, entries
    // and comments do occur.
    for (int i = 0; i < 4000; ++i) bytes[random() % bytes.size()] = "[]=;\r\n"[random() % 6];
    if (round % 2 == 1) bytes.insert(0, "\xEF\xBB\xBF");

    const TextFile file = TextFile::parse(bytes);
    InterfaceTexts texts;
    for (const InterfaceTextGroup& group : interfaceTextGroups())
      for (std::string_view key : group.keys)
        if (auto value = file.find(group.name, key)) {
          // Whatever was read is valid UTF-8 text without line breaks.
          EXPECT_EQ(sanitizeUtf8(*value), *value);
          EXPECT_EQ(value->find_first_of("\r\n"), std::string::npos);
          texts.set(key, std::move(*value));
        }
  }
}

}  // namespace

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <thread>
#include <utility>

#include "base/code_page.h"
#include "base/file_io.h"
#include "base/platform.h"
#include "base/zip_archive.h"
#include "i18n/interface_texts.h"
#include "imaging/bmp16.h"
#include "imaging/picture_decoder.h"
#include "skin/builtin_pictures.h"
#include "skin/settings_file.h"
#include "skin/skin_files.h"
#include "skin/skin_images.h"
#include "skin/skin_load_record.h"
#include "skin/stored_settings.h"
#include "skin/test_skin_images.h"
#include "testsupport/fake_core_desktop.h"
#include "testsupport/file_size_limit.h"
#include "testsupport/picture_test_files.h"
#include "testsupport/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// A picture with channels that are not multiples of 8, so dithering shows.
Image unevenPicture() {
  Image picture(6, 4);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i)
    picture.pixels[i] = rgb(100 + i, 51, 203 - 3 * i);
  return picture;
}

// "icon/cheat.bmp" as our archive reader names the entry.
std::string archiveNameOf(std::string name) {
  std::replace(name.begin(), name.end(), '/', '\\');
  return name;
}

Image evenPicture(int width, int height, Color fill) { return Image(width, height, fill); }

bool allMultiplesOfEight(const Image& picture) {
  for (Color c : picture.pixels)
    if ((c & 0x070707) != 0) return false;
  return true;
}

TEST_F(SkinImagesTest, TheTableHoldsFiftyThreeNamesInLoadOrder) {
  EXPECT_EQ(images[0].fileName, "active.bmp");
  EXPECT_EQ(images[22].baseName, "noactivehotke");
  EXPECT_EQ(images[41].fileName, "upper_screen.bmp");
  EXPECT_EQ(images[42].fileName, "icon/cheat.bmp");
  EXPECT_EQ(images[42].baseName, "cheat");
  EXPECT_EQ(images[52].fileName, "icon/unk.bmp");
  EXPECT_EQ(SkinImageTable::indexOf("icon/nds.bmp"), 45);
  EXPECT_EQ(SkinImageTable::indexOf("nds.bmp"), -1);
  EXPECT_EQ(skinImageDefaultWidth(12), 24);
  EXPECT_EQ(skinImageDefaultHeight(12), 310);
  EXPECT_TRUE(images.picture("no such.bmp").empty());
  for (int i = 0; i < kSkinImageCount; ++i) {
    EXPECT_EQ(images[i].fileName, skinImageFileName(i));
    EXPECT_EQ(images[i].picture.pixels, builtinSkinPicture(i).pixels) << i;
    EXPECT_EQ(&images.picture(images[i].fileName), &images[i].picture);
  }
}

// Most skins carry only the pictures they change: the rest are the
// built-in ones, whatever skin was open before, and not worth a message.
TEST_F(SkinImagesTest, AFolderWithOnlySettingsTakesEveryBuiltInPictureWithoutAMessage) {
  writeBytes(dir.folder() + "uisettings.ini", settingsWithTitle("Only settings"));
  images[0].picture = evenPicture(1, 1, rgb(8, 8, 8));  // of the skin open before
  images[42].picture = Image();
  SkinLoadRecord record;
  io.record = &record;
  ASSERT_TRUE(loadSkinFromFolder(model, images, io, dir.folder()));
  EXPECT_TRUE(desktop.messages.empty());
  for (int i = 0; i < kSkinImageCount; ++i) {
    EXPECT_EQ(images[i].picture.pixels, builtinSkinPicture(i).pixels);
    EXPECT_EQ(record.pictures[i].origin, PictureOrigin::NotRead);
    EXPECT_EQ(record.pictures[i].name, dir.folder() + std::string(images[i].fileName));
  }
  std::vector<int> expectedProgress;
  for (int k = 1; k <= 53; ++k) expectedProgress.push_back(k);
  expectedProgress.push_back(0);
  EXPECT_EQ(desktop.progress, expectedProgress);
}

TEST_F(SkinImagesTest, ATrueColourFileIsDitheredFromAFolderButExactFromAnArchiveUntilSaved) {
  const Image uneven = unevenPicture();
  const Bytes file = makeBmp24(uneven);
  writeBytes(dir.folder() + "startbar.bmp", file);
  loadImageFile(images, 36, io, dir.folder() + "startbar.bmp");
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_TRUE(allMultiplesOfEight(images[36].picture));
  EXPECT_NE(images[36].picture.pixels, uneven.pixels);

  const std::string zip = dir.folder() + "skin.zip";
  ASSERT_TRUE(makeZip(zip, {{"uisettings.ini", settingsWithTitle("Zip")}, {"startbar.bmp", file}}));
  openSkinArchive(model, images, io, zip);
  EXPECT_EQ(model.skinInfo.Title, "Zip");
  EXPECT_EQ(images[36].picture.pixels, uneven.pixels);

  // A 16-bit file with bit fields is not the skin's own format either.
  BmpRecipe fields;
  fields.bitsPerPixel = 16;
  fields.compression = 3;
  fields.afterHeader = {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
  fields.pixels = {0xE0, 0x07, 0, 0};  // green 63 of 63
  writeBytes(dir.folder() + "btn.bmp", makeBmp(fields));
  loadImageFile(images, 3, io, dir.folder() + "btn.bmp");
  EXPECT_EQ(images[3].picture.pixels, std::vector<Color>{rgb(0, 248, 0)});

  const std::string out = dir.folder() + "saved/";
  fs::create_directory(out);
  saveSkinFolder(model, images, io, out);
  const std::optional<Image> saved = readBmp16(readBytes(out + "startbar.bmp"));
  ASSERT_TRUE(saved);
  for (std::size_t i = 0; i < uneven.pixels.size(); ++i)
    EXPECT_EQ(saved->pixels[i], uneven.pixels[i] & 0xF8F8F8);
}

TEST_F(SkinImagesTest, TheArchiveRootIsTheFolderOfItsSettingsEntry) {
  const Image wanted = evenPicture(2, 1, rgb(16, 32, 48));
  const Image other = evenPicture(1, 1, rgb(200, 200, 200));
  const std::string zip = dir.folder() + "rooted.zip";
  ASSERT_TRUE(makeZip(zip, {{"active.bmp", encodeBmp16(other)},
                            {"Skin/UISETTINGS.INI", settingsWithTitle("Rooted")},
                            {"SKIN/ACTIVE.BMP", encodeBmp16(wanted)},
                            {"skin\\activehotkey.bmp", encodeBmp16(wanted)},
                            {"Skin/Icon/Cheat.bmp", encodeBmp16(wanted)},
                            {"Skin\\btn.bmp", text("not a picture")}}));
  openSkinArchive(model, images, io, zip);
  EXPECT_EQ(model.skinInfo.Title, "Rooted");
  EXPECT_EQ(images[0].picture.pixels, wanted.pixels);
  EXPECT_EQ(images[1].picture.pixels, wanted.pixels);
  EXPECT_EQ(images[42].picture.pixels, wanted.pixels);
  EXPECT_TRUE(images[3].picture.empty());  // undecodable entries are emptied on load
  EXPECT_EQ(images[2].picture.pixels, builtinSkinPicture(2).pixels);
  // Named as the author wrote it, with "/" whichever separator the archive
  // stores; the absent pictures are no message.
  EXPECT_EQ(bodies(), std::vector<std::string>{unknown("Skin/btn.bmp")});
  EXPECT_EQ(desktop.progress.size(), 54u);
  EXPECT_EQ(desktop.progress.back(), 0);
}

TEST_F(SkinImagesTest, ARootWithNonAsciiLettersMatchesInAnyCase) {
  // Zipped on one system, pictures added on another: the root folder's
  // letters differ in case beyond ASCII. Code page 437 names (0x84 is "ä",
  // 0x8E "Ä") and UTF-8-flagged names alike.
  const Image wanted = evenPicture(2, 1, rgb(16, 32, 48));
  const struct {
    std::string settings, active, cheat;
    bool utf8;
  } spellings[] = {
      {"Sk\x84n/uisettings.ini", "SK\x8EN/ACTIVE.BMP", "sk\x84n/Icon/CHEAT.bmp", false},
      {"Sk\xC3\xA4n/uisettings.ini", "SK\xC3\x84N/ACTIVE.BMP", "sk\xC3\xA4n/Icon/CHEAT.bmp", true},
      {"\xD0\xA1\xD0\xBA\xD0\xB8\xD0\xBD/UISETTINGS.INI",         // Скин
       "\xD0\xA1\xD0\x9A\xD0\x98\xD0\x9D/active.bmp",             // СКИН
       "\xD1\x81\xD0\xBA\xD0\xB8\xD0\xBD/icon/cheat.bmp", true},  // скин
  };
  for (const auto& names : spellings) {
    const std::string zip = dir.folder() + "cased.zip";
    std::filesystem::remove(zip);
    ASSERT_TRUE(makeZip(zip, {{names.settings, settingsWithTitle("Cased"), names.utf8},
                              {names.active, encodeBmp16(wanted), names.utf8},
                              {names.cheat, encodeBmp16(wanted), names.utf8}}));
    resetSkinImages(images);
    desktop.messages.clear();
    openSkinArchive(model, images, io, zip);
    EXPECT_EQ(model.skinInfo.Title, "Cased") << names.settings;
    EXPECT_EQ(images[0].picture.pixels, wanted.pixels) << names.active;
    EXPECT_EQ(images[42].picture.pixels, wanted.pixels) << names.cheat;
    EXPECT_TRUE(bodies().empty()) << names.settings;
  }
  EXPECT_EQ(upperCaseName("sk\xC3\xA4n \xCE\xB1\xF0\x90\x90\xA8 \xFF"),
            "SK\xC3\x84N \xCE\x91\xF0\x90\x90\x80 \xFF");
}

TEST_F(SkinImagesTest, TheFirstSettingsEntryAndTheFirstOfTwoPicturesWin) {
  const std::string zip = dir.folder() + "twice.zip";
  ASSERT_TRUE(makeZip(zip, {{"a/uisettings.ini", settingsWithTitle("First")},
                            {"b/uisettings.ini", settingsWithTitle("Second")},
                            {"a/active.bmp", encodeBmp16(evenPicture(1, 1, rgb(8, 8, 8)))},
                            {"A/Active.bmp", encodeBmp16(evenPicture(1, 1, rgb(16, 16, 16)))},
                            {"b/activehotkey.bmp", encodeBmp16(evenPicture(1, 1, 0))}}));
  openSkinArchive(model, images, io, zip);
  EXPECT_EQ(model.skinInfo.Title, "First");
  EXPECT_EQ(images[0].picture.pixels, std::vector<Color>{rgb(8, 8, 8)});
  EXPECT_EQ(images[1].picture.pixels, builtinSkinPicture(1).pixels);
}

TEST_F(SkinImagesTest, ArchivesWithoutReadableSettingsChangeNothing) {
  const std::string noSettings = dir.folder() + "none.zip";
  ASSERT_TRUE(makeZip(noSettings, {{"active.bmp", encodeBmp16(evenPicture(1, 1, 0))},
                                   {"uisettings.ini.bak", text("x")}}));
  const std::string garbage = dir.folder() + "garbage.zip";
  writeBytes(garbage, text("PK\x03\x04 this is not an archive"));
  const std::string forged = dir.folder() + "forged.zip";
  ASSERT_TRUE(makeZip(forged, {{"uisettings.ini", text("x"), false, kMaxZipEntrySize + 1}}));

  for (const std::string& zip : {noSettings, garbage, forged, dir.folder() + "missing.zip"}) {
    desktop.messages.clear();
    model.skinInfo.Title = "Untouched";
    openSkinArchive(model, images, io, zip);
    ASSERT_EQ(desktop.messages.size(), 1u) << zip;
    EXPECT_EQ(desktop.messages[0].title, error());
    // A settings entry that is there but too large is not called missing.
    EXPECT_EQ(desktop.messages[0].body,
              zip == forged ? "uisettings.ini : " + texts.text("LANG_FILE_TOOLARGE$")
                            : std::string(missingSettingsMessage()));
    EXPECT_EQ(model.skinInfo.Title, "Untouched");
    EXPECT_EQ(images[0].picture.pixels, builtinSkinPicture(0).pixels);
  }
  EXPECT_TRUE(desktop.progress.empty());
}

TEST_F(SkinImagesTest, ArchivesCanBeOpenedFromMemory) {
  const std::string zip = dir.folder() + "memory.zip";
  ASSERT_TRUE(makeZip(zip, {{"uisettings.ini", settingsWithTitle("Memory")},
                            {"icon\\unk.bmp", encodeBmp16(evenPicture(2, 2, rgb(0, 0, 248)))}}));
  ZipArchive archive(readBytes(zip));
  openSkinArchive(model, images, io, archive);
  EXPECT_EQ(model.skinInfo.Title, "Memory");
  EXPECT_EQ(images[52].picture.pixels, evenPicture(2, 2, rgb(0, 0, 248)).pixels);
}

TEST_F(SkinImagesTest, MalformedPicturesAreReportedAndEmptyTheirEntry) {
  BmpRecipe tooWide;
  tooWide.width = 5000;
  tooWide.pixels.assign(15000, 0);
  Bytes shortBmp16 = encodeBmp16(evenPicture(10, 10, 0));
  shortBmp16.resize(100);
  PngRecipe png;
  png.width = 4;
  png.rows.assign(12, 9);
  Bytes brokenPng = makePng(png);
  brokenPng.resize(brokenPng.size() / 2);
  const Bytes brokenJpeg = {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x01, 0x02};

  const std::vector<std::pair<std::string, Bytes>> files = {
      {"a.bmp", makeBmp(tooWide)}, {"b.bmp", shortBmp16}, {"c.png", brokenPng},
      {"d.jpg", brokenJpeg},       {"e.bmp", Bytes{}},    {"f.bmp", text("BM")}};
  for (const auto& [name, bytes] : files) {
    const std::string path = dir.folder() + name;
    writeBytes(path, bytes);
    images[5].picture = evenPicture(1, 1, 0);
    desktop.messages.clear();
    loadImageFile(images, 5, io, path);
    ASSERT_EQ(desktop.messages.size(), 1u) << name;
    EXPECT_EQ(desktop.messages[0].body, unknown(path));
    EXPECT_TRUE(images[5].picture.empty()) << name;
  }
  desktop.messages.clear();
  loadImageFile(images, 5, io, dir.folder() + "missing.png");
  EXPECT_EQ(bodies(), std::vector<std::string>{notFound(dir.folder() + "missing.png")});
}

TEST_F(SkinImagesTest, AReplacementThatCannotBeDecodedKeepsThePicture) {
  const std::string bad = dir.folder() + "bad.png";
  writeBytes(bad, text("\x89PNG\r\n\x1a\n broken"));
  const std::string good = dir.folder() + "good.png";
  writeBytes(good, makeRgbPng(unevenPicture()));
  EXPECT_FALSE(replaceSkinImageFromFile(images, 42, io, bad));
  EXPECT_EQ(bodies(), std::vector<std::string>{unknown(bad)});
  EXPECT_EQ(images[42].picture.pixels, builtinSkinPicture(42).pixels);

  EXPECT_TRUE(replaceSkinImageFromFile(images, 42, io, good));
  EXPECT_EQ(images[42].picture.width, 6);
  EXPECT_TRUE(allMultiplesOfEight(images[42].picture));
  EXPECT_TRUE(desktop.progress.empty());
}

TEST_F(SkinImagesTest, FailedSaveStepsAreReportedAsSpecifiedAndKeepOldFiles) {
  const std::string folder = dir.folder();
  fs::create_directory(folder + "uisettings.ini");  // cannot be written: one message
  fs::create_directory(folder + "btn.bmp");         // cannot be written: one message
  writeBytes(folder + "icon", text("a file where the folder should be"));
  EXPECT_FALSE(saveSkinFolder(model, images, io, folder));
  std::vector<std::string> expected = {notSaved(folder + "uisettings.ini"),
                                       notSaved(folder + "btn.bmp")};
  for (int i = 42; i < kSkinImageCount; ++i)
    expected.push_back(notSaved(folder + std::string(images[i].fileName)));
  EXPECT_EQ(bodies(), expected);
  EXPECT_TRUE(fs::is_directory(folder + "uisettings.ini"));
  EXPECT_TRUE(fs::is_regular_file(folder + "active.bmp"));
  EXPECT_EQ(readBytes(folder + "icon"), text("a file where the folder should be"));
}

TEST_F(SkinImagesTest, AMixedSkinFromAFolderOrAnArchiveSavesAsSixteenBitPictures) {
  // Every picture in some format, a few spelled in another case.
  std::vector<ZipEntryRecipe> entries = {{"My Skin/uisettings.ini", settingsWithTitle("Mixed")}};
  const std::string source = dir.folder() + "source/";
  fs::create_directories(source + "Icon");
  writeBytes(source + "uisettings.ini", settingsWithTitle("Mixed"));
  for (int i = 0; i < kSkinImageCount; ++i) {
    const Image picture = evenPicture(3 + i % 5, 2 + i % 3, rgb(7 * i, 255 - i, 3 * i));
    Bytes file;
    switch (i % 4) {
      case 0:
        file = encodeBmp16(picture);
        break;
      case 1:
        file = makeBmp24(picture);
        break;
      case 2:
        file = makeRgbPng(picture);
        break;
      default:
        file = makeJpeg(picture);
        break;
    }
    std::string name(images[i].fileName);
    if (i % 5 == 0) name = upperAscii(name.substr(0, 1)) + name.substr(1);
    if (name.starts_with("icon/")) name.replace(0, 4, "Icon");
    writeBytes(source + name, file);
    entries.push_back({"My Skin/" + name, file});
  }
  const std::string zip = dir.folder() + "mixed.zip";
  ASSERT_TRUE(makeZip(zip, entries));

  for (bool fromArchive : {false, true}) {
    resetSkinImages(images);
    if (fromArchive) {
      openSkinArchive(model, images, io, zip);
    } else {
      ASSERT_TRUE(loadSkinFromFolder(model, images, io, source));
    }
    EXPECT_EQ(bodies(), std::vector<std::string>{}) << fromArchive;
    EXPECT_EQ(model.skinInfo.Title, "Mixed");
    const std::string out = dir.folder() + (fromArchive ? "from-zip/" : "from-folder/");
    fs::create_directory(out);
    saveSkinFolder(model, images, io, out);
    EXPECT_TRUE(fs::is_regular_file(out + "uisettings.ini"));
    for (int i = 0; i < kSkinImageCount; ++i) {
      const std::string path = out + std::string(images[i].fileName);
      const std::optional<Image> saved = readBmp16(readBytes(path));
      ASSERT_TRUE(saved) << path;
      EXPECT_EQ(saved->width, 3 + i % 5) << path;
      EXPECT_EQ(saved->height, 2 + i % 3) << path;
    }
  }
}

// Every file of a folder below `root`, by path relative to it.
std::map<std::string, Bytes> filesBelow(const fs::path& root) {
  std::map<std::string, Bytes> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file())
      files[genericUtf8FromPath(fs::relative(entry.path(), root))] =
          readBytes(utf8FromPath(entry.path()));
  return files;
}

TEST_F(SkinImagesTest, APathOpensAsAFolderWhenItIsOneAndAsAnArchiveOtherwise) {
  makeOwnSkin(model, images);
  const std::string folder = dir.folder() + "Mine";
  fs::create_directory(folder);
  saveSkinFolder(model, images, io, folder + "/");
  ASSERT_TRUE(saveSkinArchive(model, images, io, dir.folder() + "Mine.zip"));
  desktop.messages.clear();

  SkinModel opened;
  SkinImageTable pictures;
  const OpenedSkin asFolder = openSkinPath(opened, pictures, io, folder);
  EXPECT_TRUE(asFolder.loaded);
  EXPECT_TRUE(asFolder.folder);
  EXPECT_EQ(asFolder.path, folder + "/");
  EXPECT_EQ(opened.skinInfo.Title, model.skinInfo.Title);
  EXPECT_EQ(openSkinPath(opened, pictures, io, folder + "/").path, folder + "/");

  const OpenedSkin asArchive = openSkinPath(opened, pictures, io, dir.folder() + "Mine.zip");
  EXPECT_TRUE(asArchive.loaded);
  EXPECT_FALSE(asArchive.folder);
  EXPECT_EQ(asArchive.path, dir.folder() + "Mine.zip");
  EXPECT_TRUE(desktop.messages.empty());

  // Whatever is not a folder is taken for an archive, which says it is missing.
  const OpenedSkin missing = openSkinPath(opened, pictures, io, dir.folder() + "Gone");
  EXPECT_FALSE(missing.loaded);
  EXPECT_FALSE(missing.folder);
  EXPECT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(asFolderPath(""), "");
  EXPECT_EQ(asFolderPath("a\\"), "a\\");
}

TEST_F(SkinImagesTest, AnArchiveSaveHoldsTheFolderSaveAndOpensToTheSameSkin) {
  makeOwnSkin(model, images);
  const std::string direct = dir.folder() + "direct/";
  fs::create_directory(direct);
  saveSkinFolder(model, images, io, direct);
  const std::vector<int> folderProgress = desktop.progress;
  desktop.progress.clear();

  const std::string zip = dir.folder() + "My Skin.zip";
  ASSERT_TRUE(saveSkinArchive(model, images, io, zip));
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(desktop.progress, folderProgress);

  // One folder named after the archive, the settings first, then the
  // pictures in table order, each exactly as the folder save wrote it.
  ZipArchive archive(zip);
  ASSERT_EQ(archive.entryCount(), 1 + kSkinImageCount);
  EXPECT_EQ(archive.entryName(0), "My Skin\\uisettings.ini");
  EXPECT_EQ(archive.extract(0), readBytes(direct + "uisettings.ini"));
  for (int i = 0; i < kSkinImageCount; ++i) {
    const std::string name(images[i].fileName);
    EXPECT_EQ(archive.entryName(i + 1), "My Skin\\" + archiveNameOf(name));
    EXPECT_EQ(archive.extract(i + 1), readBytes(direct + name)) << name;
  }

  SkinModel reopened;
  SkinImageTable reopenedImages;
  resetSkinModel(reopened);
  resetSkinImages(reopenedImages);
  openSkinArchive(reopened, reopenedImages, io, zip);
  EXPECT_TRUE(desktop.messages.empty());
  const std::string again = dir.folder() + "again/";
  fs::create_directory(again);
  saveSkinFolder(reopened, reopenedImages, io, again);
  const std::map<std::string, Bytes> expected = filesBelow(direct);
  EXPECT_EQ(expected.size(), 1u + kSkinImageCount);
  EXPECT_EQ(filesBelow(again), expected);

  // Saving over an archive replaces it, and leaves nothing else behind.
  model.skinInfo.Title = "Second";
  ASSERT_TRUE(saveSkinArchive(model, images, io, zip));
  openSkinArchive(reopened, reopenedImages, io, zip);
  EXPECT_EQ(reopened.skinInfo.Title, "Second");
  int archives = 0;
  for (const auto& entry : fs::directory_iterator(dir.path()))
    archives += entry.is_regular_file() ? 1 : 0;
  EXPECT_EQ(archives, 1);
}

// Folder and archive names are UTF-8 on every system: a skin under a
// Swedish or Japanese name opens, saves over itself (every file replaced),
// and goes into and out of an archive whose folder has that name.
TEST_F(SkinImagesTest, SkinsUnderNonAsciiNamesOpenAndSaveOverThemselves) {
  for (const std::string name : {"Sk\xC3\xB6n", "\xE3\x82\xB9\xE3\x82\xAD\xE3\x83\xB3"}) {
    const std::string folder = dir.folder() + name + "/";
    fs::create_directories(pathFromUtf8(folder));
    makeOwnSkin(model, images);
    ASSERT_TRUE(saveSkinFolder(model, images, io, folder)) << name;
    model.skinInfo.Author = "Second";
    ASSERT_TRUE(saveSkinFolder(model, images, io, folder)) << name;
    EXPECT_TRUE(desktop.messages.empty()) << name;
    writeBytes(folder + "notes " + name + ".txt", text("carried"));

    SkinModel reopened;
    SkinImageTable reopenedImages;
    resetSkinImages(reopenedImages);
    const OpenedSkin opened = openSkinPath(reopened, reopenedImages, io, dir.folder() + name);
    EXPECT_TRUE(opened.loaded && opened.folder) << name;
    EXPECT_EQ(opened.path, folder);
    EXPECT_EQ(reopened.skinInfo.Author, "Second");
    EXPECT_EQ(readBytes(folder + "startbar.bmp"), encodeBmp16(reopenedImages[36].picture));

    const std::string zip = dir.folder() + name + ".zip";
    for (int pass = 0; pass < 2; ++pass)
      ASSERT_TRUE(saveSkinArchive(reopened, reopenedImages, io, zip)) << name << pass;
    ZipArchive archive(zip);
    ASSERT_GT(archive.entryCount(), kSkinImageCount);
    EXPECT_EQ(archive.entryName(0), name + "\\uisettings.ini");
    EXPECT_GE(archive.findEntry(name + "\\notes " + name + ".txt"), 0) << name;
    SkinModel fromArchive;
    EXPECT_TRUE(openSkinArchive(fromArchive, reopenedImages, io, zip)) << name;
    EXPECT_EQ(fromArchive.skinInfo.Author, "Second");
    EXPECT_TRUE(desktop.messages.empty()) << name;
  }
}

TEST_F(SkinImagesTest, TheArchivesFolderIsItsBaseNameInWellFormedUtf8) {
  const struct {
    std::string file, root;
  } names[] = {
      {"Blue.ZIP", "Blue\\"},
      {"Bl\xE5.zip", "Bl\xEF\xBF\xBD\\"},  // a Latin-1 name: the stray byte becomes U+FFFD
  };
  model.skinInfo.Title = "Named";
  for (const auto& name : names) {
    const std::string zip = dir.folder() + name.file;
    ASSERT_TRUE(saveSkinArchive(model, images, io, zip)) << name.file;
    ZipArchive archive(zip);
    ASSERT_GT(archive.entryCount(), 0) << name.file;
    EXPECT_EQ(archive.entryName(0), name.root + "uisettings.ini");
    SkinModel reopened;
    openSkinArchive(reopened, images, io, zip);
    EXPECT_EQ(reopened.skinInfo.Title, "Named") << name.file;
  }
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(SkinImagesTest, AnArchiveThatCannotBeWrittenIsOneMessageAndKeepsTheOldOne) {
  const std::string zip = dir.folder() + "Keep.zip";
  ASSERT_TRUE(saveSkinArchive(model, images, io, zip));
  const Bytes old = readBytes(zip);
  makeOwnSkin(model, images);
  // Far more than the file-size limit below lets through, even deflated.
  std::uint32_t seed = 1;
  images[41].picture = Image(256, 192);
  for (Color& c : images[41].picture.pixels) c = (seed = seed * 1664525u + 1013904223u) >> 8;

  // Cut off half-way, or refused from the start: one message either way.
  const std::string missing = dir.folder() + "missing/Skin.zip";
  for (const std::string& target : {zip, missing}) {
    desktop.messages.clear();
    desktop.progress.clear();
    bool saved = true;
    {
      FileSizeLimit limit(target == zip ? 20000 : kNoFileSizeLimit);
      saved = saveSkinArchive(model, images, io, target);
    }
    EXPECT_FALSE(saved) << target;
    ASSERT_EQ(desktop.messages.size(), 1u) << target;
    EXPECT_EQ(desktop.messages[0].title, error());
    EXPECT_EQ(desktop.messages[0].body, notSaved(target));
    EXPECT_EQ(desktop.progress.size(), 55u);
    EXPECT_EQ(desktop.progress.back(), 0);
  }
  EXPECT_EQ(readBytes(zip), old);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir.path()))
    left.push_back(utf8FromPath(entry.path().filename()));
  EXPECT_EQ(left, std::vector<std::string>{"Keep.zip"});
}

TEST_F(SkinImagesTest, ASaveThatMeetsAFullDiskChangesNoFileAndLeavesNoTemporaries) {
  const std::string folder = dir.folder();
  ASSERT_TRUE(saveSkinFolder(model, images, io, folder));
  const std::map<std::string, Bytes> old = filesUnder(dir.path());
  makeOwnSkin(model, images);
  images[8].picture = Image(256, 192, rgb(8, 8, 8));  // cheatbg.bmp, far past the limit
  desktop.messages.clear();
  desktop.progress.clear();
  bool saved = true;
  {
    FileSizeLimit limit(20000);
    saved = saveSkinFolder(model, images, io, folder);
  }
  EXPECT_FALSE(saved);
  EXPECT_EQ(bodies(), std::vector<std::string>{notSaved(folder + "cheatbg.bmp")});
  EXPECT_EQ(desktop.progress.size(), 55u);
  EXPECT_EQ(filesUnder(dir.path()), old);
}

// ---- what a save keeps of the skin it read ----

// A 16-bit BMP as other tools write it: any header size, plain or with bit
// fields, the unused top bit of each pixel set, a resolution and trailing
// bytes encodeBmp16 never writes. Only a copy gives back the same bytes.
Bytes foreignBmp16(const Image& picture, std::uint32_t headerSize, bool bitFields) {
  const std::size_t offset = 14 + std::max<std::size_t>(headerSize, bitFields ? 52 : 40);
  const std::size_t stride = (picture.width * 2 + 3) / 4 * 4;
  Bytes out(offset + stride * picture.height, 0);
  out[0] = 'B';
  out[1] = 'M';
  putLe(out, 10, static_cast<std::uint32_t>(offset), 4);
  putLe(out, 14, headerSize, 4);
  putLe(out, 18, static_cast<std::uint32_t>(picture.width), 4);
  putLe(out, 22, static_cast<std::uint32_t>(picture.height), 4);
  putLe(out, 26, 1, 2);
  putLe(out, 28, 16, 2);
  putLe(out, 30, bitFields ? 3 : 0, 4);
  putLe(out, 38, 3780, 4);
  putLe(out, 42, 3780, 4);
  if (bitFields) {
    putLe(out, 54, 0x7C00, 4);
    putLe(out, 58, 0x03E0, 4);
    putLe(out, 62, 0x001F, 4);
  }
  for (int r = 0; r < picture.height; ++r)
    for (int x = 0; x < picture.width; ++x) {
      const Color c = picture.at(x, picture.height - 1 - r);
      putLe(out, offset + r * stride + 2 * x,
            0x8000 | (redOf(c) >> 3) << 10 | (greenOf(c) >> 3) << 5 | blueOf(c) >> 3, 2);
    }
  out.insert(out.end(), {'t', 'a', 'i', 'l'});
  putLe(out, 2, static_cast<std::uint32_t>(out.size()), 4);
  return out;
}

Image pattern(int width, int height, int seed) {
  Image picture(width, height);
  for (std::size_t p = 0; p < picture.pixels.size(); ++p)
    picture.pixels[p] = rgb((seed * 40 + p * 8) % 256, (p * 24) % 256, (seed * 16) % 256);
  return picture;
}

// Every regular file and folder below `root` (links left out), by "/"
// path relative to it; folders end in "/" and hold no bytes.
std::map<std::string, Bytes> treeBelow(const fs::path& root) {
  std::map<std::string, Bytes> tree;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
       ++it) {
    const std::string name = genericUtf8FromPath(fs::relative(it->path(), root));
    if (it->is_symlink()) continue;
    if (it->is_directory())
      tree[name + "/"] = {};
    else
      tree[name] = readBytes(utf8FromPath(it->path()));
  }
  return tree;
}

// The entries of an archive below `root` ("Out\"), by "/" name relative to
// it, as treeBelow gives a folder.
std::map<std::string, Bytes> entriesBelow(const std::string& zip, const std::string& root) {
  ZipArchive archive(zip);
  std::map<std::string, Bytes> entries;
  for (int i = 0; i < archive.entryCount(); ++i) {
    std::string name = archive.entryName(i);
    EXPECT_TRUE(name.starts_with(root)) << name;
    name = name.substr(root.size());
    std::replace(name.begin(), name.end(), '\\', '/');
    entries[name] = archive.extract(i).value_or(text("<unreadable>"));
  }
  return entries;
}

// A skin folder as authors publish it: a handful of pictures written by
// other tools, one in upper case, one in 24 bits, and the files of later
// menus beside them.
class SkinWithOtherFiles : public SkinImagesTest {
 protected:
  SkinWithOtherFiles() {
    fs::create_directories(skin + "icon");
    fs::create_directories(skin + "calendar/week days");
    fs::create_directories(skin + "loading");  // holds nothing
    fs::create_directories(skin + "screens & shots!");
    writeBytes(skin + "uisettings.ini", settingsWithTitle("Autumn"));
    stored["active.bmp"] = foreignBmp16(pattern(6, 6, 1), 124, false);       // V5 header
    stored["btn.bmp"] = foreignBmp16(pattern(47, 14, 2), 40, true);          // bit fields
    stored["ACTIVEHOTKEY.BMP"] = foreignBmp16(pattern(9, 9, 3), 108, true);  // V4, upper case
    stored["icon/nds.bmp"] = foreignBmp16(pattern(32, 32, 4), 40, false);
    stored["cheatbg.bmp"] = makeBmp24(unevenPicture());
    for (const auto& [name, bytes] : stored) writeBytes(skin + name, bytes);
    others = {
        {"menu_bg.bmp", encodeBmp16(pattern(256, 192, 5))},
        {"BTN2.BMP", foreignBmp16(pattern(20, 14, 6), 40, true)},
        {"custom.ini", text("[custom]\r\nshowCalendar = 1")},
        {"uisettings.ini.bak", text("[SkinInfo]\r\nTitle=Old\r\n")},
        {"Thumbs.db", Bytes(300, 0xA5)},
        {"read\xC2\xA0me.txt", text("no-break space")},
        {"calendar/calendar_no.bmp", encodeBmp16(pattern(16, 14, 7))},
        {"calendar/week days/Mo.bmp", encodeBmp16(pattern(8, 8, 8))},
        {"screens & shots!/shot 1.png", makeRgbPng(pattern(4, 4, 9))},
        {"icon/extra.bmp", encodeBmp16(pattern(32, 32, 10))},
    };
    for (const auto& [name, bytes] : others) writeBytes(skin + name, bytes);
    // A killed save's leftover and links to what is no part of the skin.
    writeBytes(skin + "custom.ini.tmp-1-2", text("half a file"));
    writeBytes(dir.folder() + "secret.txt", text("outside"));
    fs::create_directories(dir.path() / "elsewhere");
    writeBytes(dir.folder() + "elsewhere/deep.txt", text("outside"));
    // Windows lets only administrators (or developer mode) make links.
    std::error_code linkError;
    fs::create_symlink(dir.path() / "secret.txt", skin + "secret link.txt", linkError);
    if (!linkError) fs::create_directory_symlink(dir.path() / "elsewhere", skin + "linked folder");
    if (!linkError) fs::create_directory_symlink(skin, skin + "loop");
    linksMade = !linkError;
  }

  bool linksMade = false;

  void open() {
    desktop.messages.clear();
    ASSERT_TRUE(loadSkinFromFolder(model, images, io, skin));
    ASSERT_EQ(bodies(), std::vector<std::string>{});
  }

  // What a save of the skin as opened, nothing changed, leaves: the other
  // files as they were, the 16-bit pictures as stored, the 24-bit one and
  // the absent ones as 16-bit BMPs.
  std::map<std::string, Bytes> expectedTree() {
    std::map<std::string, Bytes> tree = others;
    for (const char* folder :
         {"calendar/", "calendar/week days/", "icon/", "loading/", "screens & shots!/"})
      tree[folder] = {};
    tree["uisettings.ini"] = writeSkinSettings(model, io.clock);
    for (int i = 0; i < kSkinImageCount; ++i)
      tree[std::string(skinImageFileName(i))] = encodeBmp16(builtinSkinPicture(i));
    tree["active.bmp"] = stored.at("active.bmp");
    tree["btn.bmp"] = stored.at("btn.bmp");
    tree["activehotkey.bmp"] = stored.at("ACTIVEHOTKEY.BMP");
    tree["icon/nds.bmp"] = stored.at("icon/nds.bmp");
    tree["cheatbg.bmp"] = encodeBmp16(images[8].picture);
    return tree;
  }

  std::string skin = dir.folder() + "Autumn & Co! skins/";
  std::map<std::string, Bytes> stored;  // the table's pictures as the skin has them
  std::map<std::string, Bytes> others;  // every other file
};

TEST_F(SkinWithOtherFiles, AFolderSaveElsewhereCarriesEveryOtherFileAndKeepsUnchangedPictures) {
  open();
  EXPECT_NE(encodeBmp16(images[8].picture), stored["cheatbg.bmp"]);
  const std::string out = dir.folder() + "out folder/";
  fs::create_directories(out);
  ASSERT_TRUE(saveSkinFolder(model, images, io, out));
  EXPECT_EQ(bodies(), std::vector<std::string>{});
  // No link, no leftover, no second spelling of a picture the save writes.
  EXPECT_EQ(treeBelow(out), expectedTree());

  // Changed, a picture is encoded anew; changed back (as an undo does), it
  // is the stored file again.
  const Image original = images[45].picture;
  images[45].picture = pattern(32, 32, 11);
  ASSERT_TRUE(saveSkinFolder(model, images, io, out));
  EXPECT_EQ(readBytes(out + "icon/nds.bmp"), encodeBmp16(pattern(32, 32, 11)));
  images[45].picture = original;
  ASSERT_TRUE(saveSkinFolder(model, images, io, out));
  EXPECT_EQ(readBytes(out + "icon/nds.bmp"), stored["icon/nds.bmp"]);
  EXPECT_EQ(readBytes(out + "active.bmp"), stored["active.bmp"]);
}

TEST_F(SkinWithOtherFiles, AnArchiveSaveCarriesTheSameAndReopensToTheSameFiles) {
  open();
  const std::string zip = dir.folder() + "Out.zip";
  ASSERT_TRUE(saveSkinArchive(model, images, io, zip));
  EXPECT_EQ(bodies(), std::vector<std::string>{});
  // The icon folder is no entry of its own; the empty folder is one.
  std::map<std::string, Bytes> expected = expectedTree();
  for (const char* folder : {"calendar/", "calendar/week days/", "icon/", "screens & shots!/"})
    expected.erase(folder);
  EXPECT_EQ(entriesBelow(zip, "Out\\"), expected);

  // Opened again and saved as a folder, the archive gives the folder save.
  SkinModel reopened;
  SkinImageTable reopenedImages;
  resetSkinImages(reopenedImages);
  ASSERT_TRUE(openSkinArchive(reopened, reopenedImages, io, zip));
  const std::string again = dir.folder() + "again/";
  fs::create_directories(again);
  ASSERT_TRUE(saveSkinFolder(reopened, reopenedImages, io, again));
  EXPECT_EQ(bodies(), std::vector<std::string>{});
  EXPECT_EQ(treeBelow(again), expectedTree());
}

TEST_F(SkinWithOtherFiles, ASaveIntoItsOwnFolderTouchesNoFileItDoesNotWrite) {
  open();
  images[3].picture = pattern(47, 14, 12);  // btn.bmp changed
  struct Seen {
    Bytes bytes;
    fs::file_time_type time;
    bool operator==(const Seen&) const = default;
  };
  std::map<std::string, Seen> before;
  for (const auto& [name, bytes] : others)
    before[name] = {bytes, fs::last_write_time(pathFromUtf8(skin + name))};
  // Where the file system ignores case (Windows), ACTIVEHOTKEY.BMP is the
  // file the save writes as activehotkey.bmp: its bytes stay, its time not.
  const bool foldsCase = fs::exists(pathFromUtf8(skin + "activehotkey.bmp"));
  for (const char* name : {"ACTIVEHOTKEY.BMP", "custom.ini.tmp-1-2", "secret link.txt"})
    if ((linksMade || name != std::string("secret link.txt")) &&
        (!foldsCase || name != std::string("ACTIVEHOTKEY.BMP")))
      before[name] = {readBytes(skin + name), fs::last_write_time(pathFromUtf8(skin + name))};

  ASSERT_TRUE(saveSkinFolder(model, images, io, skin));
  EXPECT_EQ(bodies(), std::vector<std::string>{});
  std::map<std::string, Seen> after;
  for (const auto& [name, seen] : before)
    after[name] = {readBytes(skin + name), fs::last_write_time(pathFromUtf8(skin + name))};
  EXPECT_EQ(after, before);
  EXPECT_EQ(readBytes(skin + "ACTIVEHOTKEY.BMP"), stored.at("ACTIVEHOTKEY.BMP"));
  EXPECT_EQ(fs::is_symlink(skin + "loop"), linksMade);
  EXPECT_TRUE(fs::is_directory(skin + "loading"));
  EXPECT_EQ(readBytes(skin + "btn.bmp"), encodeBmp16(pattern(47, 14, 12)));
  EXPECT_EQ(readBytes(skin + "active.bmp"), stored["active.bmp"]);
  EXPECT_EQ(readBytes(skin + "icon/nds.bmp"), stored["icon/nds.bmp"]);
  EXPECT_EQ(readBytes(skin + "activehotkey.bmp"), stored["ACTIVEHOTKEY.BMP"]);
}

TEST_F(SkinWithOtherFiles, TheOtherFilesAreStagedWithThePicturesAndRenamedOnlyOnceAllAreWritten) {
  open();
  const std::string out = dir.folder() + "staged/";
  fs::create_directories(out);
  int staged = 0;
  bool carriedYet = true;
  FolderSaveProbe probe;
  probe.staged = [&](int n) { staged = n; };
  probe.beforeRenames = [&] { carriedYet = fs::exists(out + "custom.ini"); };
  ASSERT_TRUE(saveSkinFolder(model, images, io, out, probe));
  EXPECT_EQ(staged, 54 + static_cast<int>(others.size()));
  EXPECT_FALSE(carriedYet);
  EXPECT_EQ(readBytes(out + "custom.ini"), others["custom.ini"]);
}

TEST_F(SkinWithOtherFiles, ASaveInsideTheSkinsFolderDoesNotCarryItselfAlong) {
  open();
  const std::string inside = skin + "export/";
  fs::create_directories(inside);
  for (int pass = 0; pass < 2; ++pass) ASSERT_TRUE(saveSkinFolder(model, images, io, inside));
  EXPECT_FALSE(fs::exists(inside + "export"));
  EXPECT_EQ(readBytes(inside + "custom.ini"), others["custom.ini"]);
  for (int pass = 0; pass < 2; ++pass)
    ASSERT_TRUE(saveSkinArchive(model, images, io, skin + "Autumn.zip"));
  EXPECT_EQ(bodies(), std::vector<std::string>{});
  ZipArchive archive(skin + "Autumn.zip");
  EXPECT_GE(archive.findEntry("Autumn\\export\\custom.ini"), 0);
  for (int i = 0; i < archive.entryCount(); ++i)
    EXPECT_FALSE(archive.entryName(i).ends_with(".zip")) << archive.entryName(i);
}

TEST_F(SkinWithOtherFiles, WhatCannotBeReadBackIsOneMessageAndTheRestIsSaved) {
  open();
  // Larger than an archive entry may be; sparse, so nothing is written.
  fs::resize_file(skin + "Thumbs.db", kMaxZipEntrySize + 1);
  // Deleted since the open: the folder is read as it is at the save.
  fs::remove(skin + "custom.ini");
  const std::string out = dir.folder() + "partly/";
  fs::create_directories(out);
  EXPECT_TRUE(saveSkinFolder(model, images, io, out));
  const std::string message = texts.text("LANG_FILES_NOT_CARRIED$");
  EXPECT_EQ(bodies(),
            std::vector<std::string>{message.substr(0, message.find("%1")) + skin + "Thumbs.db"});
  EXPECT_FALSE(fs::exists(out + "Thumbs.db"));
  EXPECT_FALSE(fs::exists(out + "custom.ini"));
  EXPECT_EQ(readBytes(out + "menu_bg.bmp"), others["menu_bg.bmp"]);
  EXPECT_EQ(readBytes(out + "active.bmp"), stored["active.bmp"]);

  // The whole folder gone: named once; the skin in memory is saved whole,
  // its pictures encoded.
  fs::remove_all(skin);
  desktop.messages.clear();
  const std::string zip = dir.folder() + "Rescued.zip";
  EXPECT_TRUE(saveSkinArchive(model, images, io, zip));
  EXPECT_EQ(bodies(), std::vector<std::string>{message.substr(0, message.find("%1")) + skin});
  ZipArchive archive(zip);
  EXPECT_EQ(archive.entryCount(), 1 + kSkinImageCount);
  EXPECT_EQ(archive.extract(archive.findEntry("Rescued\\active.bmp")),
            encodeBmp16(images[0].picture));
}

TEST_F(SkinImagesTest, AnArchiveWithTheSkinInASubfolderCarriesWhatLiesBesideItsSettings) {
  const Bytes active = foreignBmp16(pattern(6, 6, 1), 124, false);
  const Bytes nds = foreignBmp16(pattern(32, 32, 2), 40, true);
  const std::string zip = dir.folder() + "download.zip";
  ASSERT_TRUE(makeZip(zip, {{"read me first.txt", text("beside the skin, not in it")},
                            {"Skins/Autumn/", {}},
                            {"Skins/Autumn/uisettings.ini", settingsWithTitle("Sub")},
                            {"Skins/Autumn/active.bmp", active},
                            {"Skins/Autumn/custom.ini", text("custom")},
                            {"Skins/Autumn/calendar/", {}},
                            {"Skins/Autumn/calendar/day1.bmp", text("day")},
                            {"Skins/Autumn/Empty & New!/", {}},
                            {"Skins/Autumn/BTN2.BMP", text("btn2")},
                            {"Skins/Autumn/ICON/NDS.BMP", nds},
                            {"Skins/Autumn/Uisettings.INI", text("second spelling")},
                            {"Skins/Autumn/custom.ini", text("a second entry of one name")},
                            {"Skins/Other/custom.ini", text("another skin's")}}));
  ASSERT_TRUE(openSkinArchive(model, images, io, zip));
  EXPECT_EQ(model.skinInfo.Title, "Sub");
  const std::string out = dir.folder() + "unpacked/";
  fs::create_directories(out);
  ASSERT_TRUE(saveSkinFolder(model, images, io, out));
  EXPECT_EQ(bodies(), std::vector<std::string>{});
  std::map<std::string, Bytes> tree = treeBelow(out);
  EXPECT_EQ(tree["custom.ini"], text("custom"));
  EXPECT_EQ(tree["calendar/day1.bmp"], text("day"));
  EXPECT_EQ(tree["BTN2.BMP"], text("btn2"));
  EXPECT_EQ(tree["active.bmp"], active);
  EXPECT_EQ(tree["icon/nds.bmp"], nds);
  EXPECT_TRUE(tree.count("Empty & New!/"));
  EXPECT_EQ(tree.size(), 1 + kSkinImageCount + 3 + 3u);  // 3 files and 3 folders beyond the table
  EXPECT_FALSE(tree.count("read me first.txt"));
  EXPECT_FALSE(tree.count("ICON/NDS.BMP"));

  const std::string again = dir.folder() + "Again.zip";
  ASSERT_TRUE(saveSkinArchive(model, images, io, again));
  std::map<std::string, Bytes> entries = entriesBelow(again, "Again\\");
  EXPECT_EQ(entries["custom.ini"], text("custom"));
  EXPECT_EQ(entries["icon/nds.bmp"], nds);
  EXPECT_TRUE(entries.count("Empty & New!/"));
  EXPECT_FALSE(entries.count("calendar/"));
  EXPECT_EQ(entries.size(), 1 + kSkinImageCount + 3 + 1u);

  // The archive gone since the open: named once, and the skin as the editor
  // holds it is saved all the same.
  fs::remove(zip);
  const std::string rescued = dir.folder() + "rescued/";
  fs::create_directories(rescued);
  EXPECT_TRUE(saveSkinFolder(model, images, io, rescued));
  const std::string message = texts.text("LANG_FILES_NOT_CARRIED$");
  EXPECT_EQ(bodies(), std::vector<std::string>{message.substr(0, message.find("%1")) + zip});
  EXPECT_EQ(readBytes(rescued + "icon/nds.bmp"), encodeBmp16(images[45].picture));
  EXPECT_FALSE(fs::exists(rescued + "custom.ini"));
}

}  // namespace

namespace {

// A settings file as published skins have them: GBK text, the keys and
// sections of later menus, blanks around "=", black written "0", an empty
// value, a key twice, LF lines among CR LF ones, no line end after "[end]".
// Every field is there, so a save adds nothing.
Bytes wildSettings() {
  SkinModel model;
  resetSkinModel(model);
  model.skinInfo.LastUpdate = "2009/01/01-00:00:00";
  std::string settings = freshSettingsText(model);
  auto put = [&](const std::string& from, const std::string& to) {
    const std::size_t at = settings.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    settings.replace(at, from.size(), to);
  };
  put("Title=\r\n", "Title=\xC7\xEF\xC8\xD5\r\n");
  put("Author=\r\n", "Author = Li\n");
  put("[global settings]\r\n",
      "[global settings]\r\npopMenuBarColor = 0\r\nlistViewBarColor1=0x7FFF\n");
  put("[calendar day]\r\n", "[calendar day]\r\ndw=12\r\ndh =\r\n");
  put("[big clock]\r\nx=", "[big clock]\r\nx = 3\r\nx=");
  put("\r\n[end]\r\n", "\r\n[battery icon]\r\nx = 200\r\nshow=1\r\n\r\n[end]");
  return text(settings);
}

std::vector<std::string> lineList(const Bytes& bytes) {
  std::vector<std::string> lines;
  std::string line;
  for (std::uint8_t c : bytes) {
    line += static_cast<char>(c);
    if (c == '\n') lines.push_back(std::exchange(line, {}));
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

TEST_F(SkinWithOtherFiles, EverySaveGivesTheSettingsFileBackWithOnlyTheEditAndTheStamp) {
  const Bytes original = wildSettings();
  writeBytes(skin + "uisettings.ini", original);
  open();
  model.globalSettings.popMenuBodyColor = colorFromText("0x001f");

  // Lines that differ from the file as published: the stamp and the edit.
  auto changes = [&](const Bytes& saved) {
    const std::vector<std::string> before = lineList(original);
    const std::vector<std::string> after = lineList(saved);
    EXPECT_EQ(before.size(), after.size());
    std::vector<std::string> changed;
    for (std::size_t i = 0; i < std::min(before.size(), after.size()); ++i)
      if (before[i] != after[i]) changed.push_back(after[i]);
    return changed;
  };
  const std::vector<std::string> expected{"LastUpdate=" + io.clock() + "\r\n",
                                          "popMenuBodyColor=0x001f\r\n"};

  const std::string out = dir.folder() + "out/";
  fs::create_directories(out);
  SkinModel saving = model;
  ASSERT_TRUE(saveSkinFolder(saving, images, io, out));
  EXPECT_EQ(changes(readBytes(out + "uisettings.ini")), expected);
  EXPECT_EQ(readBytes(out + "custom.ini"), others.at("custom.ini"));
  EXPECT_EQ(readBytes(out + "active.bmp"), stored.at("active.bmp"));

  saving = model;
  const std::string zip = dir.folder() + "Out.zip";
  ASSERT_TRUE(saveSkinArchive(saving, images, io, zip));
  EXPECT_EQ(changes(entriesBelow(zip, "Out\\").at("uisettings.ini")), expected);

  saving = model;
  ASSERT_TRUE(saveSkinFolder(saving, images, io, skin));
  EXPECT_EQ(changes(readBytes(skin + "uisettings.ini")), expected);

  // Reopened, the skin is the one that was saved.
  SkinModel reopened;
  resetSkinModel(reopened);
  ASSERT_TRUE(loadSkinFromFolder(reopened, images, io, out));
  EXPECT_EQ(reopened.globalSettings.popMenuBodyColor, colorFromText("0x001f"));
  EXPECT_EQ(reopened.globalSettings.formFrameColor, model.globalSettings.formFrameColor);
  EXPECT_EQ(reopened.skinInfo.Author, "Li");
}

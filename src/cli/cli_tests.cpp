// skinstudio-cli as users run it: the built binary, its exit status, what it
// prints and the files it writes.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/skin_recolour.h"
#include "base/platform.h"
#include "base/zip_archive.h"
#include "cli_test_support.h"
#include "i18n/interface_texts.h"
#include "preview/screenshot.h"
#include "skin/skin_files.h"
#include "skin/skin_images.h"
#include "skin/skin_model.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/temp_dir.h"

namespace {

struct Png {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
  Color at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return ::rgb(rgb[i], rgb[i + 1], rgb[i + 2]);
  }
};

Png readPng(const std::string& file) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  Png out;
  if (!png_image_begin_read_from_file(&image, file.c_str())) return out;
  image.format = PNG_FORMAT_RGB;
  out.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) return {};
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  return out;
}

TEST_F(Cli, UsageErrorsExitWithTwoAndAUsageLine) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"paint", "--out", "x.png"},
      {"render"},
      {"render", "--out"},
      {"render", "--view", "14", "--out", "x.png"},
      {"render", "--view", "-1", "--out", "x.png"},
      {"render", "--view", "1x", "--out", "x.png"},
      {"render", "--zoom-steps", "28", "--out", "x.png"},
      {"render", "--background", "1,2", "--out", "x.png"},
      {"render", "--background", "1,2,256", "--out", "x.png"},
      {"render", "--replace", "startbar.bmp=a.png", "--out", "x.png"},
      {"convert", "--screens", "--out", "d"},
      {"convert", "--replace", "nosuch.bmp=a.png", "--out", "d"},
      {"convert", "--replace", "startbar.bmp", "--out", "d"},
      {"convert", "--recolour", "hue=abc", "--out", "d"},
      {"convert", "--recolour", "tint=5", "--out", "d"},
      {"convert", "--recolour", "lightness=3", "--out", "d"},
      {"convert", "--recolour", "hue=5", "--recolour-parts", "everything", "--out", "d"},
      {"convert", "--recolour-parts", "icons", "--out", "d"},
      {"render", "--recolour", "hue=5", "--out", "d"},
  };
  for (const auto& arguments : bad) {
    const CliRun r = run(arguments);
    std::string shown;
    for (const auto& a : arguments) shown += a + " ";
    EXPECT_EQ(r.status, 2) << shown;
    EXPECT_NE(r.err.find("usage: skinstudio-cli render"), std::string::npos) << shown;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "d")) << shown;
  }
}

TEST_F(Cli, HelpPrintsTheUsageAndSucceeds) {
  const CliRun r = run({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("skinstudio-cli convert [--skin PATH] [--replace NAME=FILE]..."),
            std::string::npos);
  EXPECT_EQ(run({"render", "--view", "99", "--help"}).status, 0);
  EXPECT_NE(r.out.find("upper_screen.bmp"), std::string::npos);
  EXPECT_NE(r.out.find("DIR|FILE.zip"), std::string::npos);
}

// Published skins mostly carry only the pictures they change: the rest are
// the built-in ones, without a word, and the skin's other files travel with
// it byte for byte. A picture that is there but unreadable is still one
// line of its own, so scripts can count and grep them.
TEST_F(Cli, ASparseSkinConvertsQuietlyWithItsOtherFiles) {
  ASSERT_EQ(run({"convert", "--last-update", "x", "--out", path("sparse")}).status, 0);
  for (int i = 11; i < kSkinImageCount; ++i)
    std::filesystem::remove(path("sparse/" + std::string(skinImageFileName(i))));
  std::filesystem::create_directories(path("sparse/calendar"));
  std::ofstream(path("sparse/custom.ini"), std::ios::binary) << "[custom]\r\n";
  std::ofstream(path("sparse/calendar/day1.bmp"), std::ios::binary) << "day one";
  const std::string active = readFile(path("sparse/active.bmp"));

  CliRun r = run({"render", "--skin", path("sparse"), "--out", path("s.png")});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  r = run({"convert", "--skin", path("sparse"), "--out", path("Out.zip")});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  ZipArchive archive(path("Out.zip"));
  EXPECT_EQ(archive.entryCount(), 1 + kSkinImageCount + 2);
  auto entry = [&](const std::string& name) {
    const std::optional<std::vector<std::uint8_t>> bytes = archive.extract(archive.findEntry(name));
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<none>");
  };
  EXPECT_EQ(entry("Out\\custom.ini"), "[custom]\r\n");
  EXPECT_EQ(entry("Out\\calendar\\day1.bmp"), "day one");
  EXPECT_EQ(entry("Out\\active.bmp"), active);

  std::ofstream(path("sparse/btn.bmp"), std::ios::binary | std::ios::trunc) << "no picture";
  r = run({"convert", "--skin", path("sparse"), "--out", path("out")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Error: " + path("sparse/btn.bmp") + ": " +
                       InterfaceTexts().text("LANG_FILE_UNKNOWN$") + "\n");
  EXPECT_EQ(readFile(path("out/custom.ini")), "[custom]\r\n");
}

// The name the author gave is refused with the one meant, not guessed at.
TEST_F(Cli, APictureNameWithoutItsFileNameIsRefusedWithTheNameMeant) {
  const struct {
    std::string name, hint;
  } cases[] = {{"upper_screen", "(did you mean upper_screen.bmp?)"},
               {"Cheat.BMP", "(did you mean icon/cheat.bmp?)"},
               {"icon\\nds", "(did you mean icon/nds.bmp?)"},
               {"sky", "(such as upper_screen.bmp or icon/cheat.bmp)"}};
  for (const auto& c : cases) {
    const CliRun r = run({"convert", "--replace", c.name + "=x.png", "--out", path("d")});
    EXPECT_EQ(r.status, 2) << c.name;
    EXPECT_NE(r.err.find("\"" + c.name +
                         "\" is not a picture of the skin: NAME is the picture's "
                         "file name in the skin, with .bmp " +
                         c.hint),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(std::filesystem::exists(path("d")));
  }
}

TEST_F(Cli, RenderWritesTheCanvasAtEachZoomAndTheScreenPicture) {
  CliRun r = run({"render", "--out", path("v0.png")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  Png png = readPng(path("v0.png"));
  EXPECT_EQ(png.width, 266);
  EXPECT_EQ(png.height, 490);
  EXPECT_EQ(png.at(0, 0), 0u);

  r = run({"render", "--zoom-steps", "1", "--background", "10,20,30", "--out", path("z1.png")});
  EXPECT_EQ(r.status, 0) << r.err;
  png = readPng(path("z1.png"));
  EXPECT_EQ(png.width, 306);
  EXPECT_EQ(png.height, 563);
  EXPECT_EQ(png.at(0, 0), rgb(10, 20, 30));

  r = run({"render", "--zoom-steps", "27", "--out", path("z27.png")});
  EXPECT_EQ(r.status, 0) << r.err;
  png = readPng(path("z27.png"));
  EXPECT_EQ(png.width, 1343);
  EXPECT_EQ(png.height, 2475);

  r = run({"render", "--view", "1", "--screens", "--zoom-steps", "5", "--out", path("s1.png")});
  EXPECT_EQ(r.status, 0) << r.err;
  png = readPng(path("s1.png"));
  EXPECT_EQ(png.width, 256);
  EXPECT_EQ(png.height, 384);
}

TEST_F(Cli, ScreensOfViewZeroAreTheEditorsScreenshot) {
  ASSERT_EQ(run({"render", "--screens", "--out", path("shot.png")}).status, 0);
  const Png png = readPng(path("shot.png"));
  ASSERT_EQ(png.width, 256);
  ASSERT_EQ(png.height, 384);
  SkinModel model;
  SkinImageTable images;
  resetSkinImages(images);
  resetSkinModel(model);
  const Image shot = renderScreenshot({model, images});
  for (int y = 0; y < 384; ++y)
    for (int x = 0; x < 256; ++x) ASSERT_EQ(png.at(x, y), shot.at(x, y)) << x << "," << y;
}

TEST_F(Cli, AFolderWithoutSettingsIsReportedAndStillRendered) {
  std::filesystem::create_directory(dir.path() / "skin");
  const CliRun r = run({"render", "--skin", path("skin"), "--out", path("v.png")});
  EXPECT_EQ(r.status, 1);
  const std::string expected =
      InterfaceTexts().text("LANG_ERROR$") + ": " + std::string(missingSettingsMessage()) + "\n";
  EXPECT_EQ(r.err, expected);
  EXPECT_EQ(readPng(path("v.png")).width, 266);
}

TEST_F(Cli, AMissingArchiveAndAnUnwritableOutputAreReported) {
  // A skin that is not there is said to be not there...
  CliRun r = run({"render", "--skin", path("none.zip"), "--out", path("v.png")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Error: " + path("none.zip") + " : File not found\n");
  // ...while an archive that cannot be read is one without a settings entry.
  {
    std::ofstream notZip(path("text.zip"), std::ios::binary);
    notZip << "not an archive";
  }
  r = run({"render", "--skin", path("text.zip"), "--out", path("v.png")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, InterfaceTexts().text("LANG_ERROR$") + ": " +
                       std::string(missingSettingsMessage()) + "\n");

  r = run({"render", "--out", path("missing/v.png")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Error: cannot write"), std::string::npos) << r.err;
}

TEST_F(Cli, ConvertCreatesTheFolderAndIsRepeatableWithAFixedStamp) {
  const std::vector<std::string> args = {"convert", "--last-update", "2024/01/02-03:04:05", "--out",
                                         path("a/b/out")};
  CliRun r = run(args);
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string settings = readFile(dir.path() / "a/b/out/uisettings.ini");
  EXPECT_NE(settings.find("2024/01/02-03:04:05"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "a/b/out/icon/cheat.bmp"));
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "a/b/out/startbar.bmp"));
  const std::string startbar = readFile(dir.path() / "a/b/out/startbar.bmp");

  r = run({"convert", "--skin", path("a/b/out"), "--last-update", "2024/01/02-03:04:05", "--out",
           path("again")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(readFile(dir.path() / "again/uisettings.ini"), settings);
  EXPECT_EQ(readFile(dir.path() / "again/startbar.bmp"), startbar);
}

TEST_F(Cli, ConvertSetsAnySettingInTheOrderGiven) {
  const CliRun r = run({"convert", "--set", "[big clock] x=40", "--set", "[calendar day] dw=7",
                        "--set", "[battery icon] x=3", "--set", "[calendar day] dw=8",
                        "--last-update", "x", "--out", path("out")});
  ASSERT_EQ(r.status, 0) << r.err;
  SkinModel model;
  resetSkinModel(model);
  SkinImageTable images;
  resetSkinImages(images);
  FakeDesktop quiet;
  InterfaceTexts texts;
  ASSERT_TRUE(openSkinPath(model, images, SkinIoContext{quiet, texts}, path("out")).loaded);
  EXPECT_EQ(model.bigClock.x, 40);
  const std::string settings = readFile(dir.path() / "out/uisettings.ini");
  // The later value of the same key wins, on the key's one line.
  EXPECT_EQ(settings.find("dw = 7"), std::string::npos) << settings;
  const std::size_t dw = settings.find("dw");
  ASSERT_NE(dw, std::string::npos) << settings;
  EXPECT_EQ(settings.find("dw", dw + 1), std::string::npos) << settings;
  EXPECT_NE(settings.find("8", dw), std::string::npos);
  EXPECT_NE(settings.find("[battery icon]"), std::string::npos) << settings;
  // Before the end line, where the handheld still reads it.
  EXPECT_LT(settings.find("[battery icon]"), settings.find("[end]"));
}

TEST_F(Cli, AMalformedSetIsAUsageErrorAndWritesNothing) {
  for (const std::string bad : {"calendar day dw=8", "[calendar day] dw", "[calendar day dw=8"}) {
    const CliRun r = run({"convert", "--set", bad, "--out", path("out")});
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_NE(r.err.find("--set takes"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("usage:"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out"));
  }
}

TEST_F(Cli, AValueSpelledLikeHelpIsStillAValue) {
  for (const std::string stamp : {"--help", "-h"}) {
    const CliRun r = run({"convert", "--last-update", stamp, "--out", path("out" + stamp)});
    ASSERT_EQ(r.status, 0) << stamp << r.err;
    EXPECT_EQ(r.out.find("usage:"), std::string::npos) << stamp;
    EXPECT_NE(readFile(dir.path() / ("out" + stamp) / "uisettings.ini").find(stamp),
              std::string::npos)
        << stamp;
  }
}

TEST_F(Cli, ConvertReplacesAPictureAndReportsAMissingOne) {
  // A replacement taken from a saved skin: the cheat icon becomes the start bar.
  ASSERT_EQ(run({"convert", "--last-update", "x", "--out", path("base")}).status, 0);
  CliRun r = run({"convert", "--replace", "icon/cheat.bmp=" + path("base/startbar.bmp"),
                  "--last-update", "x", "--out", path("out")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(readFile(dir.path() / "out/icon/cheat.bmp"),
            readFile(dir.path() / "base/startbar.bmp"));

  r = run({"convert", "--replace", "icon/cheat.bmp=" + path("nothing.png"), "--last-update", "x",
           "--out", path("out2")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("nothing.png"), std::string::npos) << r.err;
  // The work goes on: the skin is still saved.
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "out2/uisettings.ini"));
}

TEST_F(Cli, AnUndecodableReplacementKeepsTheSkinsPicture) {
  ASSERT_EQ(run({"convert", "--last-update", "x", "--out", path("skin")}).status, 0);
  std::ofstream(path("broken.png"), std::ios::binary) << "\x89PNG\r\n\x1a\n not really";
  const CliRun r =
      run({"convert", "--skin", path("skin"), "--replace", "startbar.bmp=" + path("broken.png"),
           "--last-update", "x", "--out", path("out")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("broken.png"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(InterfaceTexts().text("LANG_FILE_UNKNOWN$")), std::string::npos) << r.err;
  EXPECT_EQ(readFile(dir.path() / "out/startbar.bmp"), readFile(dir.path() / "skin/startbar.bmp"));
}

TEST_F(Cli, ConvertToAZipNameWritesTheFolderSaveAsAnArchive) {
  const std::string stamp = "2024/01/02-03:04:05";
  ASSERT_EQ(run({"convert", "--last-update", stamp, "--out", path("folder")}).status, 0);
  CliRun r = run({"convert", "--last-update", stamp, "--out", path("new/Skin.ZIP")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "new/Skin.ZIP/uisettings.ini"));

  ZipArchive archive(path("new/Skin.ZIP"));
  ASSERT_EQ(archive.entryCount(), 1 + kSkinImageCount);
  EXPECT_EQ(archive.entryName(0), "Skin\\uisettings.ini");
  std::optional<std::vector<std::uint8_t>> settings = archive.extract(0);
  ASSERT_TRUE(settings);
  EXPECT_EQ(std::string(settings->begin(), settings->end()),
            readFile(dir.path() / "folder/uisettings.ini"));
  for (int i = 0; i < kSkinImageCount; ++i) {
    const std::string name(skinImageFileName(i));
    const std::optional<std::vector<std::uint8_t>> bytes = archive.extract(i + 1);
    ASSERT_TRUE(bytes) << name;
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), readFile(dir.path() / "folder" / name))
        << name;
  }

  // And it opens to the skin it was made from.
  FakeDesktop desktop;
  InterfaceTexts texts;
  SkinModel model;
  SkinImageTable images;
  resetSkinImages(images);
  SkinIoContext io{desktop, texts};
  openSkinArchive(model, images, io, path("new/Skin.ZIP"));
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(model.skinInfo.LastUpdate, stamp);
}

TEST_F(Cli, RecolourNamesWhatIsWrongWithItsValues) {
  const CliRun r = run({"convert", "--recolour", "hue=120,saturation=lots", "--out", path("d")});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.rfind("skinstudio-cli: saturation takes a number, not \"lots\"\n", 0), 0u)
      << r.err;
}

TEST_F(Cli, ConvertRecoloursAsTheSessionDoes) {
  const std::string stamp = "2024/01/02-03:04:05";
  ASSERT_EQ(run({"convert", "--last-update", stamp, "--out", path("plain")}).status, 0);
  CliRun r = run({"convert", "--recolour", "hue=120,saturation=1.2,lightness=0.9",
                  "--recolour-parts", "colours,backgrounds,bars-and-frames,clock-digits",
                  "--last-update", stamp, "--out", path("blue")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");

  // The same values through the session, saved the same way.
  FakeDesktop desktop;
  InterfaceTexts texts;
  SkinModel model;
  SkinImageTable images;
  resetSkinImages(images);
  resetSkinModel(model);
  RecolourParams params;
  params.hue = 120;
  params.saturation = 1.2;
  params.lightness = 0.9;
  RecolourParts parts;
  parts.set(SkinImageGroup::Icons, false);
  SkinRecolourSession(model, images).applyTo(params, parts, model, images);
  SkinIoContext io{desktop, texts};
  io.clock = [stamp] { return stamp; };
  std::filesystem::create_directory(dir.path() / "expected");
  saveSkinFolder(model, images, io, path("expected/"));
  ASSERT_TRUE(desktop.messages.empty());

  EXPECT_EQ(readFile(dir.path() / "blue/uisettings.ini"),
            readFile(dir.path() / "expected/uisettings.ini"));
  EXPECT_NE(readFile(dir.path() / "blue/uisettings.ini"),
            readFile(dir.path() / "plain/uisettings.ini"));
  for (int i = 0; i < kSkinImageCount; ++i) {
    const std::string name(skinImageFileName(i));
    const std::string blue = readFile(dir.path() / "blue" / name);
    EXPECT_EQ(blue, readFile(dir.path() / "expected" / name)) << name;
    // The icons were left out.
    EXPECT_EQ(blue == readFile(dir.path() / "plain" / name), name.starts_with("icon/")) << name;
  }

  // Colourise and a whole turn are accepted; the turn changes nothing.
  r = run({"convert", "--recolour", "hue=360", "--last-update", stamp, "--out", path("turn")});
  ASSERT_EQ(r.status, 0) << r.err;
  for (int i = 0; i < kSkinImageCount; ++i) {
    const std::string name(skinImageFileName(i));
    EXPECT_EQ(readFile(dir.path() / "turn" / name), readFile(dir.path() / "plain" / name)) << name;
  }
  EXPECT_EQ(run({"convert", "--recolour", "colourise=210", "--out", path("tint")}).status, 0);
}

TEST_F(Cli, AnArchiveThatCannotBeWrittenIsReported) {
  std::filesystem::create_directory(dir.path() / "taken.zip");
  const CliRun r = run({"convert", "--out", path("taken.zip")});
  EXPECT_EQ(r.status, 1);
  const InterfaceTexts texts;
  EXPECT_EQ(r.err, texts.text("LANG_ERROR$") + ": " + path("taken.zip") + ": " +
                       texts.text("LANG_FILE_NOTSAVE$") + "\n");
  EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "taken.zip"));
}

}  // namespace

namespace {

std::string saveDefaultSkin(const std::string& folder) {
  FakeDesktop quiet;
  InterfaceTexts texts;
  SkinModel model;
  SkinImageTable images;
  resetSkinModel(model);
  resetSkinImages(images);
  std::filesystem::create_directories(folder);
  saveSkinFolder(model, images, SkinIoContext{quiet, texts}, folder);
  return folder;
}

TEST_F(Cli, CheckExitsByErrorsAndPrintsOneLineAFindingWithoutLoaderMessages) {
  const std::string folder = saveDefaultSkin(path("skin") + "/");
  CliRun r = run({"check", "--skin", folder});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(r.out.find("error "), std::string::npos) << r.out;

  // A skin that carries only the pictures it changes is not broken.
  std::filesystem::remove(folder + "icon/nds.bmp");
  r = run({"check", "--skin", folder});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("warning picture-missing icon/nds.bmp: "), std::string::npos) << r.out;

  {
    std::ofstream garbage(folder + "cheatbg.bmp", std::ios::binary | std::ios::trunc);
    garbage << "not a picture";
  }
  r = run({"check", "--skin", folder});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("error picture-unreadable cheatbg.bmp: "), std::string::npos) << r.out;
  EXPECT_EQ(r.err, "");

  r = run({"check", "--skin", folder, "--format", "json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.out.starts_with("{\n  \"errors\": 1,")) << r.out;
  EXPECT_NE(r.out.find("\"code\": \"picture-missing\""), std::string::npos);

  r = run({"check", "--skin", folder, "--language",
           std::string(SKINSTUDIO_SOURCE_DIR) + "/language/german.ini"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("fehlt im Skin"), std::string::npos) << r.out;
}

// Paths reach the tool as UTF-8 whatever the system's code page: a skin
// folder and archive named in Swedish or Japanese convert, render and
// check, and a second convert saves over the first.
TEST_F(Cli, SkinsUnderNonAsciiNamesConvertRenderAndCheck) {
  for (const std::string name : {"Sk\xC3\xB6n", "\xE3\x82\xB9\xE3\x82\xAD\xE3\x83\xB3"}) {
    const std::string folder = path(name);
    const std::string zip = path(name + ".zip");
    const std::string stamp = "2024/01/02-03:04:05";
    for (int pass = 0; pass < 2; ++pass) {
      CliRun r = run({"convert", "--last-update", stamp, "--set", "[SkinInfo] Title=" + name,
                      "--out", folder});
      ASSERT_EQ(r.status, 0) << name << r.err;
    }
    const std::string settings = readFile(pathFromUtf8(folder + "/uisettings.ini"));
    EXPECT_NE(settings.find("Title"), std::string::npos) << name;

    CliRun r = run({"convert", "--skin", folder, "--last-update", stamp, "--out", zip});
    ASSERT_EQ(r.status, 0) << name << r.err;
    EXPECT_EQ(ZipArchive(zip).extract(0),
              std::vector<std::uint8_t>(settings.begin(), settings.end()))
        << name;

    for (const std::string& skin : {folder, zip}) {
      const std::string png = path(name + "-shot.png");
      r = run({"render", "--skin", skin, "--out", png});
      EXPECT_EQ(r.status, 0) << skin << r.err;
      EXPECT_TRUE(std::filesystem::is_regular_file(pathFromUtf8(png))) << skin;
      r = run({"check", "--skin", skin});
      EXPECT_EQ(r.status, 0) << skin << r.out << r.err;
      EXPECT_EQ(r.out.find("error "), std::string::npos) << r.out;
    }
  }
}

TEST_F(Cli, CheckOfASkinThatCannotBeReadOrBadUsageExitsWithTwo) {
  std::filesystem::create_directories(path("empty"));
  CliRun r = run({"check", "--skin", path("empty")});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("uisettings.ini"), std::string::npos);
  EXPECT_EQ(run({"check", "--skin", path("none.zip")}).status, 2);
  EXPECT_EQ(run({"check"}).status, 2);
  EXPECT_EQ(run({"check", "--skin", path("empty"), "--format", "xml"}).status, 2);
  EXPECT_EQ(run({"check", "--skin", path("empty"), "--out", "x"}).status, 2);
  EXPECT_EQ(run({"render", "--all", "--view", "3", "--out", path("s.png")}).status, 2);
  EXPECT_EQ(run({"render", "--all", "--columns", "0", "--out", path("s.png")}).status, 2);
}

TEST_F(Cli, ContactSheetHoldsEveryViewInItsGrid) {
  CliRun r = run({"render", "--all", "--out", path("sheet.png")});
  ASSERT_EQ(r.status, 0) << r.err;
  const Png seven = readPng(path("sheet.png"));
  r = run({"render", "--all", "--columns", "2", "--zoom-steps", "7", "--out", path("tall.png")});
  ASSERT_EQ(r.status, 0) << r.err;
  const Png two = readPng(path("tall.png"));
  // 7 columns give 2 rows, 2 columns 7 rows of larger views.
  EXPECT_GT(seven.width, 7 * 266);
  EXPECT_LT(seven.width, 8 * 266);
  EXPECT_GT(seven.height, 2 * 490);
  EXPECT_GT(two.height, 7 * 490 * 2);
  EXPECT_GT(two.width, 2 * 266 * 2);
  // A Japanese language file: the names fall back to English, still drawn.
  r = run({"render", "--all", "--language",
           std::string(SKINSTUDIO_SOURCE_DIR) + "/language/japanese.ini", "--out", path("ja.png")});
  EXPECT_EQ(r.status, 0) << r.err;
  const Png ja = readPng(path("ja.png"));
  EXPECT_EQ(ja.width, seven.width);
  EXPECT_EQ(ja.rgb, seven.rgb);
}

}  // namespace

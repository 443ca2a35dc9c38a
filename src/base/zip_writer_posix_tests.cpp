// Python's zipfile module and Info-ZIP's unzip read the archives as this
// program does; both are tools of the build machine, so this runs on POSIX
// builds only (the archive bytes are the same on every system).
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>

#include "base/platform.h"
#include "base/test_zip_writer.h"
#include "base/zip_archive.h"
#include "base/zip_writer.h"
#include "testsupport/picture_test_files.h"
#include "testsupport/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// What Python's zipfile module makes of an archive: one line per entry
// (name, UTF-8 flag, compression method, date and time), then what
// testzip() says after reading every entry and checking its CRC.
std::string pythonView(const TempDir& dir, const std::string& archive) {
  const std::string script = dir.folder() + "view.py";
  std::ofstream(script) << "import sys, zipfile\n"
                           "with zipfile.ZipFile(sys.argv[1]) as z:\n"
                           "    for i in z.infolist():\n"
                           "        print(i.filename, i.flag_bits & 0x800, i.compress_type,\n"
                           "              '%04d-%02d-%02d %02d:%02d:%02d' % i.date_time)\n"
                           "    print('testzip', z.testzip())\n";
  const std::string out = dir.folder() + "view.txt";
  const std::string command =
      "PYTHONIOENCODING=utf-8 python3 '" + script + "' '" + archive + "' >'" + out + "' 2>&1";
  const int status = std::system(command.c_str());
  const Bytes printed = readBytes(out);
  fs::remove(script);
  fs::remove(out);
  return (status == 0 ? "" : "python3 failed: ") + std::string(printed.begin(), printed.end());
}

TEST(ZipWriter, OtherReadersSeeTheSameEntriesNamesAndTimes) {
  TempDir dir;
  const std::string path = dir.folder() + "Skin.zip";
  const Bytes settings = text("[SkinInfo]\r\nTitle=x\r\n");
  const Bytes random = noise(70000, 1);  // incompressible, past one deflate window
  const Bytes plain(300000, 'a');
  const std::time_t summer = localTime(2023, 8, 15, 13, 45, 31);
  {
    ZipWriter zip(path);
    ASSERT_TRUE(zip.add("Skin/uisettings.ini", settings, summer));
    ASSERT_TRUE(
        zip.add("Skin/icon/ch\xC3\xA9"
                "at.bmp",
                random, localTime(1999, 12, 31, 23, 59, 58)));
    ASSERT_TRUE(zip.add("\xD0\xA1\xD0\xBA\xD0\xB8\xD0\xBD/empty", {}, summer));  // Скин/empty
    // ZIP holds the years 1980 to 2107 only.
    ASSERT_TRUE(zip.add("plain", plain, localTime(1975, 6, 1, 12, 0, 0)));
    ASSERT_TRUE(zip.add("late", {}, localTime(2200, 1, 1, 0, 0, 0)));
    ASSERT_TRUE(zip.finish());
    EXPECT_FALSE(zip.finish());  // nothing is renamed twice
  }
  EXPECT_EQ(pythonView(dir, path),
            "Skin/uisettings.ini 2048 8 2023-08-15 13:45:30\n"
            "Skin/icon/ch\xC3\xA9"
            "at.bmp 2048 8 1999-12-31 23:59:58\n"
            "\xD0\xA1\xD0\xBA\xD0\xB8\xD0\xBD/empty 2048 8 2023-08-15 13:45:30\n"
            "plain 2048 8 1980-01-01 00:00:00\n"
            "late 2048 8 2107-12-31 23:59:58\n"
            "testzip None\n");
  if (std::system("command -v unzip >/dev/null 2>&1") == 0) {
    EXPECT_EQ(std::system(("unzip -tqq '" + path + "' >/dev/null 2>&1").c_str()), 0);
  }
}

}  // namespace

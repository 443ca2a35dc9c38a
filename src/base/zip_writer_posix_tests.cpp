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
  const SampleArchive sample;
  ASSERT_NO_FATAL_FAILURE(writeSampleArchive(path, sample));
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

// POSIX only: the file-size limit the tool runs under is the process's
// resource limit, which a child inherits; Windows has none.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "base/platform.h"
#include "cli_test_support.h"
#include "i18n/interface_texts.h"

namespace {

class CliPosix : public Cli {
 protected:
  // The tool run under a file-size limit of `bytes`.
  CliRun runLimited(const std::vector<std::string>& arguments, std::uint64_t bytes) {
    const FileSizeLimitForTests limit(bytes);
    return run(arguments);
  }
};

TEST_F(CliPosix, ASavePastTheFileSizeLimitIsReportedAndKeepsTheOldFiles) {
  ASSERT_EQ(run({"convert", "--last-update", "2024/01/02-03:04:05", "--out", path("skin")}).status,
            0);
  ASSERT_EQ(run({"convert", "--out", path("Skin.zip")}).status, 0);
  auto snapshot = [&] {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path()))
      if (entry.is_regular_file() && !utf8FromPath(entry.path().filename()).starts_with("std"))
        files[utf8FromPath(entry.path())] = readFile(entry.path());
    return files;
  };
  const auto old = snapshot();
  const InterfaceTexts texts;
  // The small pictures fit in 25 KiB, the full-screen cheatbg.bmp does not.
  const CliRun folder = runLimited({"convert", "--out", path("skin")}, 50 * 512);
  EXPECT_EQ(folder.status, 1);
  EXPECT_EQ(folder.err, texts.text("LANG_ERROR$") + ": " + path("skin/cheatbg.bmp") + ": " +
                            texts.text("LANG_FILE_NOTSAVE$") + "\n");
  const CliRun zip = runLimited({"convert", "--out", path("Skin.zip")}, 10 * 512);
  EXPECT_EQ(zip.status, 1);
  EXPECT_EQ(zip.err, texts.text("LANG_ERROR$") + ": " + path("Skin.zip") + ": " +
                         texts.text("LANG_FILE_NOTSAVE$") + "\n");
  EXPECT_EQ(snapshot(), old);  // every old file whole, and no temporary file
}

}  // namespace

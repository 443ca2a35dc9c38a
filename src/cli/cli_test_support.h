// What the tests of skinstudio-cli share: running the built tool and
// reading what it wrote.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/platform.h"
#include "testsupport/temp_dir.h"

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class Cli : public ::testing::Test {
 protected:
  TempDir dir;

  // The tool as a user starts it, no shell in between; what it prints goes
  // to files in the test's folder.
  CliRun run(const std::vector<std::string>& arguments) {
    const std::string out = utf8FromPath(dir.path() / "stdout.txt");
    const std::string err = utf8FromPath(dir.path() / "stderr.txt");
    CliRun result;
    result.status = runProgram(SKINSTUDIO_CLI, arguments, out, err).exitStatus;
    result.out = readFile(pathFromUtf8(out));
    result.err = readFile(pathFromUtf8(err));
    return result;
  }
  std::string path(const std::string& name) const { return utf8FromPath(dir.path() / name); }
};

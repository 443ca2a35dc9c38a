// Everything the program asks of the operating system. This header is the
// only one that knows there is more than one: platform_posix.cpp and
// platform_windows.cpp each implement it, and the build picks one.
//
// Paths are UTF-8 std::strings everywhere in the program; only the
// implementations turn them into what the system takes (UTF-16 on Windows).
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A UTF-8 path as std::filesystem takes it. A plain std::string would be
// read in the ANSI code page on Windows, where "Skön" is not "Skön" and
// "スキン" cannot be spelled at all. Never throws: on Windows, bytes that
// are not UTF-8 become U+FFFD, a name no file there has.
std::filesystem::path pathFromUtf8(std::string_view utf8);

// The path as UTF-8, whatever the system spells it in. Never throws: a
// Windows name with a lone surrogate gets U+FFFD in its place.
std::string utf8FromPath(const std::filesystem::path& path);

// The path as UTF-8 with "/" between its parts, where the system also
// writes "\" (Windows); elsewhere the same as utf8FromPath.
std::string genericUtf8FromPath(const std::filesystem::path& path);

// Whether both paths name the same file or folder (through links, other
// spellings or mount points); false when either does not exist.
bool isSameFile(const std::string& a, const std::string& b);

// Whether the path names a link itself (a symbolic link, or on Windows any
// reparse point such as a junction), without following it. The standard
// library cannot tell on Windows with MinGW.
bool isLink(const std::string& path);

// An open file of the system, closed when dropped.
class NativeFile {
 public:
  NativeFile() = default;
  explicit NativeFile(std::intptr_t handle) : handle_(handle) {}
  ~NativeFile() { close(); }
  NativeFile(NativeFile&& other) noexcept : handle_(other.release()) {}
  NativeFile& operator=(NativeFile&& other) noexcept {
    if (this != &other) {
      close();
      handle_ = other.release();
    }
    return *this;
  }

  bool isOpen() const { return handle_ != kNone; }
  std::intptr_t handle() const { return handle_; }
  // True when the file was open and closed without an error (on some
  // systems a delayed write error shows only here).
  bool close();

 private:
  static constexpr std::intptr_t kNone = -1;
  std::intptr_t release() {
    const std::intptr_t handle = handle_;
    handle_ = kNone;
    return handle;
  }
  std::intptr_t handle_ = kNone;
};

enum class OpenFailure { None, Missing, Unreadable };

// Opens an existing plain file for reading, never blocking (a pipe or
// device is refused as Unreadable). Others may still rename or remove the
// file while it is open.
NativeFile openFileForReading(const std::string& path, OpenFailure& failure);

// The size of an open plain file, or nothing for anything else.
std::optional<std::uint64_t> plainFileSize(const NativeFile& file);

// Reads up to `size` bytes: the count read, 0 at the end, -1 on an error.
long long readFromFile(const NativeFile& file, std::uint8_t* data, std::size_t size);

enum class CreateFailure { None, Exists, Other };

// Creates `path`, which must not exist yet, for writing, with the
// permissions a plain new file gets.
NativeFile createNewFile(const std::string& path, CreateFailure& failure);

// Writes all of `bytes` at the current position.
bool writeToFile(const NativeFile& file, std::span<const std::uint8_t> bytes);

enum class SeekFrom { Start, Current, End };
bool seekFile(const NativeFile& file, std::int64_t offset, SeekFrom from);
std::optional<std::uint64_t> filePosition(const NativeFile& file);

// Waits until the file's data is on the disk.
bool flushFileToDisk(const NativeFile& file);

// Gives a file being written the permissions of the plain file at `path`
// it is to replace, where the system has such permissions.
void copyPermissions(const std::string& path, const NativeFile& file);

// Renames `from` over `to`, replacing a plain file there in one step, so
// that a process killed at any moment leaves either file whole at `to`.
// Fails when `to` is a folder.
bool replaceFile(const std::string& from, const std::string& to);

bool removeFile(const std::string& path);

// Makes the renames in `folder` (ending in "/", or empty for the current
// one) last across a power cut, where the system needs to be told.
void flushFolderEntries(const std::string& folder);

// Where a rename frees the blocks of the file it replaces on the spot,
// holding the old file open puts that work after the last rename of a
// batch. Gives nothing where an open file would stop the rename (Windows).
NativeFile holdWhileReplaced(const std::string& path);

using ProcessId = std::uint32_t;
ProcessId currentProcessId();

// Whether process `id` has ended. A process that exists but is not ours to
// look at still counts as running.
bool processHasEnded(ProcessId id);

// Local broken-down time of `time`, from any thread.
std::optional<std::tm> localTime(std::time_t time);

// Unicode's simple upper-case mapping of one character, the same in every
// locale; a character without one comes back as it is.
char32_t upperCaseLetter(char32_t c);

// An environment variable as UTF-8, or nothing when it is not set.
std::optional<std::string> environmentVariable(const char* name);

// The folder holding the running program's file, or empty when unknown.
std::filesystem::path programFolder();

// How the desktop arranges its user and data folders.
enum class FolderConvention { Freedesktop, Windows };
FolderConvention folderConvention();

// The folder below which programs keep each user's settings, one folder
// per program: $XDG_CONFIG_HOME or ~/.config; %APPDATA% on Windows. Empty
// when unknown.
std::filesystem::path userSettingsRoot();

// The command-line arguments as UTF-8, whatever the console's code page.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Sets up a command-line program: its standard streams pass bytes
// unchanged ("\n" stays one byte, UTF-8 stays UTF-8), and a write past the
// process's file-size limit fails like one to a full disk instead of ending
// the process with a temporary file left behind.
void prepareCommandLineProcess();

// Runs `program` with `arguments` (UTF-8, passed through unchanged: no
// shell), its standard output and error going to the files named (created
// or emptied), and waits for it. Gives its exit status, or -1 when it could
// not be started or did not end normally (a signal); `process` is then the
// id it had.
struct ProgramRun {
  int exitStatus = -1;
  ProcessId process = 0;
};
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& outputFile, const std::string& errorFile);

// A fresh, empty folder below the system's temporary folder whose name
// starts with `prefix`; throws when none can be made.
std::filesystem::path createTemporaryFolder(std::string_view prefix);

// For tests: while one lives, a write that would take any file of the
// process beyond `bytes` fails part-way, as a full disk would make it (on
// POSIX through the process's file-size limit, so even for root).
// std::numeric_limits<std::uint64_t>::max() means no limit.
class FileSizeLimitForTests {
 public:
  explicit FileSizeLimitForTests(std::uint64_t bytes);
  ~FileSizeLimitForTests();
  FileSizeLimitForTests(const FileSizeLimitForTests&) = delete;
  FileSizeLimitForTests& operator=(const FileSizeLimitForTests&) = delete;

 private:
  std::uint64_t saved_[2] = {};
  void* savedHandler_ = nullptr;
};

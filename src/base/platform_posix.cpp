// platform.h on Linux and other POSIX systems.
#include <fcntl.h>
#include <locale.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wctype.h>

#include <cerrno>
#include <limits>
#include <stdexcept>

#include "base/platform.h"

namespace {

int descriptorOf(const NativeFile& file) { return static_cast<int>(file.handle()); }

}  // namespace

std::filesystem::path pathFromUtf8(std::string_view utf8) { return std::string(utf8); }

std::string utf8FromPath(const std::filesystem::path& path) { return path.native(); }

std::string genericUtf8FromPath(const std::filesystem::path& path) { return path.native(); }

bool isSameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

bool isLink(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool NativeFile::close() {
  if (!isOpen()) return false;
  const int fd = static_cast<int>(release());
  return ::close(fd) == 0;
}

NativeFile openFileForReading(const std::string& path, OpenFailure& failure) {
  // Without O_NONBLOCK, opening a pipe waits for a writer that may never
  // come; on a plain file the flag changes nothing.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    failure = errno == ENOENT || errno == ENOTDIR ? OpenFailure::Missing : OpenFailure::Unreadable;
    return NativeFile();
  }
  NativeFile file(fd);
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    failure = OpenFailure::Unreadable;
    return NativeFile();
  }
  failure = OpenFailure::None;
  return file;
}

std::optional<std::uint64_t> plainFileSize(const NativeFile& file) {
  struct stat info {};
  if (::fstat(descriptorOf(file), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0)
    return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

long long readFromFile(const NativeFile& file, std::uint8_t* data, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(descriptorOf(file), data, size);
    if (n < 0 && errno == EINTR) continue;
    return n;
  }
}

NativeFile createNewFile(const std::string& path, CreateFailure& failure) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    failure = errno == EEXIST ? CreateFailure::Exists : CreateFailure::Other;
    return NativeFile();
  }
  failure = CreateFailure::None;
  return NativeFile(fd);
}

bool writeToFile(const NativeFile& file, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(descriptorOf(file), bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool seekFile(const NativeFile& file, std::int64_t offset, SeekFrom from) {
  const int whence = from == SeekFrom::Start ? SEEK_SET
                     : from == SeekFrom::End ? SEEK_END
                                             : SEEK_CUR;
  if (offset > std::numeric_limits<off_t>::max()) return false;
  return ::lseek(descriptorOf(file), static_cast<off_t>(offset), whence) >= 0;
}

std::optional<std::uint64_t> filePosition(const NativeFile& file) {
  const off_t at = ::lseek(descriptorOf(file), 0, SEEK_CUR);
  if (at < 0) return std::nullopt;
  return static_cast<std::uint64_t>(at);
}

bool flushFileToDisk(const NativeFile& file) { return ::fsync(descriptorOf(file)) == 0; }

void copyPermissions(const std::string& path, const NativeFile& file) {
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
    ::fchmod(descriptorOf(file), old.st_mode & 07777);
}

bool replaceFile(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

void flushFolderEntries(const std::string& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

NativeFile holdWhileReplaced(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  return fd < 0 ? NativeFile() : NativeFile(fd);
}

ProcessId currentProcessId() { return static_cast<ProcessId>(::getpid()); }

bool processHasEnded(ProcessId id) {
  // No process has an id past pid_t's range: such a name is not one of ours,
  // and what is not ours is never removed.
  if (id == 0 || id > static_cast<ProcessId>(std::numeric_limits<pid_t>::max())) return false;
  // EPERM: the process exists but belongs to someone else.
  return ::kill(static_cast<pid_t>(id), 0) != 0 && errno == ESRCH;
}

std::optional<std::tm> localTime(std::time_t time) {
  std::tm local{};
  if (::localtime_r(&time, &local) == nullptr) return std::nullopt;
  return local;
}

char32_t upperCaseLetter(char32_t c) {
  // glibc's C.UTF-8 carries the whole Unicode case table, whatever locale
  // the process runs in; without it, only ASCII letters are mapped.
  static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  if (unicode) return static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), unicode));
  return c >= U'a' && c <= U'z' ? c - U'a' + U'A' : c;
}

std::optional<std::string> environmentVariable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

std::filesystem::path programFolder() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : self.parent_path();
}

FolderConvention folderConvention() { return FolderConvention::Freedesktop; }

std::filesystem::path userSettingsRoot() {
  const std::optional<std::string> config = environmentVariable("XDG_CONFIG_HOME");
  // The freedesktop.org base directory rules ignore relative paths.
  if (config && !config->empty() && config->front() == '/') return *config;
  const std::optional<std::string> home = environmentVariable("HOME");
  if (home && !home->empty()) return std::filesystem::path(*home) / ".config";
  return {};
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

void prepareCommandLineProcess() { ::signal(SIGXFSZ, SIG_IGN); }

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& outputFile, const std::string& errorFile) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  ProgramRun run;
  const pid_t child = ::fork();
  if (child < 0) return run;
  if (child == 0) {
    const int out = ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    const int err = ::open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(127);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  run.process = static_cast<ProcessId>(child);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0)
    if (errno != EINTR) return run;
  if (WIFEXITED(status)) run.exitStatus = WEXITSTATUS(status);
  return run;
}

std::filesystem::path createTemporaryFolder(std::string_view prefix) {
  std::string pattern =
      (std::filesystem::temp_directory_path() / (std::string(prefix) + "XXXXXX")).string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  return pattern;
}

FileSizeLimitForTests::FileSizeLimitForTests(std::uint64_t bytes) {
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  saved_[0] = saved.rlim_cur;
  saved_[1] = saved.rlim_max;
  // Past the limit the kernel sends SIGXFSZ, which would end the process;
  // ignored, the write fails with EFBIG instead.
  savedHandler_ = reinterpret_cast<void*>(::signal(SIGXFSZ, SIG_IGN));
  rlimit lowered = saved;
  lowered.rlim_cur = bytes == std::numeric_limits<std::uint64_t>::max() ? RLIM_INFINITY : bytes;
  ::setrlimit(RLIMIT_FSIZE, &lowered);
}

FileSizeLimitForTests::~FileSizeLimitForTests() {
  rlimit saved{};
  saved.rlim_cur = saved_[0];
  saved.rlim_max = saved_[1];
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, reinterpret_cast<sighandler_t>(savedHandler_));
}

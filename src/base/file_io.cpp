#include "base/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>

namespace {

// Closes a descriptor when it goes out of scope.
struct FileDescriptor {
  int fd = -1;
  explicit FileDescriptor(int value) : fd(value) {}
  ~FileDescriptor() {
    if (fd >= 0) ::close(fd);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
};

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Creates a fresh file beside `path` that no one else uses, with the mode a
// plain create would give (0666 less the umask). Returns its descriptor and
// name.
int createTemporaryBeside(const std::string& path, std::string& temporaryPath) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporaryPath = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

FileRead readFileExplained(const std::string& path, std::uint64_t maxBytes) {
  auto failed = [](ReadFailure why) { return FileRead{std::nullopt, why}; };
  // Without O_NONBLOCK, opening a pipe waits for a writer that may never
  // come; on a plain file the flag changes nothing.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.fd < 0)
    return failed(errno == ENOENT || errno == ENOTDIR ? ReadFailure::Missing
                                                      : ReadFailure::Unreadable);
  struct stat info {};
  if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode))
    return failed(ReadFailure::Unreadable);
  if (info.st_size < 0 || static_cast<std::uint64_t>(info.st_size) > maxBytes)
    return failed(ReadFailure::TooLarge);
  const auto expected = static_cast<std::size_t>(info.st_size);
  std::vector<std::uint8_t> bytes(expected);
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t n = ::read(file.fd, bytes.data() + filled, bytes.size() - filled);
    if (n < 0) {
      if (errno == EINTR) continue;
      return failed(ReadFailure::Unreadable);
    }
    if (n == 0) break;
    filled += static_cast<std::size_t>(n);
  }
  bytes.resize(filled);
  if (filled < expected) return {std::move(bytes), ReadFailure::None};
  // The size is only a hint: the file may have grown since. Read on to the
  // end, but no further than the limit.
  std::uint8_t chunk[16384];
  for (;;) {
    const ssize_t n = ::read(file.fd, chunk, sizeof chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      return failed(ReadFailure::Unreadable);
    }
    if (n == 0) break;
    if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) return failed(ReadFailure::TooLarge);
    bytes.insert(bytes.end(), chunk, chunk + n);
  }
  return {std::move(bytes), ReadFailure::None};
}

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path,
                                                       std::uint64_t maxBytes) {
  FileRead read = readFileExplained(path, maxBytes);
  if (read.failure == ReadFailure::TooLarge) return std::vector<std::uint8_t>();
  return std::move(read.bytes);
}

bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  PendingFile file(path);
  return file.write(bytes) && file.commit();
}

PendingFile::PendingFile(std::string path) : path_(std::move(path)) {
  fd_ = createTemporaryBeside(path_, temporaryPath_);
  if (fd_ < 0) {
    failed_ = true;
    return;
  }
  // Keep the mode of the file being replaced.
  struct stat old {};
  if (::stat(path_.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd_, old.st_mode & 07777);
}

PendingFile::~PendingFile() { discard(); }

void PendingFile::discard() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  ::unlink(temporaryPath_.c_str());
}

bool PendingFile::write(std::span<const std::uint8_t> bytes) {
  if (!failed_ && !writeAll(fd_, bytes)) failed_ = true;
  return !failed_;
}

bool PendingFile::commit() {
  if (failed_) {
    discard();
    return false;
  }
  failed_ = true;  // a second commit finds nothing left to commit
  const bool synced = ::fsync(fd_) == 0;
  const bool closed = ::close(fd_) == 0;
  fd_ = -1;
  if (synced && closed && ::rename(temporaryPath_.c_str(), path_.c_str()) == 0) return true;
  ::unlink(temporaryPath_.c_str());
  return false;
}

std::string upperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

const CaseInsensitiveFolder::Listing& CaseInsensitiveFolder::listing(const std::string& path) {
  auto found = listings_.find(path);
  if (found != listings_.end()) return found->second;
  Listing names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(path, error), end; !error && it != end;
       it.increment(error)) {
    std::string name = it->path().filename().string();
    // Several spellings of one name: the smallest wins, so the choice does
    // not depend on the order the file system lists them in.
    auto [slot, inserted] = names.emplace(upperAscii(name), name);
    if (!inserted && name < slot->second) slot->second = name;
  }
  return listings_.emplace(path, std::move(names)).first->second;
}

std::optional<std::string> CaseInsensitiveFolder::find(std::string_view relativeName) {
  std::string path = folder_;
  while (!relativeName.empty()) {
    const std::size_t slash = relativeName.find('/');
    const std::string_view part = relativeName.substr(0, slash);
    relativeName =
        slash == std::string_view::npos ? std::string_view{} : relativeName.substr(slash + 1);
    const Listing& names = listing(path);
    auto match = names.find(upperAscii(part));
    if (match == names.end()) return std::nullopt;
    path += match->second;
    if (!relativeName.empty()) path += '/';
  }
  return path;
}

#include "base/file_io.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <mutex>
#include <set>

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

constexpr std::string_view kTemporaryMark = ".tmp-";

// The temporary files this process has open or sealed and not yet renamed
// or removed: the clean-up of leftovers must not take them.
struct LiveTemporaries {
  std::mutex lock;
  std::set<std::string> paths;

  void add(const std::string& path) {
    std::lock_guard guard(lock);
    paths.insert(path);
  }
  void remove(const std::string& path) {
    std::lock_guard guard(lock);
    paths.erase(path);
  }
  bool contains(const std::string& path) {
    std::lock_guard guard(lock);
    return paths.count(path) != 0;
  }
};

LiveTemporaries& liveTemporaries() {
  static LiveTemporaries live;
  return live;
}

// Creates a fresh file beside `path` that no one else uses, with the mode a
// plain create would give (0666 less the umask). Returns its descriptor and
// name.
int createTemporaryBeside(const std::string& path, std::string& temporaryPath) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporaryPath = path + std::string(kTemporaryMark) + std::to_string(::getpid()) + "-" +
                    std::to_string(counter++);
    liveTemporaries().add(temporaryPath);
    const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    liveTemporaries().remove(temporaryPath);
    if (errno != EEXIST) break;
  }
  // The name is not ours: nothing may remove a file under it.
  temporaryPath.clear();
  return -1;
}

bool allDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// The writer's process id of a name NAME.tmp-PID-N whose NAME is one of
// `names`, or 0 when the name is not of that form.
pid_t temporaryOwner(std::string_view fileName, std::span<const std::string> names) {
  const std::size_t mark = fileName.rfind(kTemporaryMark);
  if (mark == std::string_view::npos || mark == 0) return 0;
  const std::string_view base = fileName.substr(0, mark);
  if (std::find(names.begin(), names.end(), base) == names.end()) return 0;
  const std::string_view rest = fileName.substr(mark + kTemporaryMark.size());
  const std::size_t dash = rest.find('-');
  if (dash == std::string_view::npos) return 0;
  const std::string_view pidText = rest.substr(0, dash);
  if (!allDigits(pidText) || !allDigits(rest.substr(dash + 1))) return 0;
  // All digits, so only a number too large for a process id stops short.
  pid_t pid = 0;
  const auto error = std::from_chars(pidText.data(), pidText.data() + pidText.size(), pid).ec;
  if (error != std::errc() || pid <= 0) return 0;
  return pid;
}

// Whether the writer of `temporaryPath` can no longer finish it. A process
// that exists but is not ours to signal (EPERM) still counts as alive.
bool writerIsGone(pid_t pid, const std::string& temporaryPath) {
  if (pid == ::getpid()) return !liveTemporaries().contains(temporaryPath);
  return ::kill(pid, 0) != 0 && errno == ESRCH;
}

bool syncFolder(const std::string& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  ::close(fd);
  return synced;
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
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (temporaryPath_.empty()) return;
  ::unlink(temporaryPath_.c_str());
  liveTemporaries().remove(temporaryPath_);
  temporaryPath_.clear();
}

bool PendingFile::write(std::span<const std::uint8_t> bytes) {
  if (!failed_ && (sealed_ || !writeAll(fd_, bytes))) failed_ = true;
  return !failed_;
}

bool PendingFile::seal() {
  if (failed_) {
    discard();
    return false;
  }
  if (sealed_) return true;
  const bool synced = ::fsync(fd_) == 0;
  const bool closed = ::close(fd_) == 0;
  fd_ = -1;
  sealed_ = true;
  if (synced && closed) return true;
  failed_ = true;
  discard();
  return false;
}

bool PendingFile::commit() {
  if (!seal()) return false;
  failed_ = true;  // a second commit finds nothing left to commit
  if (::rename(temporaryPath_.c_str(), path_.c_str()) != 0) {
    discard();
    return false;
  }
  liveTemporaries().remove(temporaryPath_);
  temporaryPath_.clear();
  return true;
}

FileBatch::Staged FileBatch::stage(const std::string& path, std::span<const std::uint8_t> bytes) {
  auto file = std::make_unique<PendingFile>(path);
  if (file->descriptor() < 0) return Staged::NotCreated;
  if (!file->write(bytes) || !file->seal()) return Staged::WriteFailed;
  staged_.push_back(std::move(file));
  return Staged::Done;
}

std::vector<std::string> FileBatch::commit() {
  std::vector<std::string> failed;
  std::set<std::string> folders;
  // A rename that drops the last link of the old file frees its blocks then
  // and there, which on a busy disk takes milliseconds per file and would
  // stretch the moment of mixed old and new files to most of the save.
  // Held open, the old files are freed only once all renames are done.
  std::vector<int> oldFiles;
  for (const std::unique_ptr<PendingFile>& file : staged_) {
    const int fd = ::open(file->path().c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd >= 0) oldFiles.push_back(fd);
  }
  for (const std::unique_ptr<PendingFile>& file : staged_) {
    if (!file->commit()) {
      failed.push_back(file->path());
      continue;
    }
    const std::size_t slash = file->path().rfind('/');
    folders.insert(slash == std::string::npos ? std::string() : file->path().substr(0, slash + 1));
  }
  staged_.clear();
  for (int fd : oldFiles) ::close(fd);
  // The renames are only safe on the disk once each folder is.
  for (const std::string& folder : folders) syncFolder(folder);
  return failed;
}

void removeLeftoverTemporaries(const std::string& folder, std::span<const std::string> names) {
  std::error_code error;
  const std::filesystem::path where =
      folder.empty() ? std::filesystem::path(".") : std::filesystem::path(folder);
  for (std::filesystem::directory_iterator it(where, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    const pid_t owner = temporaryOwner(name, names);
    if (owner == 0) continue;
    std::error_code typeError;
    if (!it->is_regular_file(typeError) || it->is_symlink(typeError)) continue;
    const std::string path = folder + name;
    if (writerIsGone(owner, path)) ::unlink(path.c_str());
  }
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

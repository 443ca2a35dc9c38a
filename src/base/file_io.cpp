#include "base/file_io.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <filesystem>
#include <mutex>
#include <set>

#include "base/platform.h"

namespace {

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

// Creates a fresh file beside `path` that no one else uses, with the
// permissions a plain create would give. Returns it and its name.
NativeFile createTemporaryBeside(const std::string& path, std::string& temporaryPath) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporaryPath = path + std::string(kTemporaryMark) + std::to_string(currentProcessId()) + "-" +
                    std::to_string(counter++);
    liveTemporaries().add(temporaryPath);
    CreateFailure failure = CreateFailure::None;
    NativeFile file = createNewFile(temporaryPath, failure);
    if (file.isOpen()) return file;
    liveTemporaries().remove(temporaryPath);
    if (failure != CreateFailure::Exists) break;
  }
  // The name is not ours: nothing may remove a file under it.
  temporaryPath.clear();
  return NativeFile();
}

bool allDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// The writer's process id of a name NAME.tmp-PID-N whose NAME is one of
// `names`, or 0 when the name is not of that form.
ProcessId temporaryOwner(std::string_view fileName, std::span<const std::string> names) {
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
  ProcessId pid = 0;
  const auto error = std::from_chars(pidText.data(), pidText.data() + pidText.size(), pid).ec;
  if (error != std::errc() || pid <= 0) return 0;
  return pid;
}

// Whether the writer of `temporaryPath` can no longer finish it.
bool writerIsGone(ProcessId pid, const std::string& temporaryPath) {
  if (pid == currentProcessId()) return !liveTemporaries().contains(temporaryPath);
  return processHasEnded(pid);
}

}  // namespace

FileRead readFileExplained(const std::string& path, std::uint64_t maxBytes) {
  auto failed = [](ReadFailure why) { return FileRead{std::nullopt, why}; };
  OpenFailure openFailure = OpenFailure::None;
  const NativeFile file = openFileForReading(path, openFailure);
  if (!file.isOpen())
    return failed(openFailure == OpenFailure::Missing ? ReadFailure::Missing
                                                      : ReadFailure::Unreadable);
  const std::optional<std::uint64_t> size = plainFileSize(file);
  if (!size) return failed(ReadFailure::Unreadable);
  if (*size > maxBytes) return failed(ReadFailure::TooLarge);
  const auto expected = static_cast<std::size_t>(*size);
  std::vector<std::uint8_t> bytes(expected);
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const long long n = readFromFile(file, bytes.data() + filled, bytes.size() - filled);
    if (n < 0) return failed(ReadFailure::Unreadable);
    if (n == 0) break;
    filled += static_cast<std::size_t>(n);
  }
  bytes.resize(filled);
  if (filled < expected) return {std::move(bytes), ReadFailure::None};
  // The size is only a hint: the file may have grown since. Read on to the
  // end, but no further than the limit.
  std::uint8_t chunk[16384];
  for (;;) {
    const long long n = readFromFile(file, chunk, sizeof chunk);
    if (n < 0) return failed(ReadFailure::Unreadable);
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
  file_ = createTemporaryBeside(path_, temporaryPath_);
  if (!file_.isOpen()) {
    failed_ = true;
    return;
  }
  copyPermissions(path_, file_);
}

PendingFile::~PendingFile() { discard(); }

void PendingFile::discard() {
  file_.close();
  if (temporaryPath_.empty()) return;
  removeFile(temporaryPath_);
  liveTemporaries().remove(temporaryPath_);
  temporaryPath_.clear();
}

bool PendingFile::write(std::span<const std::uint8_t> bytes) {
  if (!failed_ && (sealed_ || !writeToFile(file_, bytes))) failed_ = true;
  return !failed_;
}

bool PendingFile::seek(std::uint64_t offset, SeekOrigin origin) {
  if (failed_ || sealed_) return false;
  const SeekFrom from = origin == SeekOrigin::Start     ? SeekFrom::Start
                        : origin == SeekOrigin::Current ? SeekFrom::Current
                                                        : SeekFrom::End;
  return seekFile(file_, static_cast<std::int64_t>(offset), from);
}

std::optional<std::uint64_t> PendingFile::position() const {
  if (failed_ || sealed_) return std::nullopt;
  return filePosition(file_);
}

bool PendingFile::seal() {
  if (failed_) {
    discard();
    return false;
  }
  if (sealed_) return true;
  // Closed before the rename: Windows renames no file that is open.
  const bool synced = flushFileToDisk(file_);
  const bool closed = file_.close();
  sealed_ = true;
  if (synced && closed) return true;
  failed_ = true;
  discard();
  return false;
}

bool PendingFile::commit() {
  if (!seal()) return false;
  failed_ = true;  // a second commit finds nothing left to commit
  if (!replaceFile(temporaryPath_, path_)) {
    discard();
    return false;
  }
  liveTemporaries().remove(temporaryPath_);
  temporaryPath_.clear();
  return true;
}

FileBatch::Staged FileBatch::stage(const std::string& path, std::span<const std::uint8_t> bytes) {
  auto file = std::make_unique<PendingFile>(path);
  if (!file->isOpen()) return Staged::NotCreated;
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
  // Held open, the old files are freed only once all renames are done
  // (where the system lets a rename replace an open file).
  std::vector<NativeFile> oldFiles;
  for (const std::unique_ptr<PendingFile>& file : staged_) {
    NativeFile old = holdWhileReplaced(file->path());
    if (old.isOpen()) oldFiles.push_back(std::move(old));
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
  oldFiles.clear();
  // The renames are only safe on the disk once each folder is.
  for (const std::string& folder : folders) flushFolderEntries(folder);
  return failed;
}

void removeLeftoverTemporaries(const std::string& folder, std::span<const std::string> names) {
  std::error_code error;
  const std::filesystem::path where =
      folder.empty() ? std::filesystem::path(".") : pathFromUtf8(folder);
  for (std::filesystem::directory_iterator it(where, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = utf8FromPath(it->path().filename());
    const ProcessId owner = temporaryOwner(name, names);
    if (owner == 0) continue;
    std::error_code typeError;
    if (!it->is_regular_file(typeError) || it->is_symlink(typeError)) continue;
    const std::string path = folder + name;
    if (writerIsGone(owner, path)) removeFile(path);
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
  for (std::filesystem::directory_iterator it(pathFromUtf8(path), error), end; !error && it != end;
       it.increment(error)) {
    std::string name = utf8FromPath(it->path().filename());
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

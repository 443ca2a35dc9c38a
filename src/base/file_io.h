// Whole-file reads, all-or-nothing writes, and finding skin files whose
// names differ from the table only in case (skins made on Windows often
// spell "Active.BMP").
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Far beyond the largest picture the readers take (4096 x 4096 pixels),
// even stored without compression.
inline constexpr std::uint64_t kMaxReadFileSize = 256u << 20;

// The whole file, or nothing when it cannot be opened or read or is not a
// plain file: a pipe or device could block forever or never end. A file
// larger than `maxBytes` comes back empty and unread, so a decoder refuses
// it as damaged instead of memory filling up first.
std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path,
                                                       std::uint64_t maxBytes = kMaxReadFileSize);

// Why a whole-file read gave nothing: a name with no file behind it, a file
// that is there but cannot be opened or read (no permission, a folder, a
// device, an I/O error), or one larger than the reader takes.
enum class ReadFailure { None, Missing, Unreadable, TooLarge };

struct FileRead {
  std::optional<std::vector<std::uint8_t>> bytes;  // set exactly when failure is None
  ReadFailure failure = ReadFailure::None;
};

// readWholeFile, telling why it failed; a file above `maxBytes` is not
// read at all.
FileRead readFileExplained(const std::string& path, std::uint64_t maxBytes = kMaxReadFileSize);

// Writes `bytes` to a temporary file beside `path` and renames it over
// `path`, so `path` holds either its old content or all of the new. Returns
// false, leaving `path` untouched and no temporary file behind, on failure.
bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// A file built up piece by piece that takes the place of `path` only once
// it is complete. It lives under a fresh temporary name beside `path` (so
// the final rename stays within one file system), with the mode of the file
// it replaces. Dropped without a successful commit(), it is removed and
// `path` is never touched.
class PendingFile {
 public:
  explicit PendingFile(std::string path);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // -1 when the temporary file could not be created (a missing or
  // read-only folder). Writers that need to seek position it directly.
  int descriptor() const { return fd_; }

  // Writes all of `bytes` at the current position. Once a write failed,
  // this and commit() fail from then on.
  bool write(std::span<const std::uint8_t> bytes);

  // Flushes the file to the disk, closes it and renames it over `path`.
  // False when this or an earlier step failed; the temporary file is gone
  // then and `path` as it was.
  bool commit();

 private:
  void discard();

  std::string path_;
  std::string temporaryPath_;
  int fd_ = -1;
  bool failed_ = false;
};

// ASCII upper-casing, the way archive and folder names are compared.
std::string upperAscii(std::string_view text);

// Resolves names relative to one folder (ending in "/"): a name that exists
// as spelled is used as is; otherwise each "/"-separated part is matched
// against the folder's entries ignoring ASCII case. Folder listings are read
// once and kept, so resolving many names stays cheap.
class CaseInsensitiveFolder {
 public:
  explicit CaseInsensitiveFolder(std::string folder) : folder_(std::move(folder)) {}

  // The path of an existing entry matching `relativeName` ignoring case, or
  // nothing. Exact spellings are not checked here: callers try them first.
  std::optional<std::string> find(std::string_view relativeName);

 private:
  // Upper-cased name -> actual name, per folder path already listed.
  using Listing = std::map<std::string, std::string>;
  const Listing& listing(const std::string& path);

  std::string folder_;
  std::map<std::string, Listing> listings_;
};

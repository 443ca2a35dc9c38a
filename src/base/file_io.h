// Whole-file reads, all-or-nothing writes, and finding skin files whose
// names differ from the table only in case (skins made on Windows often
// spell "Active.BMP").
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/platform.h"

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

  // False when the temporary file could not be created (a missing or
  // read-only folder).
  bool isOpen() const { return file_.isOpen(); }

  // Writes all of `bytes` at the current position. Once a write failed,
  // this and commit() fail from then on.
  bool write(std::span<const std::uint8_t> bytes);

  // For writers that go back to fill in what they know only at the end.
  enum class SeekOrigin { Start, Current, End };
  bool seek(std::uint64_t offset, SeekOrigin origin);
  std::optional<std::uint64_t> position() const;

  // Flushes the file to the disk and closes it, still under its temporary
  // name. False when this or an earlier step failed; the temporary file is
  // gone then.
  bool seal();

  // Seals the file if that is not done yet and renames it over `path`.
  // False when this or an earlier step failed; the temporary file is gone
  // then and `path` as it was.
  bool commit();

  const std::string& path() const { return path_; }

 private:
  void discard();

  std::string path_;
  std::string temporaryPath_;
  NativeFile file_;
  bool failed_ = false;
  bool sealed_ = false;
};

// Files that take the places of their paths together: each is written and
// flushed under its temporary name first, and only once all of them are on
// the disk are they renamed, one after another. A process killed before the
// renames leaves every old file as it was; the window in which old and new
// files are mixed is the renames alone. Dropped without commit(), every
// staged file is removed.
class FileBatch {
 public:
  enum class Staged {
    Done,
    // The temporary file could not be created (a missing or read-only
    // folder, a folder where the file should be): this file alone is lost.
    NotCreated,
    // The data could not be written or flushed (a full disk, a file-size
    // limit): the medium cannot take the batch, so nothing should change.
    WriteFailed,
  };

  FileBatch() = default;
  FileBatch(const FileBatch&) = delete;
  FileBatch& operator=(const FileBatch&) = delete;

  Staged stage(const std::string& path, std::span<const std::uint8_t> bytes);

  // Renames every staged file over its path, in staging order, then flushes
  // the folders that changed. Returns the paths that could not be renamed
  // (their old files are kept).
  std::vector<std::string> commit();

  // Removes every staged file; no path changes.
  void discard() { staged_.clear(); }

 private:
  std::vector<std::unique_ptr<PendingFile>> staged_;
};

// Removes what earlier writes of this program left behind in `folder`
// (ending in "/"): files named NAME.tmp-PID-N, where NAME is one of `names`,
// whose writer can no longer finish: process PID is gone, or it is this
// process and holds no such file open. Any other file, one of another
// program, of a live writer, or a link, is never touched.
void removeLeftoverTemporaries(const std::string& folder, std::span<const std::string> names);

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

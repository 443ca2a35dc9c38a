// Writes a ZIP archive through minizip, entry by entry in the order they
// are added, each deflated and stamped with its modification time. The
// archive takes the place of its path only once all of it was written and
// closed: a write that fails part-way leaves the file that was there as it
// was, and no temporary file behind.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <span>
#include <string>
#include <string_view>

class PendingFile;

class ZipWriter {
 public:
  // Starts the archive under a temporary name beside `path`. When that
  // cannot be created (the folder is missing or read-only), every call
  // fails.
  explicit ZipWriter(const std::string& path);
  // Without a successful finish(), the archive is dropped.
  ~ZipWriter();
  ZipWriter(const ZipWriter&) = delete;
  ZipWriter& operator=(const ZipWriter&) = delete;

  // Appends one entry. `name` is UTF-8 with "/" between folders and is
  // flagged as UTF-8 in the archive; `modified` is stored as local time, to
  // two seconds, within the years 1980 to 2107 that ZIP can hold. A name
  // that is empty, malformed UTF-8, holds a NUL byte or is longer than the
  // format's 65535 bytes is refused. Once anything failed, this and finish()
  // return false.
  bool add(std::string_view name, std::span<const std::uint8_t> bytes, std::time_t modified);

  // Writes the central directory, closes the archive and renames it over
  // the path. False when this or any earlier step failed.
  bool finish();

  bool failed() const { return failed_; }

 private:
  std::unique_ptr<PendingFile> file_;
  void* zip_ = nullptr;  // zipFile
  bool failed_ = false;
};

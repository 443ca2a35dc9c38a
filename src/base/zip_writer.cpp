#include "base/zip_writer.h"

#include <minizip/zip.h>

#include <algorithm>
#include <limits>
#include <string>

#include "base/code_page.h"
#include "base/file_io.h"

namespace {

constexpr uLong kUtf8NameFlag = 1u << 11;
// "Made by" version 2.0 on MS-DOS: no host-specific attributes, so every
// extractor gives the files its own default mode.
constexpr uLong kVersionMadeBy = 20;
constexpr std::size_t kMaxNameBytes = 0xFFFF;

// minizip's file functions over a pending file: the archive is written
// straight into the temporary file, and minizip's close leaves closing and
// renaming to the writer.
voidpf ZCALLBACK pendingOpen(voidpf opaque, const void*, int mode) {
  auto* file = static_cast<PendingFile*>(opaque);
  if (!(mode & ZLIB_FILEFUNC_MODE_CREATE) || !file->isOpen()) return nullptr;
  return file;
}

uLong ZCALLBACK pendingRead(voidpf, voidpf, void*, uLong) { return 0; }

uLong ZCALLBACK pendingWrite(voidpf, voidpf stream, const void* buffer, uLong size) {
  auto* file = static_cast<PendingFile*>(stream);
  return file->write({static_cast<const std::uint8_t*>(buffer), size}) ? size : 0;
}

ZPOS64_T ZCALLBACK pendingTell(voidpf, voidpf stream) {
  const std::optional<std::uint64_t> at = static_cast<PendingFile*>(stream)->position();
  return at ? static_cast<ZPOS64_T>(*at) : static_cast<ZPOS64_T>(-1);
}

long ZCALLBACK pendingSeek(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  PendingFile::SeekOrigin from = PendingFile::SeekOrigin::Start;
  switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
      from = PendingFile::SeekOrigin::Start;
      break;
    case ZLIB_FILEFUNC_SEEK_CUR:
      from = PendingFile::SeekOrigin::Current;
      break;
    case ZLIB_FILEFUNC_SEEK_END:
      from = PendingFile::SeekOrigin::End;
      break;
    default:
      return -1;
  }
  if (offset > static_cast<ZPOS64_T>(std::numeric_limits<std::int64_t>::max())) return -1;
  return static_cast<PendingFile*>(stream)->seek(offset, from) ? 0 : -1;
}

int ZCALLBACK pendingClose(voidpf, voidpf) { return 0; }
int ZCALLBACK pendingError(voidpf, voidpf) { return 0; }

bool isUsableName(std::string_view name) {
  if (name.empty() || name.size() > kMaxNameBytes) return false;
  for (std::size_t at = 0; at < name.size();) {
    char32_t c = 0;
    const std::size_t length = decodeUtf8(name, at, c);
    if (length == 0 || c == 0) return false;
    at += length;
  }
  return true;
}

// Local time as MS-DOS packs it: date in the high word, time in the low,
// seconds halved. Times outside 1980 to 2107 stick to the nearest end.
uLong dosDateTime(std::time_t time) {
  constexpr uLong kEarliest = ((1u << 5) | 1u) << 16;
  constexpr uLong kLatest =
      (((127u << 9) | (12u << 5) | 31u) << 16) | (23u << 11) | (59u << 5) | 29u;
  const std::optional<std::tm> broken = localTime(time);
  if (!broken) return time < 0 ? kEarliest : kLatest;
  const std::tm& local = *broken;
  const long year = local.tm_year + 1900L;
  if (year < 1980) return kEarliest;
  if (year > 2107) return kLatest;
  const uLong date = (static_cast<uLong>(year - 1980) << 9) |
                     (static_cast<uLong>(local.tm_mon + 1) << 5) |
                     static_cast<uLong>(local.tm_mday);
  // A leap second (60) would read back as the next minute's first.
  const uLong seconds = static_cast<uLong>(std::min(local.tm_sec, 59));
  const uLong clock = (static_cast<uLong>(local.tm_hour) << 11) |
                      (static_cast<uLong>(local.tm_min) << 5) | (seconds / 2);
  return (date << 16) | clock;
}

}  // namespace

ZipWriter::ZipWriter(const std::string& path) : file_(std::make_unique<PendingFile>(path)) {
  zlib_filefunc64_def functions{};
  functions.zopen64_file = pendingOpen;
  functions.zread_file = pendingRead;
  functions.zwrite_file = pendingWrite;
  functions.ztell64_file = pendingTell;
  functions.zseek64_file = pendingSeek;
  functions.zclose_file = pendingClose;
  functions.zerror_file = pendingError;
  functions.opaque = file_.get();
  zip_ = zipOpen2_64(path.c_str(), APPEND_STATUS_CREATE, nullptr, &functions);
  failed_ = zip_ == nullptr;
}

ZipWriter::~ZipWriter() {
  // minizip has no way to abandon an archive: closing frees its state and
  // writes a directory into the temporary file, which file_ then removes.
  if (zip_) zipClose(static_cast<zipFile>(zip_), nullptr);
}

bool ZipWriter::add(std::string_view name, std::span<const std::uint8_t> bytes,
                    std::time_t modified) {
  if (failed_) return false;
  if (!isUsableName(name)) {
    failed_ = true;
    return false;
  }
  auto* zip = static_cast<zipFile>(zip_);
  zip_fileinfo info{};
  // minizip takes a non-zero dosDate as it is, which spares its own
  // conversion: that one guesses whether tm_year counts from 1900 or not.
  info.dosDate = dosDateTime(modified);
  const std::string terminated(name);
  // Large entries need the ZIP64 extension; small ones are kept without it,
  // which every reader takes.
  const int zip64 = bytes.size() >= 0xFFFFFFFFu ? 1 : 0;
  if (zipOpenNewFileInZip4_64(zip, terminated.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                              Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, DEF_MEM_LEVEL,
                              Z_DEFAULT_STRATEGY, nullptr, 0, kVersionMadeBy, kUtf8NameFlag,
                              zip64) != ZIP_OK) {
    failed_ = true;
    return false;
  }
  // minizip takes at most an unsigned int's worth per call.
  constexpr std::size_t kChunk = 1u << 20;
  for (std::size_t at = 0; at < bytes.size() && !failed_; at += kChunk) {
    const auto size = static_cast<unsigned>(std::min(kChunk, bytes.size() - at));
    if (zipWriteInFileInZip(zip, bytes.data() + at, size) != ZIP_OK) failed_ = true;
  }
  if (zipCloseFileInZip(zip) != ZIP_OK) failed_ = true;
  return !failed_;
}

bool ZipWriter::finish() {
  if (!zip_) return false;
  const bool closed = zipClose(static_cast<zipFile>(zip_), nullptr) == ZIP_OK;
  zip_ = nullptr;
  if (!closed || failed_) {
    failed_ = true;
    file_.reset();
    return false;
  }
  if (!file_->commit()) failed_ = true;
  return !failed_;
}

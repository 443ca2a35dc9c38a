#include "base/zip_archive.h"

#include <minizip/unzip.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "base/code_page.h"
#include "base/file_io.h"

// Bytes in memory presented to minizip as a seekable read-only file.
struct ZipArchive::MemoryStream {
  std::vector<std::uint8_t> bytes;
  std::uint64_t position = 0;
};

namespace {

using MemoryStream = ZipArchive::MemoryStream;

voidpf ZCALLBACK memoryOpen(voidpf opaque, const void*, int mode) {
  if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ) return nullptr;
  auto* stream = static_cast<MemoryStream*>(opaque);
  stream->position = 0;
  return stream;
}

uLong ZCALLBACK memoryRead(voidpf, voidpf handle, void* buffer, uLong size) {
  auto* stream = static_cast<MemoryStream*>(handle);
  const std::uint64_t available =
      stream->position < stream->bytes.size() ? stream->bytes.size() - stream->position : 0;
  const uLong count = static_cast<uLong>(std::min<std::uint64_t>(size, available));
  if (count > 0) std::memcpy(buffer, stream->bytes.data() + stream->position, count);
  stream->position += count;
  return count;
}

uLong ZCALLBACK memoryWrite(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK memoryTell(voidpf, voidpf handle) {
  return static_cast<MemoryStream*>(handle)->position;
}

long ZCALLBACK memorySeek(voidpf, voidpf handle, ZPOS64_T offset, int origin) {
  auto* stream = static_cast<MemoryStream*>(handle);
  std::uint64_t base = 0;
  switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
      base = 0;
      break;
    case ZLIB_FILEFUNC_SEEK_CUR:
      base = stream->position;
      break;
    case ZLIB_FILEFUNC_SEEK_END:
      base = stream->bytes.size();
      break;
    default:
      return -1;
  }
  if (offset > stream->bytes.size() || base > stream->bytes.size() - offset) return -1;
  stream->position = base + offset;
  return 0;
}

int ZCALLBACK memoryClose(voidpf, voidpf) { return 0; }
int ZCALLBACK memoryError(voidpf, voidpf) { return 0; }

// Code page 437, bytes 0x80 to 0xFF.
constexpr char16_t kCp437High[128] = {
    u'Ç', u'ü', u'é', u'â', u'ä', u'à', u'å', u'ç',      u'ê', u'ë', u'è', u'ï', u'î', u'ì', u'Ä',
    u'Å', u'É', u'æ', u'Æ', u'ô', u'ö', u'ò', u'û',      u'ù', u'ÿ', u'Ö', u'Ü', u'¢', u'£', u'¥',
    u'₧', u'ƒ', u'á', u'í', u'ó', u'ú', u'ñ', u'Ñ',      u'ª', u'º', u'¿', u'⌐', u'¬', u'½', u'¼',
    u'¡', u'«', u'»', u'░', u'▒', u'▓', u'│', u'┤',      u'╡', u'╢', u'╖', u'╕', u'╣', u'║', u'╗',
    u'╝', u'╜', u'╛', u'┐', u'└', u'┴', u'┬', u'├',      u'─', u'┼', u'╞', u'╟', u'╚', u'╔', u'╩',
    u'╦', u'╠', u'═', u'╬', u'╧', u'╨', u'╤', u'╥',      u'╙', u'╘', u'╒', u'╓', u'╫', u'╪', u'┘',
    u'┌', u'█', u'▄', u'▌', u'▐', u'▀', u'α', u'ß',      u'Γ', u'π', u'Σ', u'σ', u'µ', u'τ', u'Φ',
    u'Θ', u'Ω', u'δ', u'∞', u'φ', u'ε', u'∩', u'≡',      u'±', u'≥', u'≤', u'⌠', u'⌡', u'÷', u'≈',
    u'°', u'∙', u'·', u'√', u'ⁿ', u'²', u'■', u'\u00A0',
};

constexpr uLong kUtf8NameFlag = 1u << 11;
constexpr uLong kEncryptedFlag = 1u << 0;

// The fields as stored, even where they make no date ("month 0").
ZipTime fromDosDateTime(uLong packed) {
  const auto date = static_cast<int>((packed >> 16) & 0xFFFF);
  const auto time = static_cast<int>(packed & 0xFFFF);
  return {1980 + (date >> 9), (date >> 5) & 15, date & 31,
          time >> 11,         (time >> 5) & 63, (time & 31) * 2};
}

}  // namespace

std::string cp437ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char byte : bytes) {
    const auto b = static_cast<unsigned char>(byte);
    appendUtf8(out, b < 0x80 ? char32_t{b} : char32_t{kCp437High[b - 0x80]});
  }
  return out;
}

// The whole archive is read at once and the file closed again: on Windows
// an open file cannot be replaced, and a save may write the archive it
// reads its other entries from.
ZipArchive::ZipArchive(const std::string& path)
    : ZipArchive(readWholeFile(path).value_or(std::vector<std::uint8_t>())) {}

ZipArchive::ZipArchive(std::vector<std::uint8_t> bytes)
    : memory_(std::make_unique<MemoryStream>()) {
  memory_->bytes = std::move(bytes);
  zlib_filefunc64_def functions{};
  functions.zopen64_file = memoryOpen;
  functions.zread_file = memoryRead;
  functions.zwrite_file = memoryWrite;
  functions.ztell64_file = memoryTell;
  functions.zseek64_file = memorySeek;
  functions.zclose_file = memoryClose;
  functions.zerror_file = memoryError;
  functions.opaque = memory_.get();
  handle_ = unzOpen2_64("memory", &functions);
  index();
}

ZipArchive::~ZipArchive() {
  if (handle_) unzClose(static_cast<unzFile>(handle_));
}

void ZipArchive::index() {
  auto* zip = static_cast<unzFile>(handle_);
  if (!zip) return;
  std::vector<char> nameBuffer;
  for (int status = unzGoToFirstFile(zip); status == UNZ_OK; status = unzGoToNextFile(zip)) {
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) break;
    nameBuffer.assign(info.size_filename + 1, '\0');
    if (unzGetCurrentFileInfo64(zip, &info, nameBuffer.data(), nameBuffer.size(), nullptr, 0,
                                nullptr, 0) != UNZ_OK)
      break;
    unz64_file_pos position{};
    if (unzGetFilePos64(zip, &position) != UNZ_OK) break;

    Entry entry;
    const std::string_view raw(nameBuffer.data(), info.size_filename);
    entry.name = (info.flag & kUtf8NameFlag) ? std::string(raw) : cp437ToUtf8(raw);
    std::replace(entry.name.begin(), entry.name.end(), '/', '\\');
    entry.size = info.uncompressed_size;
    entry.directoryOffset = position.pos_in_zip_directory;
    entry.number = position.num_of_file;
    entry.encrypted = (info.flag & kEncryptedFlag) != 0;
    entry.modified = fromDosDateTime(info.dosDate);
    firstByUpperName_.emplace(upperCaseName(entry.name), static_cast<int>(entries_.size()));
    entries_.push_back(std::move(entry));
  }
}

int ZipArchive::findEntry(std::string_view name) const {
  const auto found = firstByUpperName_.find(upperCaseName(name));
  return found == firstByUpperName_.end() ? -1 : found->second;
}

std::optional<std::vector<std::uint8_t>> ZipArchive::extract(int index) {
  auto* zip = static_cast<unzFile>(handle_);
  if (!zip || index < 0 || index >= entryCount()) return std::nullopt;
  const Entry& entry = entries_[index];
  if (entry.size > kMaxZipEntrySize || entry.encrypted) return std::nullopt;
  const unz64_file_pos position{entry.directoryOffset, entry.number};
  if (unzGoToFilePos64(zip, &position) != UNZ_OK) return std::nullopt;
  if (unzOpenCurrentFile(zip) != UNZ_OK) return std::nullopt;

  // The claimed size is believed only as far as the data bears it out: a
  // buffer sized from the claim alone would let a few bytes of archive take
  // 64 MiB per entry, 53 times per open.
  std::vector<std::uint8_t> bytes;
  bytes.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(entry.size, 1u << 16)));
  std::vector<std::uint8_t> chunk(std::min<std::uint64_t>(entry.size, 1u << 16));
  bool ok = true;
  while (bytes.size() < entry.size) {
    const unsigned wanted =
        static_cast<unsigned>(std::min<std::uint64_t>(entry.size - bytes.size(), chunk.size()));
    const int n = unzReadCurrentFile(zip, chunk.data(), wanted);
    if (n <= 0) {
      ok = false;
      break;
    }
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + n);
  }
  // Data that inflates past the size the entry claims is damaged or hostile.
  std::uint8_t extra = 0;
  if (ok && unzReadCurrentFile(zip, &extra, 1) != 0) ok = false;
  if (unzCloseCurrentFile(zip) != UNZ_OK) ok = false;  // a CRC mismatch shows here
  if (!ok) return std::nullopt;
  return bytes;
}

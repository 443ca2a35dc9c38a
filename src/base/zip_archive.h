// Read-only access to a ZIP archive through minizip: its entries in
// central-directory order, each with its name and unpacked size, and the
// extraction of one entry whole. The archive is indexed once when opened,
// so many look-ups neither rescan nor reopen it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Entries claiming more than this unpacked are not extracted.
inline constexpr std::uint64_t kMaxZipEntrySize = 64u << 20;

// A modification time as ZIP keeps it: local time, to two seconds.
struct ZipTime {
  int year = 1980;
  int month = 1;  // 1 to 12
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const ZipTime&) const = default;
};

class ZipArchive {
 public:
  // An archive that cannot be read, from a path or from bytes in memory,
  // behaves as one with no entries.
  explicit ZipArchive(const std::string& path);
  explicit ZipArchive(std::vector<std::uint8_t> bytes);
  ~ZipArchive();
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  int entryCount() const { return static_cast<int>(entries_.size()); }

  // The name as UTF-8 (decoded from code page 437 unless the entry is
  // flagged as UTF-8), with every "/" turned into "\".
  const std::string& entryName(int index) const { return entries_[index].name; }
  std::uint64_t entrySize(int index) const { return entries_[index].size; }
  ZipTime entryTime(int index) const { return entries_[index].modified; }

  // The first entry whose name equals `name` ignoring letter case (Unicode
  // simple case mapping), or -1.
  int findEntry(std::string_view name) const;

  // The whole unpacked entry; nothing when it is too large, encrypted,
  // damaged, or inflates to another size than it claims.
  std::optional<std::vector<std::uint8_t>> extract(int index);

  struct MemoryStream;  // the minizip stream over in-memory bytes

 private:
  struct Entry {
    std::string name;
    std::uint64_t size = 0;
    std::uint64_t directoryOffset = 0;  // minizip's position of the entry
    std::uint64_t number = 0;
    bool encrypted = false;
    ZipTime modified;
  };

  void index();

  void* handle_ = nullptr;  // unzFile
  std::unique_ptr<MemoryStream> memory_;
  std::vector<Entry> entries_;
  std::unordered_map<std::string, int> firstByUpperName_;
};

// Code page 437 bytes (the ZIP format's default name encoding) as UTF-8.
std::string cp437ToUtf8(std::string_view bytes);

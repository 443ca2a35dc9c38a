#include "i18n/text_file.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimLeadingBlanks(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && isBlank(s[i])) ++i;
  return s.substr(i);
}

std::string_view trimTrailingBlanks(std::string_view s) {
  std::size_t n = s.size();
  while (n > 0 && isBlank(s[n - 1])) --n;
  return s.substr(0, n);
}

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 sequence starting at s[i], or 0.
std::size_t validSequenceLength(std::string_view s, std::size_t i) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = at(i);
  const std::size_t left = s.size() - i;
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) return left >= 2 && isContinuation(at(i + 1)) ? 2 : 0;
  if (c >= 0xE0 && c <= 0xEF) {
    if (left < 3 || !isContinuation(at(i + 1)) || !isContinuation(at(i + 2))) return 0;
    if (c == 0xE0 && at(i + 1) < 0xA0) return 0;   // overlong
    if (c == 0xED && at(i + 1) >= 0xA0) return 0;  // surrogate
    return 3;
  }
  if (c >= 0xF0 && c <= 0xF4) {
    if (left < 4 || !isContinuation(at(i + 1)) || !isContinuation(at(i + 2)) ||
        !isContinuation(at(i + 3)))
      return 0;
    if (c == 0xF0 && at(i + 1) < 0x90) return 0;   // overlong
    if (c == 0xF4 && at(i + 1) >= 0x90) return 0;  // beyond U+10FFFF
    return 4;
  }
  return 0;
}

}  // namespace

std::string latin1ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out.push_back(ch);
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::string sanitizeUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const std::size_t n = validSequenceLength(bytes, i);
    if (n == 0) {
      out.append(kReplacement);
      ++i;
    } else {
      out.append(bytes.substr(i, n));
      i += n;
    }
  }
  return out;
}

std::string foldNameCase(std::string_view name) {
  std::string out(name);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto c = static_cast<unsigned char>(out[i]);
    if (c >= 'A' && c <= 'Z') {
      out[i] = static_cast<char>(c + ('a' - 'A'));
    } else if (c == 0xC3 && i + 1 < out.size()) {
      // U+00C0..U+00DE except U+00D7 (multiplication sign): Latin-1 capitals.
      const auto d = static_cast<unsigned char>(out[i + 1]);
      if (d >= 0x80 && d <= 0x9E && d != 0x97) out[i + 1] = static_cast<char>(d + 0x20);
      ++i;
    }
  }
  return out;
}

TextFile TextFile::parse(std::string_view bytes) {
  std::string text;
  if (bytes.starts_with(kByteOrderMark)) {
    text = sanitizeUtf8(bytes.substr(kByteOrderMark.size()));
  } else {
    text = latin1ToUtf8(bytes);
  }

  TextFile file;
  Group* current = nullptr;  // entries before the first group line are dropped
  const std::string_view all(text);
  std::size_t pos = 0;
  while (pos < all.size()) {
    std::size_t end = all.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = all.size();
    const std::string_view line = trimLeadingBlanks(all.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line.front() == ';') continue;

    if (line.front() == '[') {
      std::string_view name = line.substr(1);
      name = name.substr(0, name.find(']'));
      file.groups_.emplace_back();
      current = &file.groups_.back();
      file.groupIndex_.emplace(foldNameCase(name), file.groups_.size() - 1);
      continue;
    }

    // A line without "=" carries no value: passing it over keeps a stray
    // word in a language file from blanking a text.
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || current == nullptr) continue;
    const std::string_view key = trimTrailingBlanks(line.substr(0, eq));
    const std::string_view value = trimLeadingBlanks(line.substr(eq + 1));
    current->entries.emplace(foldNameCase(key), std::string(value));
  }
  return file;
}

std::optional<std::string> TextFile::find(std::string_view group, std::string_view key) const {
  const auto g = groupIndex_.find(foldNameCase(group));
  if (g == groupIndex_.end()) return std::nullopt;
  const auto& entries = groups_[g->second].entries;
  const auto e = entries.find(foldNameCase(key));
  if (e == entries.end()) return std::nullopt;
  return e->second;
}

bool TextFile::hasGroup(std::string_view group) const {
  return groupIndex_.contains(foldNameCase(group));
}

std::optional<TextFile> readTextFile(const std::filesystem::path& path) {
  // Only plain files: a folder or a pipe under the expected name must not
  // block or fail the start.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return TextFile::parse(bytes);
}

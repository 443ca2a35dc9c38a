// platform.h on Windows: UTF-8 paths inside the program, UTF-16 at every
// call into the system, and files always in binary.
#define NOMINMAX
#include <fcntl.h>
#include <io.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <limits>
#include <stdexcept>

#include "base/platform.h"

namespace {

HANDLE handleOf(const NativeFile& file) { return reinterpret_cast<HANDLE>(file.handle()); }

NativeFile adopt(HANDLE handle) {
  if (handle == INVALID_HANDLE_VALUE) return NativeFile();
  return NativeFile(reinterpret_cast<std::intptr_t>(handle));
}

// Bytes that are not UTF-8 become U+FFFD, which no Windows file name
// holds, so the system call fails as it would for a file that is not there.
std::wstring wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  if (size <= 0) return {};
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), size);
  return text;
}

std::string narrow(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()),
                                       nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), text.data(), size,
                      nullptr, nullptr);
  return text;
}

bool isMissingError(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_INVALID_NAME || error == ERROR_BAD_PATHNAME || error == ERROR_INVALID_DRIVE;
}

// The largest size a test lets any file grow to.
std::atomic<std::uint64_t> fileSizeLimit{std::numeric_limits<std::uint64_t>::max()};

}  // namespace

std::filesystem::path pathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(wide(utf8));
}

std::string utf8FromPath(const std::filesystem::path& path) { return narrow(path.native()); }

std::string genericUtf8FromPath(const std::filesystem::path& path) {
  std::string text = utf8FromPath(path);
  std::replace(text.begin(), text.end(), '\\', '/');
  return text;
}

bool isLink(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool isSameFile(const std::string& a, const std::string& b) {
  // Folders open only with backup semantics; neither is read or locked.
  auto identify = [](const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    const NativeFile file = adopt(
        CreateFileW(wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file.isOpen() && GetFileInformationByHandle(handleOf(file), &info);
  };
  BY_HANDLE_FILE_INFORMATION first{};
  BY_HANDLE_FILE_INFORMATION second{};
  return identify(a, first) && identify(b, second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

bool NativeFile::close() {
  if (!isOpen()) return false;
  return CloseHandle(reinterpret_cast<HANDLE>(release())) != 0;
}

NativeFile openFileForReading(const std::string& path, OpenFailure& failure) {
  // Sharing everything: a file being read must not stop another program,
  // or a save of this one, from replacing or removing it.
  NativeFile file = adopt(CreateFileW(wide(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.isOpen()) {
    failure = isMissingError(GetLastError()) ? OpenFailure::Missing : OpenFailure::Unreadable;
    return file;
  }
  if (!plainFileSize(file)) {
    failure = OpenFailure::Unreadable;
    return NativeFile();
  }
  failure = OpenFailure::None;
  return file;
}

std::optional<std::uint64_t> plainFileSize(const NativeFile& file) {
  if (GetFileType(handleOf(file)) != FILE_TYPE_DISK) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handleOf(file), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  return (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}

long long readFromFile(const NativeFile& file, std::uint8_t* data, std::size_t size) {
  const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
  DWORD got = 0;
  if (!ReadFile(handleOf(file), data, asked, &got, nullptr)) return -1;
  return got;
}

NativeFile createNewFile(const std::string& path, CreateFailure& failure) {
  NativeFile file = adopt(CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.isOpen()) {
    const DWORD error = GetLastError();
    failure = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? CreateFailure::Exists
                                                                          : CreateFailure::Other;
    return file;
  }
  failure = CreateFailure::None;
  return file;
}

bool writeToFile(const NativeFile& file, std::span<const std::uint8_t> bytes) {
  std::size_t allowed = bytes.size();
  const std::uint64_t limit = fileSizeLimit.load();
  if (limit != std::numeric_limits<std::uint64_t>::max()) {
    const std::uint64_t at = filePosition(file).value_or(0);
    allowed =
        at >= limit ? 0 : static_cast<std::size_t>(std::min<std::uint64_t>(allowed, limit - at));
  }
  std::size_t done = 0;
  while (done < allowed) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(allowed - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(handleOf(file), bytes.data() + done, chunk, &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return done == bytes.size();
}

bool seekFile(const NativeFile& file, std::int64_t offset, SeekFrom from) {
  const DWORD method = from == SeekFrom::Start ? FILE_BEGIN
                       : from == SeekFrom::End ? FILE_END
                                               : FILE_CURRENT;
  LARGE_INTEGER distance{};
  distance.QuadPart = offset;
  return SetFilePointerEx(handleOf(file), distance, nullptr, method) != 0;
}

std::optional<std::uint64_t> filePosition(const NativeFile& file) {
  LARGE_INTEGER zero{};
  LARGE_INTEGER at{};
  if (!SetFilePointerEx(handleOf(file), zero, &at, FILE_CURRENT) || at.QuadPart < 0)
    return std::nullopt;
  return static_cast<std::uint64_t>(at.QuadPart);
}

bool flushFileToDisk(const NativeFile& file) { return FlushFileBuffers(handleOf(file)) != 0; }

// A new file takes the access rules of its folder, as the old one did.
void copyPermissions(const std::string&, const NativeFile&) {}

bool replaceFile(const std::string& from, const std::string& to) {
  const std::wstring source = wide(from);
  const std::wstring target = wide(to);
  // A virus scanner or search indexer may have the old file open for a
  // moment without sharing its deletion; the rename goes through once it
  // lets go.
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExW(source.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    const DWORD error = GetLastError();
    if (attempt == 5 || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED))
      return false;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
      return false;
    // A read-only old file (copied off a card or a disc) is replaced as a
    // rename replaces it on POSIX, where only the folder's rights count.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
      continue;
    Sleep(20u << attempt);
  }
}

bool removeFile(const std::string& path) { return DeleteFileW(wide(path).c_str()) != 0; }

// MOVEFILE_WRITE_THROUGH has already put each rename on the disk.
void flushFolderEntries(const std::string&) {}

// An open file, even one opened for reading only, stops a rename over it.
NativeFile holdWhileReplaced(const std::string&) { return NativeFile(); }

ProcessId currentProcessId() { return GetCurrentProcessId(); }

bool processHasEnded(ProcessId id) {
  if (id == 0) return true;
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;  // no such process
  DWORD exitCode = 0;
  const bool ended = GetExitCodeProcess(process, &exitCode) && exitCode != STILL_ACTIVE;
  CloseHandle(process);
  return ended;
}

std::optional<std::tm> localTime(std::time_t time) {
  std::tm local{};
  if (localtime_s(&local, &time) != 0) return std::nullopt;
  return local;
}

char32_t upperCaseLetter(char32_t c) {
  if (c >= 0x110000 || (c >= 0xD800 && c <= 0xDFFF)) return c;
  wchar_t in[2];
  int length = 1;
  if (c < 0x10000) {
    in[0] = static_cast<wchar_t>(c);
  } else {
    in[0] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
    in[1] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    length = 2;
  }
  wchar_t out[4];
  // The invariant locale: a Turkish system must not upper-case "i" to "İ".
  const int got = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, in, length, out, 4, nullptr,
                                nullptr, 0);
  if (got == 1 && (out[0] < 0xD800 || out[0] > 0xDFFF)) return out[0];
  if (got == 2 && out[0] >= 0xD800 && out[0] <= 0xDBFF && out[1] >= 0xDC00 && out[1] <= 0xDFFF)
    return 0x10000 + ((static_cast<char32_t>(out[0]) - 0xD800) << 10) + (out[1] - 0xDC00);
  return c;
}

std::optional<std::string> environmentVariable(const char* name) {
  const std::wstring wideName = wide(name);
  const DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  if (size == 0) {
    if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::string();
  }
  std::wstring value(size, L'\0');
  const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
  if (length == 0 || length >= size) return std::string();
  value.resize(length);
  return narrow(value);
}

std::filesystem::path programFolder() {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return {};
    if (length < name.size()) {
      name.resize(length);
      return std::filesystem::path(name).parent_path();
    }
    name.resize(name.size() * 2);
  }
}

FolderConvention folderConvention() { return FolderConvention::Windows; }

std::filesystem::path userSettingsRoot() {
  PWSTR folder = nullptr;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &folder))) {
    std::filesystem::path root(folder);
    CoTaskMemFree(folder);
    return root;
  }
  CoTaskMemFree(folder);
  const std::optional<std::string> appData = environmentVariable("APPDATA");
  if (appData && !appData->empty()) return pathFromUtf8(*appData);
  return {};
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  // Without the wide command line, the narrow one is all there is.
  if (arguments == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> utf8;
  for (int i = 0; i < count; ++i) utf8.push_back(narrow(arguments[i]));
  LocalFree(arguments);
  return utf8;
}

void prepareCommandLineProcess() {
  // A console shows the UTF-8 the program prints as UTF-8.
  SetConsoleOutputCP(CP_UTF8);
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

namespace {

// One argument as the C runtime's command-line parser reads it back.
std::wstring quotedArgument(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
    return argument;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote escaped.
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

HANDLE inheritableOutput(const std::string& path) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                     &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& outputFile, const std::string& errorFile) {
  std::wstring commandLine = quotedArgument(wide(program));
  for (const std::string& argument : arguments)
    commandLine += L" " + quotedArgument(wide(argument));
  ProgramRun run;
  const NativeFile out = adopt(inheritableOutput(outputFile));
  const NativeFile err = adopt(inheritableOutput(errorFile));
  if (!out.isOpen() || !err.isOpen()) return run;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = handleOf(out);
  startup.hStdError = handleOf(err);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(wide(program).c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      nullptr, &startup, &process))
    return run;
  run.process = process.dwProcessId;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 0;
  if (GetExitCodeProcess(process.hProcess, &exitCode)) run.exitStatus = static_cast<int>(exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

std::filesystem::path createTemporaryFolder(std::string_view prefix) {
  static std::atomic<unsigned> counter{0};
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path folder =
        base /
        pathFromUtf8(std::string(prefix) + std::to_string(GetCurrentProcessId()) + "-" +
                     std::to_string(GetTickCount64() % 1000000) + "-" + std::to_string(counter++));
    if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  throw std::runtime_error("cannot create a temporary folder");
}

FileSizeLimitForTests::FileSizeLimitForTests(std::uint64_t bytes) {
  saved_[0] = fileSizeLimit.exchange(bytes);
}

FileSizeLimitForTests::~FileSizeLimitForTests() { fileSizeLimit.store(saved_[0]); }

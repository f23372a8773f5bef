// Text files in Windows-1252 or UTF-8 with any line ends, atomic saves, and the small
// file system helpers (existence, listing with wildcards, case-insensitive lookup).
#include "platform/textfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/runtime.h"
#include "platform/utf8.h"

namespace platform {

namespace fs = std::filesystem;

std::string systemCause(int code) {
  switch (code) {
    case ENOSPC:
    case EDQUOT:
      return "le disque est plein";
    case EFBIG:
      return "le fichier est trop grand";
    case EROFS:
      return "le disque est en lecture seule";
    case EACCES:
    case EPERM:
      return "permission refusée";
    case ENOENT:
      return "fichier ou dossier introuvable";
    case ENOTDIR:
      return "un élément du chemin n'est pas un dossier";
    case EISDIR:
      return "c'est un dossier";
    case ENAMETOOLONG:
      return "le nom est trop long";
    case EIO:
      return "erreur de lecture ou d'écriture sur le disque";
    default:
      return std::strerror(code);
  }
}

namespace {

// Code points of the bytes 0x80 to 0x9F. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same number,
// so that every byte decodes and encodes back to itself.
constexpr std::array<long, 32> kHigh1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Windows-1252 byte of code point cp, or -1 when the code page has none.
int byteOf1252(long cp) {
  if (cp < 0) return -1;
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (std::size_t k = 0; k < kHigh1252.size(); ++k) {
    if (kHigh1252[k] == cp) return static_cast<int>(0x80 + k);
  }
  return -1;
}

long codeOf1252(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return kHigh1252[b - 0x80u];
  return b;
}

std::string errnoText() { return systemCause(errno); }

void setError(std::string* error, const std::string& text) {
  if (error != nullptr) *error = text;
}

std::string stripTrailingSlashes(std::string p) {
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  return p;
}

// Folder and name joined with one "/"; an empty folder gives the name alone.
std::string joinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

// Text folded for comparisons that ignore case.
std::string fold(const std::string& s) { return LCase(s); }

bool lessNoCase(const std::string& a, const std::string& b) {
  const std::string fa = fold(a);
  const std::string fb = fold(b);
  if (fa != fb) return fa < fb;
  return a < b;
}

// Code points of a text (malformed bytes kept as negative values of their own).
std::vector<long> codePoints(const std::string& s) {
  std::vector<long> out;
  std::size_t pos = 0;
  while (pos < s.size()) {
    long cp = -1;
    const std::size_t len = utf8::decodeAt(s, pos, &cp);
    if (cp < 0) cp = -1 - static_cast<unsigned char>(s[pos]);
    out.push_back(cp);
    pos += len;
  }
  return out;
}

// Wildcard match of a name against one pattern (* any run, ? one character), both
// already folded. Iterative with one back-track point: linear in practice, never
// recursive.
bool wildcardMatch(const std::vector<long>& name, const std::vector<long>& pat) {
  std::size_t n = 0, p = 0;
  std::size_t starP = std::string::npos, starN = 0;
  while (n < name.size()) {
    if (p < pat.size() && (pat[p] == '?' || pat[p] == name[n])) {
      ++n;
      ++p;
    } else if (p < pat.size() && pat[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pat.size() && pat[p] == '*') ++p;
  return p == pat.size();
}

// True when name matches one of the ";"-separated patterns, ignoring case. "*.*"
// matches every name, with or without a dot.
bool matchesPattern(const std::string& name, const std::string& patterns) {
  const std::vector<long> folded = codePoints(fold(name));
  for (const std::string& raw : Split(patterns, ";")) {
    const std::string pattern = Trim(raw);
    if (pattern.empty()) continue;
    if (pattern == "*.*" || pattern == "*") return true;
    if (wildcardMatch(folded, codePoints(fold(pattern)))) return true;
  }
  return false;
}

enum class EntryKind { File, Folder };

// Sorted names of the visible entries of one kind in a folder ("" for none).
std::vector<std::string> listEntries(const std::string& folder, EntryKind kind,
                                     const std::string& pattern) {
  std::vector<std::string> names;
  const std::string dir = folder.empty() ? std::string(".") : stripTrailingSlashes(normalizePath(folder));
  std::error_code ec;
  fs::directory_iterator it(dir, ec);
  if (ec) return names;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;  // hidden entries, "." and ".."
    std::error_code kindEc;
    const bool wanted = kind == EntryKind::File ? fs::is_regular_file(it->path(), kindEc)
                                                : fs::is_directory(it->path(), kindEc);
    if (!wanted || kindEc) continue;
    if (kind == EntryKind::File && !matchesPattern(name, pattern)) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end(), lessNoCase);
  return names;
}

// Bytes of non-ASCII text that is plainly UTF-8 (a BOM, or valid UTF-8 with at least
// one multi-byte character).
bool looksUtf8(const std::string& bytes) {
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) return true;
  const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return !ascii && utf8::isValid(bytes);
}

bool hasNonAscii(const std::string& bytes) {
  return std::any_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

std::string joinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

// UTF-16 text (after its byte-order mark) as UTF-8. An unpaired surrogate gives U+FFFD;
// an odd last byte is dropped.
std::string decodeUtf16(const std::string& body, bool bigEndian) {
  std::string out;
  out.reserve(body.size());
  auto unit = [&](std::size_t k) {
    const auto a = static_cast<unsigned char>(body[k]);
    const auto b = static_cast<unsigned char>(body[k + 1]);
    return bigEndian ? static_cast<long>((a << 8) | b) : static_cast<long>((b << 8) | a);
  };
  for (std::size_t k = 0; k + 1 < body.size(); k += 2) {
    long cp = unit(k);
    if (cp >= 0xD800 && cp <= 0xDBFF && k + 3 < body.size()) {
      const long low = unit(k + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        k += 2;
      }
    }
    utf8::append(&out, cp);  // a lone surrogate becomes U+FFFD
  }
  return out;
}

bool isUtf16(const std::string& bytes) {
  return bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0;
}

enum class Utf16Order { None, Little, Big };

// The byte order of UTF-16 text without a byte-order mark, told by where its NULs lie:
// text that is mostly Latin has a NUL as the high byte of nearly every character, and
// never a NUL character. Looked at over the first 64 KB; an empty or odd-sized sample
// and binary data (NULs on both sides, or NUL characters) give None.
Utf16Order unmarkedUtf16Order(const std::string& bytes) {
  const std::size_t n = std::min<std::size_t>(bytes.size(), 65536) & ~std::size_t{1};
  const std::size_t pairs = n / 2;
  if (pairs == 0) return Utf16Order::None;
  std::size_t zeroFirst = 0, zeroSecond = 0;
  for (std::size_t k = 0; k < n; k += 2) {
    const bool a = bytes[k] == '\0', b = bytes[k + 1] == '\0';
    if (a && b) return Utf16Order::None;
    zeroFirst += a ? 1 : 0;
    zeroSecond += b ? 1 : 0;
  }
  if (zeroSecond * 2 >= pairs && zeroFirst * 8 <= zeroSecond) return Utf16Order::Little;
  if (zeroFirst * 2 >= pairs && zeroSecond * 8 <= zeroFirst) return Utf16Order::Big;
  return Utf16Order::None;
}

// --- atomic save ---

std::string saveError(const std::string& path, int code) {
  return "Impossible d'enregistrer le fichier " + path + " : " + systemCause(code);
}

// The folder that holds a file ("." for a bare name).
std::string folderOf(const std::string& file) {
  const fs::path f(file);
  return f.has_parent_path() ? f.parent_path().string() : std::string(".");
}

// The file a save replaces: the target of a symbolic link, else the path itself.
std::string saveTarget(const std::string& path) {
  std::error_code ec;
  if (!fs::is_symlink(path, ec)) return path;
  const fs::path target = fs::weakly_canonical(path, ec);
  return ec ? path : target.string();
}

// True, with the message in *error, when `st`, the status of the file a save of `p`
// replaces, lets nobody write it: the rename would replace it all the same (and root
// may write anything), so such a file is refused.
bool refusedAsReadOnly(const std::string& p, const struct stat& st, std::string* error) {
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0) return false;
  setError(error, "Impossible d'enregistrer le fichier " + p + " : le fichier est en lecture seule");
  return true;
}

// Creates a new hidden temporary file beside `target` (the name made unique with the
// process id, a counter and the clock), with mode `mode` less the umask; returns its
// descriptor, or -1 with *failure the system's error code of the creation.
int createTemporary(const std::string& target, mode_t mode, std::string* tempPath, int* failure) {
  static std::atomic<unsigned> counter{0};
  const std::string folder = folderOf(target);
  // Short enough for the longest file name a folder accepts (255 bytes).
  const std::string name = fs::path(target).filename().string().substr(0, 200);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
    *tempPath = joinPath(folder, "." + name + "." + std::to_string(getpid()) + "." +
                                     std::to_string(counter++) + "." +
                                     std::to_string(static_cast<unsigned long long>(tick) % 100000) + ".tmp");
    const int fd = ::open(tempPath->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) return fd;
    if (errno != EEXIST) {
      *failure = errno;
      return -1;
    }
  }
  *failure = EEXIST;
  return -1;
}

// Writes every byte to fd, going on after short writes; false with errno set.
bool writeAll(int fd, const std::string& bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      errno = ENOSPC;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

// Appends the Windows-1252 bytes of a UTF-8 text to *out; false at the first character
// Windows-1252 lacks (*out then holds part of the text).
bool append1252(const std::string& utf8Text, std::string* out) {
  std::size_t pos = 0;
  while (pos < utf8Text.size()) {
    // A run of ASCII is the same in both.
    std::size_t ascii = pos;
    for (std::uint64_t word = 0; ascii + 8 <= utf8Text.size(); ascii += 8) {
      std::memcpy(&word, utf8Text.data() + ascii, 8);
      if ((word & 0x8080808080808080ULL) != 0) break;
    }
    while (ascii < utf8Text.size() && static_cast<unsigned char>(utf8Text[ascii]) < 0x80) ++ascii;
    out->append(utf8Text, pos, ascii - pos);
    pos = ascii;
    if (pos == utf8Text.size()) break;
    long cp = -1;
    const std::size_t len = utf8::decodeAt(utf8Text, pos, &cp);
    const int b = byteOf1252(cp);
    if (b < 0) return false;
    out->push_back(static_cast<char>(b));
    pos += len;
  }
  return true;
}

}  // namespace

bool encodeWindows1252(const std::string& utf8Text, std::string* out) {
  std::string result;
  result.reserve(utf8Text.size());
  std::size_t pos = 0;
  while (pos < utf8Text.size()) {
    long cp = -1;
    const std::size_t len = utf8::decodeAt(utf8Text, pos, &cp);
    const int b = byteOf1252(cp);
    if (b < 0) return false;
    result.push_back(static_cast<char>(b));
    pos += len;
  }
  if (out != nullptr) *out = std::move(result);
  return true;
}

std::string decodeWindows1252(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (char c : bytes) utf8::append(&out, codeOf1252(static_cast<unsigned char>(c)));
  return out;
}

bool isUtf16Text(const std::string& bytes) {
  return isUtf16(bytes) || unmarkedUtf16Order(bytes) != Utf16Order::None;
}

std::string decodeText(const std::string& bytes) {
  if (bytes.rfind("\xFF\xFE", 0) == 0) return decodeUtf16(bytes.substr(2), false);
  if (bytes.rfind("\xFE\xFF", 0) == 0) return decodeUtf16(bytes.substr(2), true);
  switch (unmarkedUtf16Order(bytes)) {
    case Utf16Order::Little:
      return decodeUtf16(bytes, false);
    case Utf16Order::Big:
      return decodeUtf16(bytes, true);
    case Utf16Order::None:
      break;
  }
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
    const std::string body = bytes.substr(3);
    if (utf8::isValid(body)) return body;
    // A BOM over damaged UTF-8: keep the good sequences, read stray bytes as 1252.
    std::string out;
    std::size_t pos = 0;
    while (pos < body.size()) {
      long cp = -1;
      const std::size_t len = utf8::decodeAt(body, pos, &cp);
      if (cp < 0) cp = codeOf1252(static_cast<unsigned char>(body[pos]));
      utf8::append(&out, cp);
      pos += len;
    }
    return out;
  }
  if (utf8::isValid(bytes)) return bytes;
  return decodeWindows1252(bytes);
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string current;
  bool open = false;  // characters seen since the last line break
  for (std::size_t k = 0; k < text.size(); ++k) {
    const char c = text[k];
    if (c == '\r' || c == '\n') {
      lines.push_back(current);
      current.clear();
      open = false;
      if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;
    } else {
      current.push_back(c);
      open = true;
    }
  }
  if (open) lines.push_back(current);
  return lines;
}

bool readBytes(const std::string& path, std::string* bytes, std::string* error) {
  const std::string p = normalizePath(path);
  if (folderExists(p)) {
    setError(error, "Impossible de lire le fichier " + p + " : c'est un dossier");
    return false;
  }
  // A named pipe or a device is refused before it is opened; and the file is opened
  // without waiting, so that one put in its place meanwhile is refused at once too
  // instead of blocking until something writes to it.
  struct stat avant {};
  if (::stat(p.c_str(), &avant) == 0 && !S_ISREG(avant.st_mode)) {
    setError(error, "Impossible de lire le fichier " + p + " : ce n'est pas un fichier ordinaire");
    return false;
  }
  const int fd = ::open(p.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    setError(error, "Impossible d'ouvrir le fichier " + p + " : " + errnoText());
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    setError(error, "Impossible de lire le fichier " + p + " : ce n'est pas un fichier ordinaire");
    return false;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  std::string data;
  if (st.st_size > 0) data.reserve(static_cast<std::size_t>(st.st_size));
  std::array<char, 65536> buffer{};
  int failure = 0;
  for (;;) {
    const ssize_t got = ::read(fd, buffer.data(), buffer.size());
    if (got > 0) {
      data.append(buffer.data(), static_cast<std::size_t>(got));
    } else if (got == 0) {
      break;
    } else if (errno != EINTR) {
      failure = errno;
      break;
    }
  }
  ::close(fd);
  if (failure != 0) {
    setError(error, "Impossible de lire le fichier " + p + " : " + systemCause(failure));
    return false;
  }
  if (bytes != nullptr) *bytes = std::move(data);
  return true;
}

bool readText(const std::string& path, std::string* text, std::string* error) {
  std::string bytes;
  if (!readBytes(path, &bytes, error)) return false;
  if (text != nullptr) *text = decodeText(bytes);
  return true;
}

bool readLines(const std::string& path, std::vector<std::string>* lines, std::string* error) {
  std::string text;
  if (!readText(path, &text, error)) return false;
  if (lines != nullptr) *lines = splitLines(text);
  return true;
}

std::string encodeLines(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string encoded;
  encoded.reserve(size);
  for (const std::string& line : lines) {
    if (!append1252(line, &encoded)) return joinLines(lines);
    encoded += "\r\n";
  }
  return encoded;
}

bool saveFileAtomic(const std::string& path, const std::string& bytes, std::string* error) {
  const std::string p = normalizePath(path);
  if (p.empty()) {
    setError(error, "Impossible d'enregistrer : nom de fichier vide");
    return false;
  }
  if (folderExists(p)) {
    setError(error, "Impossible d'enregistrer le fichier " + p + " : c'est un dossier");
    return false;
  }
  const std::string target = saveTarget(p);
  // A replaced file keeps its permissions; a new one gets the usual 0666 less the umask.
  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0;
  if (replacing && refusedAsReadOnly(p, old, error)) return false;
  std::string temp;
  int failure = 0;
  const int fd = createTemporary(target, replacing ? (old.st_mode & 07777) : 0666, &temp, &failure);
  if (fd < 0) {
    // The file itself was not touched: the folder took no new file beside it.
    setError(error, "Impossible d'enregistrer le fichier " + p + " : impossible de créer un fichier dans le dossier " +
                        folderOf(target) + " : " +
                        ((failure == ENOENT || failure == ENOTDIR) && !folderExists(folderOf(target))
                             ? std::string("le dossier n'existe pas")
                             : systemCause(failure)));
    return false;
  }
  if (replacing) ::fchmod(fd, old.st_mode & 07777);  // the umask must not narrow it
  if (!writeAll(fd, bytes)) failure = errno;
  // The data must be on the disk before the rename makes them the file.
  if (failure == 0 && ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) failure = errno;
  if (::close(fd) != 0 && failure == 0 && errno != EINTR) failure = errno;
  if (failure == 0 && ::rename(temp.c_str(), target.c_str()) != 0) failure = errno;
  if (failure != 0) {
    ::unlink(temp.c_str());
    setError(error, saveError(p, failure));
    return false;
  }
  return true;
}

bool writeLines(const std::string& path, const std::vector<std::string>& lines,
                std::string* error) {
  return saveFileAtomic(path, encodeLines(lines), error);
}

bool appendLines(const std::string& path, const std::vector<std::string>& lines,
                 std::string* error) {
  const std::string p = normalizePath(path);
  if (!fileExists(p)) return saveFileAtomic(p, encodeLines(lines), error);
  // A read-only file is said so before its lines are read, whoever may read them.
  struct stat st {};
  if (::stat(saveTarget(p).c_str(), &st) == 0 && refusedAsReadOnly(p, st, error)) return false;
  std::string existing;
  if (!readBytes(p, &existing, error)) return false;
  const std::string text = joinLines(lines);
  std::string encoded;
  const bool fits1252 = encodeWindows1252(text, &encoded);
  // Bytes of another encoding cannot follow UTF-16: the whole file is written again.
  if (isUtf16Text(existing)) {
    const std::string whole = decodeText(existing) + text;
    std::string whole1252;
    return saveFileAtomic(p, encodeWindows1252(whole, &whole1252) ? whole1252 : whole, error);
  }
  // The earlier bytes are written again with the new ones and renamed over the file,
  // so that a failed write leaves the file as it was.
  if (looksUtf8(existing)) return saveFileAtomic(p, existing + text, error);
  if (fits1252) return saveFileAtomic(p, existing + encoded, error);
  if (!hasNonAscii(existing)) return saveFileAtomic(p, existing + text, error);
  // The file holds Windows-1252 characters and the new lines need UTF-8: the whole
  // file is written again in UTF-8 so that it reads back in one encoding.
  return saveFileAtomic(p, decodeText(existing) + text, error);
}

bool fileExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::is_regular_file(normalizePath(path), ec);
}

bool folderExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::is_directory(normalizePath(path), ec);
}

bool removeFile(const std::string& path) {
  const std::string p = normalizePath(path);
  if (!fileExists(p)) return false;
  std::error_code ec;
  return fs::remove(p, ec) && !ec;
}

bool copyFile(const std::string& from, const std::string& to, std::string* error) {
  std::string bytes;
  if (!readBytes(from, &bytes, error)) return false;
  return saveFileAtomic(to, bytes, error);
}

bool makeFolder(const std::string& path) {
  const std::string p = normalizePath(path);
  if (p.empty()) return false;
  std::error_code ec;
  fs::create_directories(p, ec);
  return folderExists(p);
}

std::string findFileNoCase(const std::string& folder, const std::string& name) {
  const std::string dir = stripTrailingSlashes(normalizePath(folder));
  const std::string wanted = normalizePath(name);
  if (wanted.empty()) return "";
  const std::string exact = joinPath(dir, wanted);
  std::error_code ec;
  if (fs::exists(exact, ec)) return exact;
  if (wanted.find('/') != std::string::npos) return "";
  std::vector<std::string> hits;
  const std::string target = fold(wanted);
  fs::directory_iterator it(dir.empty() ? std::string(".") : dir, ec);
  if (ec) return "";
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    const std::string entry = it->path().filename().string();
    if (fold(entry) == target) hits.push_back(entry);
  }
  if (hits.empty()) return "";
  std::sort(hits.begin(), hits.end());
  return joinPath(dir, hits.front());
}

std::vector<std::string> listFiles(const std::string& folder, const std::string& pattern) {
  return listEntries(folder, EntryKind::File, pattern);
}

std::vector<std::string> listFolders(const std::string& folder) {
  return listEntries(folder, EntryKind::Folder, "*");
}

std::string normalizePath(const std::string& path) {
  std::string out = path;
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

}  // namespace platform

#pragma once
// Text files as the program always wrote them: Windows-1252 with CR LF (UTF-8 when
// the text holds a character Windows-1252 lacks); read back from CR LF, LF or CR and
// from UTF-8 (with or without BOM), UTF-16 with its byte-order mark or Windows-1252.
// Whole-file saves are atomic.

#include <string>
#include <vector>

namespace platform {

// Windows-1252 <-> UTF-8. encode fails (false) when a character has no code.
bool encodeWindows1252(const std::string& utf8, std::string* out);
std::string decodeWindows1252(const std::string& bytes);
// Bytes of a file to UTF-8 text: UTF-16 (little- or big-endian) after its byte-order
// mark or, without one, recognised by its NULs (every second byte, none on the other
// side), a UTF-8 BOM or valid UTF-8 taken as UTF-8, else Windows-1252.
std::string decodeText(const std::string& bytes);
// True when decodeText reads the bytes as UTF-16 (with or without a byte-order mark).
bool isUtf16Text(const std::string& bytes);

// Splits text at CR LF, LF or CR. A final line break does not make an empty last line.
std::vector<std::string> splitLines(const std::string& text);

// Reads a whole text file as UTF-8 lines; false (and *error) when it cannot be read.
bool readLines(const std::string& path, std::vector<std::string>* lines,
               std::string* error = nullptr);
bool readText(const std::string& path, std::string* text, std::string* error = nullptr);
// Raw bytes of a regular file; a folder, a named pipe or a device is refused at once
// (false, *error saying so) and never opened for a blocking read.
bool readBytes(const std::string& path, std::string* bytes, std::string* error = nullptr);

// Each line followed by CR LF, encoded Windows-1252 (UTF-8 when needed).
std::string encodeLines(const std::vector<std::string>& lines);
// The cause of a failed file operation as the user is told it, from the system's error
// code: in French for those a user meets (disk full, read-only disk, permission
// refused, folder missing...), else the system's own text.
std::string systemCause(int code);

// Atomic save of lines / of raw bytes: temporary file in the same folder, every write
// checked, synced to the disk, then renamed over the target (a symbolic link's target
// is replaced, keeping its permissions). On failure (a full disk among them) the old
// file is left byte for byte, no temporary stays, false is returned and *error names
// the path and the cause (systemCause, "le disque est plein"). A file whose write
// permission bits are all off is read-only and never replaced, whoever runs the program.
bool writeLines(const std::string& path, const std::vector<std::string>& lines,
                std::string* error = nullptr);
bool saveFileAtomic(const std::string& path, const std::string& bytes,
                    std::string* error = nullptr);
// Appends lines (CR LF, same encoding rule) to a file, creating it. The file is
// written again atomically: a failure leaves its earlier bytes whole. The new lines
// take the file's encoding; a Windows-1252 file whose new lines need UTF-8 becomes
// UTF-8 as a whole, a UTF-16 one Windows-1252 (UTF-8 when needed).
bool appendLines(const std::string& path, const std::vector<std::string>& lines,
                 std::string* error = nullptr);

// File system helpers (paths with "/"; "\" also accepted as a separator).
bool fileExists(const std::string& path);      // a regular file, not a folder
bool folderExists(const std::string& path);
bool removeFile(const std::string& path);
bool copyFile(const std::string& from, const std::string& to, std::string* error = nullptr);
bool makeFolder(const std::string& path);
// The entry of `folder` whose name equals `name` ignoring case, as a full path; ""
// when there is none. An exact match wins over a case-insensitive one.
std::string findFileNoCase(const std::string& folder, const std::string& name);
// Names (not paths) of the files of a folder matching a wildcard pattern ("*.cal",
// "*.*", "*"), compared without case, sorted by name ignoring case.
std::vector<std::string> listFiles(const std::string& folder, const std::string& pattern = "*");
std::vector<std::string> listFolders(const std::string& folder);
// "\" turned into "/".
std::string normalizePath(const std::string& path);

}  // namespace platform

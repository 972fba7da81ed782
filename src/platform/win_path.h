#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

/// The separator this host puts between folder names when the program builds a path itself.
#ifdef _WIN32
inline constexpr char kPathDelim = '\\';
#else
inline constexpr char kPathDelim = '/';
#endif

/// Path names as a Windows program sees them: "\", "/" and ":" all end a folder or drive part.
/// These functions only take text apart; they never touch the disk.
bool IsPathDelimiter(char c);
/// The text after the last "\", "/" or ":".
std::string ExtractFileName(std::string_view path);
/// The text up to and including the last "\", "/" or ":"; empty when there is none.
std::string ExtractFilePath(std::string_view path);
/// The extension of the file name part, with its dot ("" when there is none).
std::string ExtractFileExt(std::string_view path);
/// The path with its extension replaced by `ext` (or `ext` appended when there was none).
std::string ChangeFileExt(std::string_view path, std::string_view ext);
/// True when the path starts with a drive letter and colon or with a "\\server" share name.
bool HasDrivePart(std::string_view path);
/// Appends `ext` unless the file name already ends in one of the extensions a source file name
/// may carry (".pas", ".dpr", ".dfm"). Dotted unit names such as `Vcl.Forms` count as having none.
std::string AppendExtensionIfMissing(std::string_view fileName, std::string_view ext);

/// True when `name` matches the wildcard `pattern` ("*" any run, "?" one character), letters
/// compared without regard to case as on Windows.
bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace tarnwick

#pragma once
// The one conversion between the window's file names (QString) and the file
// layer's paths, so accented and non-Latin names reach the same file on every
// platform.

#include <QString>

#include <filesystem>
#include <string>

namespace toolkit {

inline std::filesystem::path toPath(const QString& name) { return std::filesystem::path(name.toStdU16String()); }

inline QString fromPath(const std::filesystem::path& path) { return QString::fromStdU16String(path.u16string()); }

// Texts of the plain libraries are UTF-8.
inline QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace toolkit

#pragma once
// How text crosses between the recogniser and Qt. The recogniser's texts are single bytes
// (Latin-1); paths are the file system's own bytes, so a chosen file is the file opened.
#include <optional>
#include <string>

#include <QString>

class QWidget;

namespace parlomat::qt {

QString fromLatin1(const std::string& text);
// The text as Latin-1 bytes; nothing when a character does not fit in one byte.
std::optional<std::string> toLatin1(const QString& text);
// The text typed by the user as Latin-1 bytes. When a character does not fit, a message box
// tells the user so and nothing is returned: the caller treats it as a cancel.
std::optional<std::string> acceptTyped(const QString& text, QWidget* parent);

QString fromPath(const std::string& path);
std::string toPath(const QString& path);

// The title of boxes shown without one: the program's own name.
QString programTitle();

}  // namespace parlomat::qt

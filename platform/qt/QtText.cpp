#include "platform/qt/QtText.h"

#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>

namespace parlomat::qt {

QString fromLatin1(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<std::string> toLatin1(const QString& text) {
  for (QChar c : text) {
    if (c.unicode() > 0xFF) return std::nullopt;
  }
  QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

std::optional<std::string> acceptTyped(const QString& text, QWidget* parent) {
  std::optional<std::string> bytes = toLatin1(text);
  if (!bytes) {
    QMessageBox box(QMessageBox::Warning, programTitle(),
                    QStringLiteral("The text you entered contains characters that cannot be "
                                   "stored (only Western European letters, digits and signs "
                                   "can). Nothing was taken; please try again."),
                    QMessageBox::Ok, parent);
    box.exec();
  }
  return bytes;
}

QString fromPath(const std::string& path) {
  return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string toPath(const QString& path) {
  QByteArray bytes = QFile::encodeName(path);
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString programTitle() {
  return QGuiApplication::applicationDisplayName();
}

}  // namespace parlomat::qt

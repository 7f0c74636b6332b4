#include "editors/EditorWidgets.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

#include "platform/qt/QtText.h"

namespace parlomat::editors {

const char* const kGreenOnBlack =
    "QLineEdit, QComboBox { color: rgb(0, 250, 0); background-color: black;"
    " selection-background-color: rgb(0, 120, 0); selection-color: white; }"
    " QComboBox QAbstractItemView { color: rgb(0, 250, 0); background-color: black; }";

QToolButton* pictureButton(QWidget* parent, const char* name, Picture picture,
                           const QString& toolTip, const QString& label) {
  auto* b = new QToolButton(parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setIcon(pictureIcon(picture, 64));
  b->setIconSize(QSize(36, 36));
  b->setToolTip(toolTip);
  if (!label.isEmpty()) {
    b->setText(label);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  }
  return b;
}

void applyRule(QLineEdit* edit, std::string (*rule)(const std::string&)) {
  QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, rule](const QString& text) {
    const std::string now = lossyLatin1(text);
    const std::string ruled = rule(now);
    if (ruled == now) return;
    edit->setText(latin1(ruled));
    edit->selectAll();
  });
}

void makePlainEditable(QComboBox* combo) {
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setCompleter(nullptr);
}

std::string lossyLatin1(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString latin1(const std::string& text) {
  return qt::fromLatin1(text);
}

}  // namespace parlomat::editors

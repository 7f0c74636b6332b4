#include "platform/qt/QtDialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "platform/qt/QtText.h"

namespace parlomat {

namespace {

QMessageBox::Icon qtIcon(Icon icon) {
  switch (icon) {
    case Icon::Critical:
      return QMessageBox::Critical;
    case Icon::Question:
      return QMessageBox::Question;
    case Icon::Exclamation:
      return QMessageBox::Warning;
    case Icon::Information:
      return QMessageBox::Information;
    case Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QString titleOrProgram(const std::string& title) {
  return title.empty() ? qt::programTitle() : qt::fromLatin1(title);
}

}  // namespace

Answer QtDialogs::messageBox(const std::string& text, const std::string& title, Buttons buttons,
                             Icon icon) {
  QMessageBox box(qtIcon(icon), titleOrProgram(title), qt::fromLatin1(text), QMessageBox::NoButton,
                  parent_);
  if (buttons == Buttons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    // Closing the box without choosing is the safe answer.
    box.setEscapeButton(QMessageBox::No);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
  }
  box.exec();
  if (buttons == Buttons::Ok) return Answer::Ok;
  return box.clickedButton() == box.button(QMessageBox::Yes) ? Answer::Yes : Answer::No;
}

std::string QtDialogs::inputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
  QInputDialog dialog(parent_);
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setWindowTitle(titleOrProgram(title));
  dialog.setLabelText(qt::fromLatin1(prompt));
  dialog.setTextValue(qt::fromLatin1(defaultText));
  if (dialog.exec() != QDialog::Accepted) return {};
  return qt::acceptTyped(dialog.textValue(), parent_).value_or(std::string());
}

std::string QtDialogs::openFile(const std::string& title, const std::string& fileName,
                                const std::string& filter) {
  QFileDialog dialog(parent_, titleOrProgram(title));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // A name not yet on disk may be typed: the editors create a missing file when they open it.
  dialog.setFileMode(QFileDialog::AnyFile);
  if (!filter.empty()) dialog.setNameFilter(qt::fromLatin1(filter));
  if (!fileName.empty()) dialog.selectFile(qt::fromPath(fileName));
  if (dialog.exec() != QDialog::Accepted) return fileName;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return fileName;
  return qt::toPath(chosen.first());
}

}  // namespace parlomat

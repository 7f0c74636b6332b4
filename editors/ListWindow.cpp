#include "editors/ListWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QVBoxLayout>

#include "platform/qt/QtText.h"

namespace parlomat::editors {

ListWindow::ListWindow(const QString& name, const QString& caption, QWidget* editor)
    : QWidget(editor,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      editor_(editor),
      combo_(new QComboBox(this)) {
  setObjectName(name);
  setWindowTitle(caption);
  combo_->setObjectName(QStringLiteral("Combo1"));
  // The lines line up their columns with spaces.
  combo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  combo_->setMaxVisibleItems(20);
  combo_->setMinimumContentsLength(44);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->addWidget(combo_);
  layout->addStretch();
  connect(combo_, &QComboBox::activated, this, [this](int index) {
    if (onChosen) onChosen(qt::toLatin1(combo_->itemText(index)).value_or(std::string()));
  });
  setFixedSize(460, combo_->sizeHint().height() + 24);
}

void ListWindow::setTopMargin(int pixels) {
  layout()->setContentsMargins(12, pixels, 12, 12);
  setFixedSize(width(), combo_->sizeHint().height() + pixels + 12);
}

void ListWindow::appendLine(const std::string& line) {
  combo_->addItem(qt::fromLatin1(line));
}

void ListWindow::clearLines() {
  combo_->clear();
}

std::vector<std::string> ListWindow::lines() const {
  std::vector<std::string> out;
  for (int i = 0; i < combo_->count(); ++i) {
    out.push_back(qt::toLatin1(combo_->itemText(i)).value_or(std::string()));
  }
  return out;
}

void ListWindow::dismiss() {
  dismissing_ = true;
  close();
  dismissing_ = false;
}

void ListWindow::closeEvent(QCloseEvent* event) {
  clearLines();
  event->accept();
  if (!dismissing_ && editor_ && editor_->isVisible()) {
    editor_->raise();
    editor_->activateWindow();
  }
}

}  // namespace parlomat::editors

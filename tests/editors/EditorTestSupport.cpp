#include "tests/editors/EditorTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QTest>

#include "editors/Database.h"
#include "editors/DatabaseVE.h"
#include "platform/RecordFile.h"

namespace parlomat::testing {

LanguageRecord languageRecord(int32_t refNo, const std::string& name, const std::string& font,
                              int16_t divisions, int32_t time, const Protocols& protocols) {
  LanguageRecord r = LanguageRecord::blank(refNo);
  LanguageRecord::setText(r.name, name);
  LanguageRecord::setText(r.fontName, font);
  r.divisionCount = divisions;
  r.totalTimeLength = time;
  r.entryCount = static_cast<int16_t>(protocols.size());
  for (size_t i = 0; i < protocols.size(); ++i) {
    LanguageRecord::setText(r.protocols[i + 1], protocols[i].first);
    r.ratings[i + 1] = protocols[i].second;
  }
  return r;
}

VocabularyRecord vocabularyRecord(int32_t refNo, const std::string& name, int valleys) {
  VocabularyRecord r = VocabularyRecord::blank(refNo);
  r.setName(name);
  for (int i = 0; i <= std::min(valleys + 3, 1200); ++i) {
    r.valleys[static_cast<size_t>(i)] = 7 + 3 * i + refNo;
  }
  r.valleyCount = static_cast<int16_t>(valleys);
  return r;
}

namespace {

template <typename Record>
void writeRecords(const std::string& path, const std::vector<Record>& records) {
  std::vector<uint8_t> bytes;
  for (const Record& r : records) {
    const auto b = r.toBytes();
    bytes.insert(bytes.end(), b.begin(), b.end());
  }
  writeFile(path, bytes);
}

template <typename Record>
std::vector<Record> readRecords(const std::string& path) {
  const std::vector<uint8_t> bytes = readFile(path);
  std::vector<Record> out;
  for (size_t at = 0; at < bytes.size(); at += Record::kLength) {
    const size_t n = std::min<size_t>(Record::kLength, bytes.size() - at);
    out.push_back(Record::fromBytes(std::span<const uint8_t>(bytes.data() + at, n)));
  }
  return out;
}

template <typename Record>
void expectRecords(const std::string& path, const std::vector<Record>& expected) {
  const std::vector<uint8_t> bytes = readFile(path);
  ASSERT_EQ(bytes.size(), expected.size() * Record::kLength) << path;
  for (size_t n = 0; n < expected.size(); ++n) {
    const auto want = expected[n].toBytes();
    EXPECT_TRUE(std::equal(want.begin(), want.end(), bytes.begin() + n * Record::kLength))
        << "record " << n + 1 << " of " << path;
  }
}

}  // namespace

void writeLanguageFile(const std::string& path, const std::vector<LanguageRecord>& records) {
  writeRecords(path, records);
}
void writeVocabularyFile(const std::string& path, const std::vector<VocabularyRecord>& records) {
  writeRecords(path, records);
}
std::vector<LanguageRecord> readLanguageFile(const std::string& path) {
  return readRecords<LanguageRecord>(path);
}
std::vector<VocabularyRecord> readVocabularyFile(const std::string& path) {
  return readRecords<VocabularyRecord>(path);
}
void expectLanguageFile(const std::string& path, const std::vector<LanguageRecord>& records) {
  expectRecords(path, records);
}
void expectVocabularyFile(const std::string& path, const std::vector<VocabularyRecord>& records) {
  expectRecords(path, records);
}

EditorFixture::EditorFixture() : windows(*engine) {
  sim.platform().windows = &windows;
}

EditorFixture::~EditorFixture() {
  sim.platform().windows = &sim.windows;
  EXPECT_EQ(sim.dialogs.pending(), 0u) << "answers left unused";
}

QWidget* EditorFixture::languageEditor() const {
  return windows.languageEditor();
}

QWidget* EditorFixture::vocabularyEditor() const {
  return windows.vocabularyEditor();
}

namespace {
QAction* findAction(QWidget* window, const std::string& item) {
  return window ? window->findChild<QAction*>(QString::fromStdString(item)) : nullptr;
}
}  // namespace

bool EditorFixture::reachable(QWidget* window, const std::string& item) const {
  QAction* a = findAction(window, item);
  if (!a) return false;
  for (;;) {
    if (!a->isVisible() || !a->isEnabled()) return false;
    QMenu* menu = nullptr;
    for (QObject* o : a->associatedObjects()) {
      if ((menu = qobject_cast<QMenu*>(o))) break;
    }
    if (!menu) return true;
    a = menu->menuAction();
  }
}

void EditorFixture::trigger(QWidget* window, const std::string& item) {
  QAction* a = findAction(window, item);
  ASSERT_NE(a, nullptr) << item;
  ASSERT_TRUE(reachable(window, item)) << item;
  a->trigger();
}

void EditorFixture::click(QWidget* window, const std::string& button) {
  auto* b = child<QAbstractButton>(window, button);
  ASSERT_NE(b, nullptr);
  ASSERT_TRUE(b->isVisibleTo(window)) << button << " is hidden";
  ASSERT_TRUE(b->isEnabled()) << button << " is disabled";
  QTest::mouseClick(b, Qt::LeftButton);
}

void EditorFixture::type(QLineEdit* edit, const std::string& text, bool replace) {
  ASSERT_NE(edit, nullptr);
  if (replace) {
    edit->selectAll();
  } else {
    edit->end(false);
  }
  QTest::keyClicks(edit, QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

void EditorFixture::choose(QComboBox* combo, int index) {
  ASSERT_NE(combo, nullptr);
  ASSERT_LT(index, combo->count());
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

std::vector<std::string> EditorFixture::items(QComboBox* combo) const {
  std::vector<std::string> out;
  for (int i = 0; combo && i < combo->count(); ++i) {
    out.push_back(combo->itemText(i).toLatin1().toStdString());
  }
  return out;
}

std::string EditorFixture::text(QWidget* window, const std::string& name) const {
  QWidget* w = child<QWidget>(window, name);
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text().toLatin1().toStdString();
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text().toLatin1().toStdString();
  if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText().toLatin1().toStdString();
  ADD_FAILURE() << name << " has no text";
  return {};
}

std::vector<std::string> EditorFixture::boxes() {
  std::vector<std::string> out;
  for (const DialogRecord& r : takeBoxes()) {
    switch (r.kind) {
      case DialogRecord::Kind::Message:
        out.push_back(r.title + "|" + r.text + "|" + buttonsName(r.buttons) + "|" +
                      iconName(r.icon));
        break;
      case DialogRecord::Kind::Input:
        out.push_back("input|" + r.title + "|" + r.text + "|" + r.defaultText);
        break;
      case DialogRecord::Kind::File:
        out.push_back("file|" + r.text + "|" + r.title + "|" + r.defaultText);
        break;
    }
  }
  return out;
}

}  // namespace parlomat::testing

#include "tests/hosts/HostTestSupport.h"

#include <QToolButton>

#include "control/Parlomat.h"

namespace parlomat::testing {

LexbenchFixture::LexbenchFixture() {
  sim.registry.registerFactory(Parlomat::kProgId, [this] {
    return std::make_unique<hosts::RecordingDispatch>(std::make_unique<Parlomat>(engine), log);
  });
}

LexbenchFixture::~LexbenchFixture() {
  window.reset();
}

void LexbenchFixture::makeWindow(RecordFiles* files) {
  hosts::HostServices services{sim.registry, sim.dialogs, files ? *files : sim.files, folder(),
                               [this] { ++ended; }};
  window = std::make_unique<lexbench::LexbenchWindow>(services);
}

QAction* LexbenchFixture::action(const std::string& name) const {
  QAction* a = window->findChild<QAction*>(QString::fromStdString(name));
  EXPECT_NE(a, nullptr) << name;
  return a;
}

QString LexbenchFixture::caption(const std::string& name) const {
  QAction* a = action(name);
  return a ? a->text() : QString();
}

bool LexbenchFixture::checked(const std::string& name) const {
  QAction* a = action(name);
  return a && a->isCheckable() && a->isChecked();
}

void LexbenchFixture::trigger(const std::string& name) {
  QAction* a = action(name);
  ASSERT_NE(a, nullptr);
  ASSERT_TRUE(a->isEnabled()) << name;
  a->trigger();
}

void LexbenchFixture::click(const std::string& name) {
  auto* b = widget<QToolButton>(name);
  ASSERT_NE(b, nullptr);
  b->click();
}

std::vector<std::string> LexbenchFixture::takeCalls() {
  std::vector<std::string> out = log.lines();
  log.clear();
  return out;
}

void LexbenchFixture::writeSettings(
    const std::vector<std::pair<lexbench::Field, std::string>>& texts, int32_t recordNumber) {
  lexbench::UserSettingsRecord r;
  r.recordNumber = recordNumber;
  for (const auto& [field, text] : texts) r.fields[field] = text;
  const auto bytes = r.toBytes();
  writeFile(settingsPath(), std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

void LexbenchFixture::load() {
  trigger("mnuOSO");
  log.clear();
}

}  // namespace parlomat::testing

#include "hosts/tarnwick/PowerRequest.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QProcess>

namespace parlomat::tarnwick {

namespace {

// How long logind may take to answer: polkit may first ask the user for a password.
constexpr int kLogindWaitMs = 120000;

bool askLogind(const QString& method) {
  QDBusConnection bus = QDBusConnection::systemBus();
  if (!bus.isConnected()) return false;
  QDBusInterface manager(QStringLiteral("org.freedesktop.login1"),
                         QStringLiteral("/org/freedesktop/login1"),
                         QStringLiteral("org.freedesktop.login1.Manager"), bus);
  if (!manager.isValid()) return false;
  manager.setTimeout(kLogindWaitMs);
  // The window keeps painting while polkit asks; the caller guards against a second request.
  const QDBusMessage reply = manager.call(QDBus::BlockWithGui, method, true);
  return reply.type() == QDBusMessage::ReplyMessage;
}

}  // namespace

SystemPowerControl::Backend SystemPowerControl::systemBackend() {
  return Backend{askLogind, [](const QStringList& arguments) {
                   QProcess::startDetached(QStringLiteral("systemctl"), arguments);
                 }};
}

void SystemPowerControl::request(Request r) {
  const bool shutdown = r == Request::Shutdown;
  if (backend_.logind(shutdown ? QStringLiteral("PowerOff") : QStringLiteral("Reboot"))) return;
  backend_.systemctl({shutdown ? QStringLiteral("poweroff") : QStringLiteral("reboot")});
}

void DryRunPowerControl::request(Request r) {
  out_ << "power-request: " << (r == Request::Shutdown ? "shutdown" : "restart") << std::endl;
}

std::unique_ptr<PowerControl> makePowerControl(std::ostream& out) {
  if (qgetenv(kDryRunVariable) == "1") return std::make_unique<DryRunPowerControl>(out);
  return std::make_unique<SystemPowerControl>();
}

}  // namespace parlomat::tarnwick

#include "HostedProcess.h"

#include <QProcessEnvironment>

namespace {

// devsim and ser2net start within seconds; a loaded machine gets ample room.
constexpr int AnswerMs = 60000;

QString hostAddress() {
    return QProcessEnvironment::systemEnvironment().value(QStringLiteral("REDAVIV_SERVED_DEVICES"));
}

} // namespace

bool HostedProcess::hostNamed() {
    return !hostAddress().isEmpty();
}

QString HostedProcess::fromHost(const QString& linuxPath) {
    return QStringLiteral("Z:") + linuxPath;
}

QStringList HostedProcess::start(const QString& program, const QStringList& arguments) {
    const QString address = hostAddress();
    control_.connectToHost(address.section(':', 0, -2), address.section(':', -1).toUShort());
    if (!control_.waitForConnected(AnswerMs))
        return {};
    const QStringList answer = ask(QStringList{QStringLiteral("start"), program} + arguments);
    running_ = answer.value(0) == QLatin1String("started");
    return running_ ? answer.mid(1) : QStringList{};
}

void HostedProcess::end(const QString& how) {
    if (running_)
        ask({how});
    running_ = false;
}

// One request, one answer, each a line of fields separated by tabs.
QStringList HostedProcess::ask(const QStringList& request) {
    control_.write(request.join('\t').toUtf8() + '\n');
    while (!control_.canReadLine()) {
        if (!control_.waitForReadyRead(AnswerMs))
            return {};
    }
    return QString::fromUtf8(control_.readLine()).trimmed().split('\t');
}

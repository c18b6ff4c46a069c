#include "NetworkAddress.h"
#include "User_interface.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Redaviv"));
    QApplication::setApplicationVersion(QStringLiteral(REDAVIV_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("HDMI EDID emulator tool"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("Probe only this serial port (repeatable; in the order given). A box "
                       "behind a network serial server: tcp://HOST:PORT (raw bytes) or "
                       "rfc2217://HOST:PORT (Telnet COM port control)."),
        QStringLiteral("PATH"));
    parser.addOption(port);
    parser.process(app);
    const QStringList ports = parser.values(port);
    for (const QString& name : ports) {
        std::string error;
        // A usage error, told as the parser tells its own.
        if (isNetworkName(name) && !parseNetworkName(name, &error)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(QApplication::applicationName()),
                         error.c_str());
            return 1;
        }
    }

    try {
        TForm1 form(ports);
        form.show();
        return QApplication::exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Redaviv"), QString::fromLocal8Bit(e.what()));
        return 1;
    }
}

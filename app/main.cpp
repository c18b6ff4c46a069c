#include "User_interface.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include <exception>

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
        QStringLiteral("Probe only this serial port (repeatable; in the order given)."),
        QStringLiteral("PATH"));
    parser.addOption(port);
    parser.process(app);

    try {
        TForm1 form(parser.values(port));
        form.show();
        return QApplication::exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Redaviv"), QString::fromLocal8Bit(e.what()));
        return 1;
    }
}

#include "SerialLine.h"

#include "LineHangUp.h"
#include "PortNames.h"

#ifdef Q_OS_LINUX
#include <QFile>

#include <unistd.h>
#endif

namespace {

// A read error that comes again before any byte was read is a line that is gone.
constexpr int RepeatedReadErrors = 2;

#ifdef Q_OS_LINUX
// Why a port the system refused could not be opened. The refusal also covers a port that
// another program holds: then this user may read and write the device node.
LineOpen refusal(const QString& path) {
    const bool allowed = ::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0;
    return allowed ? LineOpen::Busy : LineOpen::Forbidden;
}
#endif

} // namespace

SerialLine::SerialLine() {
    connect(&port_, &QSerialPort::errorOccurred, this, &SerialLine::failed);
    // Bytes arrived, whoever reads them: the line works, and a later read error starts
    // the count anew.
    connect(&port_, &QSerialPort::readyRead, this, [this] {
        readErrors_ = 0;
        emit bytesArrived();
    });
}

LineOpen SerialLine::open(const QString& name) {
    const QString path = portOpenPath(name);
    port_.setPortName(path);
    if (!port_.open(QIODevice::ReadWrite)) {
#ifdef Q_OS_LINUX
        if (port_.error() == QSerialPort::PermissionError)
            return refusal(path);
#endif
        return LineOpen::Refused;
    }
    readErrors_ = 0;
    const bool configured =
        port_.setBaudRate(QSerialPort::Baud57600) && port_.setDataBits(QSerialPort::Data8) &&
        port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop);
    if (configured)
        return LineOpen::Opened;
    port_.close();
    return LineOpen::Unconfigured;
}

void SerialLine::write(const QByteArray& bytes) {
    port_.write(bytes);
    port_.flush();
}

void SerialLine::waitForBytes(int maxWaitMs) {
    port_.clearError();
    if (port_.bytesAvailable() == 0)
        port_.waitForReadyRead(maxWaitMs);
}

void SerialLine::close() {
    readErrors_ = 0;
    port_.close();
}

void SerialLine::failed(QSerialPort::SerialPortError error) {
    // A vanished port (device unplugged) or a hung-up line keeps signalling as fast as the
    // system can report it.
    const bool readFailed = error == QSerialPort::ReadError;
    if (readFailed)
        ++readErrors_;
    const bool gone = error == QSerialPort::ResourceError ||
                      (readFailed && (readErrors_ >= RepeatedReadErrors || lineHungUp(port_)));
    if (gone && port_.isOpen())
        emit lost();
}

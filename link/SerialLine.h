#pragma once
#include "Line.h"

#include <QSerialPort>

// A local serial port as the line.
class SerialLine : public Line {
    Q_OBJECT
public:
    SerialLine();

    LineOpen open(const QString& name) override;
    bool isOpen() const override { return port_.isOpen(); }
    QString systemName() const override { return port_.portName(); }
    void write(const QByteArray& bytes) override;
    qint64 bytesWaiting() const override { return port_.bytesAvailable(); }
    qint64 read(char* into, qint64 max) override { return port_.read(into, max); }
    void waitForBytes(int maxWaitMs) override;
    void discardInput() override { port_.clear(QSerialPort::Input); }
    void close() override;

private:
    void failed(QSerialPort::SerialPortError error);

    QSerialPort port_;
    // Read errors since the last bytes read; a hung-up line repeats them endlessly.
    int readErrors_ = 0;
};

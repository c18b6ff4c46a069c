#include "PortNames.h"

#include "NetworkAddress.h"

#include <QSerialPort>
#include <QSerialPortInfo>

#ifdef Q_OS_WIN
#include "IntegerText.h"
#endif

QStringList platformSerialPorts() {
    QStringList ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
        ports.append(info.portName());
#else
        ports.append(info.systemLocation());
#endif
    }
    return ports;
}

QString portOpenPath(const QString& name) {
#ifdef Q_OS_WIN
    if (StrToInt(name.mid(3, 2).toStdString()) >= 10)
        return QStringLiteral("\\\\.\\") + name;
#endif
    return name;
}

QString portSystemName(const QString& name) {
    // A network line goes by the name it was given.
    if (isNetworkName(name))
        return name;
    QSerialPort port;
    port.setPortName(portOpenPath(name));
    return port.portName();
}

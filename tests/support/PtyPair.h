#pragma once
#include "Line.h"

#include <QByteArray>
#include <QString>

#include <memory>

// A raw pseudo-terminal: the link opens the slave path as its serial port, the test
// plays the device on the master side.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return master_ >= 0; }
    QString slavePath() const { return path_; }
    // The slave side as a serial line, opened as a search opens one (closed when that
    // failed).
    std::unique_ptr<Line> openLine() const;
    void send(const QByteArray& bytes);
    // Everything the host has written so far (non-blocking).
    QByteArray received();

private:
    int master_ = -1;
    int slave_ = -1;
    QString path_;
};

#include "WindowReporter.h"

#include "Colour.h"
#include "LogText.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

namespace {
// The log holds "\r\n" breaks and raw device bytes; the memo shows them as Latin-1 lines.
QString forDisplay(const std::string& text) {
    QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    shown.remove(QLatin1Char('\r'));
    shown.replace(QLatin1Char('\0'), QLatin1Char(' '));
    return shown;
}
} // namespace

WindowReporter::WindowReporter(LogText& log, QPlainTextEdit& memo, QLabel& label2, QLabel& label3,
                               QLabel& label1)
    : log_(log), memo_(memo), label2_(label2), label3_(label3), label1_(label1) {}

void WindowReporter::replaceLog(const std::string& text) {
    log_.replace(text);
    showWhole();
}

void WindowReporter::appendLog(const std::string& text) {
    log_.append(text);
    log_.trimmed() ? showWhole() : showAppended(text);
}

void WindowReporter::addLogLine(const std::string& text) {
    const std::size_t before = log_.text().size();
    log_.addLine(text);
    log_.trimmed() ? showWhole() : showAppended(log_.text().substr(before));
}

void WindowReporter::showWhole() {
    memo_.setPlainText(forDisplay(log_.text()));
    memo_.moveCursor(QTextCursor::End);
}

void WindowReporter::showAppended(const std::string& added) {
    QTextCursor cursor(memo_.document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(forDisplay(added));
    memo_.verticalScrollBar()->setValue(memo_.verticalScrollBar()->maximum());
}

QLabel& WindowReporter::statusLabel(StatusLabel label) const {
    switch (label) {
    case StatusLabel::Upload:
        return label2_;
    case StatusLabel::CreatorUpload:
        return label3_;
    case StatusLabel::Firmware:
        break;
    }
    return label1_;
}

void WindowReporter::setStatusText(StatusLabel label, const std::string& text) {
    statusLabel(label).setText(QString::fromLatin1(text.c_str()));
}

void WindowReporter::setStatusColour(StatusLabel label, std::uint32_t bgr) {
    QLabel& target = statusLabel(label);
    QPalette palette = target.palette();
    palette.setColor(QPalette::WindowText, colourFromBgr(bgr));
    target.setPalette(palette);
}

// Developer tool: writes a PNG of every page of the main window (and of the creator's
// sub-pages) so changes to the window can be looked at, and controls.json: for each page,
// the position in its parent and the size of every named control shown, so that two
// builds' layouts can be compared. Not installed.
//   redaviv-screenshot OUTDIR [--connect] [--port PATH]... [--font FILE]... [--points N]
// --font makes the font in FILE the window's (give the bold face's file too) at N points
// (9 unless given): with Qt's own -style Fusion, the look no longer depends on the
// system's style and fonts, so that two systems' layouts can be compared to the pixel.
#include "User_interface.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QThread>

#include <cstdio>

namespace {

void settle(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

// Every named control shown, by name: its class, its parent and its rectangle in the
// parent. Qt's own inner widgets ("qt_...") are left out.
QJsonObject controlsShown(QWidget& window) {
    QJsonObject controls;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || !control->isVisible())
            continue;
        controls.insert(name, QJsonObject{{"class", control->metaObject()->className()},
                                          {"parent", control->parentWidget()->objectName()},
                                          {"x", control->x()},
                                          {"y", control->y()},
                                          {"width", control->width()},
                                          {"height", control->height()}});
    }
    return controls;
}

bool save(QWidget& window, const QDir& dir, const QString& name, QJsonObject& pages) {
    settle(150);
    const QString path = dir.filePath(name + QStringLiteral(".png"));
    const bool ok = window.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "failed", qPrintable(path));
    pages.insert(name, controlsShown(window));
    return ok;
}

// The family of the font files, registered for this program; empty when one fails.
QString addFonts(const QStringList& files) {
    QString family;
    for (const QString& file : files) {
        const QStringList families =
            QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(file));
        if (families.isEmpty()) {
            std::fprintf(stderr, "redaviv-screenshot: cannot load the font %s\n", qPrintable(file));
            return {};
        }
        family = families.first();
    }
    return family;
}

bool saveControls(const QDir& dir, const QJsonObject& pages) {
    QFile file(dir.filePath(QStringLiteral("controls.json")));
    const bool ok = file.open(QIODevice::WriteOnly) &&
                    file.write(QJsonDocument(pages).toJson()) >= 0 && file.flush();
    std::printf("%s %s\n", ok ? "wrote" : "failed", qPrintable(file.fileName()));
    return ok;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: redaviv-screenshot OUTDIR [--connect] [--port PATH]... "
                             "[--font FILE]... [--points N]\n");
        return 2;
    }
    const QDir dir(args.takeFirst());
    QStringList ports;
    QStringList fonts;
    int points = 9;
    bool connectFirst = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--connect"))
            connectFirst = true;
        else if (args[i] == QLatin1String("--port") && i + 1 < args.size())
            ports << args[++i];
        else if (args[i] == QLatin1String("--font") && i + 1 < args.size())
            fonts << args[++i];
        else if (args[i] == QLatin1String("--points") && i + 1 < args.size())
            points = args[++i].toInt();
    }
    if (!fonts.isEmpty()) {
        const QString family = addFonts(fonts);
        if (family.isEmpty() || points <= 0)
            return 2;
        QFont font(family, points);
        font.setHintingPreference(QFont::PreferFullHinting);
        QApplication::setFont(font);
    }

    TForm1 form(ports);
    form.show();
    settle(300);
    if (connectFirst) {
        auto* search = form.control<QPushButton>("BitBtn_Search");
        search->click();
        for (int i = 0; i < 50 && search->isEnabled(); ++i)
            settle(100);
        // Show a summary on the analyser page: read the Internal EDID once.
        auto* internal = form.control<QRadioButton>("RadioButton_Analysis_IntEdid");
        if (internal->isEnabled()) {
            internal->click();
            settle(3000);
        }
    }

    bool ok = true;
    QJsonObject shown;
    auto* pages = form.control<QTabWidget>("PageControl1");
    auto* editor = form.control<QTabWidget>("PageControl2");
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        const QString name =
            QStringLiteral("page%1-%2").arg(i + 1).arg(pages->widget(i)->objectName());
        ok = save(form, dir, name, shown) && ok;
        if (pages->widget(i)->isAncestorOf(editor)) {
            for (int k = 0; k < editor->count(); ++k) {
                editor->setCurrentIndex(k);
                ok = save(form, dir,
                          name + QStringLiteral("-%1-%2").arg(k + 1).arg(
                                     editor->widget(k)->objectName()),
                          shown) &&
                     ok;
            }
            editor->setCurrentIndex(0);
        }
    }
    ok = saveControls(dir, shown) && ok;
    return ok ? 0 : 1;
}

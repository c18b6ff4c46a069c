#pragma once
#include <QObject>

class AudioScrollBox;
class CreatorRules;
class Prompts;
class QLabel;
class QTabWidget;

// The creator's editor: builds the seven sub-pages of `PageControl2` and connects the
// rules that act while the user edits (input limits, speaker pairs, collapsible rows,
// the Audio2 page's focus). Every control is reached by its layout name.
class CreatorPanel : public QObject {
    Q_OBJECT
public:
    // `pages` holds the empty sub-pages TabSheet5 ... TabSheet12; `warning` is the one
    // warning line of all input rules.
    CreatorPanel(QTabWidget& pages, QLabel& warning, Prompts& prompts);

    // Gives the Audio2 list the keyboard focus, so wheel turns over the page reach it.
    void TabSheet11Show();

protected:
    // Watches the Audio2 page: it is shown when its tab is chosen or the creator's page
    // comes into view on it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectSpeakerPairs();
    void connectAudioRows();
    void connectHdrRow();

    QTabWidget& pages_;
    AudioScrollBox* scrollBox_;
};

#pragma once
#include <QObject>

class Prompts;
class QLabel;
class QLineEdit;
class QWidget;

// The input rules of the editor's edits: on every change of an edit's text (typed, pasted
// or set by a load) its rule checks the value against the edit's limit and shows the
// verdict in the one warning line and in the edit's font colour. A rule never changes the
// text and never refuses it. A number that does not convert ends the rule with the
// standard error box.
class CreatorRules : public QObject {
    Q_OBJECT
public:
    // A rule's test of a text; `over` may throw ConversionError.
    struct Limit {
        bool (*silent)(const QString& text);
        bool (*over)(const QString& text);
        const char* message;
    };

    // Connects the rules of the edits found under `editor` by name.
    CreatorRules(QWidget& editor, QLabel& warning, Prompts& prompts);

private:
    // Runs when `changed` changes its text; reads and colours `source`.
    void attach(QWidget& editor, const char* changed, const char* source, const Limit& limit);
    void check(QLineEdit& source, const Limit& limit);

    QLabel& warning_;
    Prompts& prompts_;
};

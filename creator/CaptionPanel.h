#pragma once
#include <QFrame>

class QCheckBox;
class QLabel;

// One row of the editor: a raised panel whose caption (its label after five blanks) sits
// at the left of its first line; the row's controls are placed on it by their creators.
class CaptionPanel : public QFrame {
    Q_OBJECT
public:
    // Height of one line of controls, and of a collapsed row.
    static constexpr int kLineHeight = 23;

    // The caption is centred on the first line, `lineHeight` high; the row is `height`
    // high (one line when 0).
    CaptionPanel(QWidget* parent, const QString& label, int lineHeight = kLineHeight,
                 int height = 0);

    QString caption() const;

    // The row is `expandedHeight` high while `box` is ticked, one line while it is not.
    void expandWith(QCheckBox* box, int expandedHeight);

signals:
    // The row's height was changed by its box (the rows below it must move).
    void heightChanged();

private:
    QLabel* caption_;
};

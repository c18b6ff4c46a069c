#pragma once
#include <CreatorModel.h>

#include <QObject>

#include <array>
#include <utility>
#include <vector>

class AudioScrollBox;
class Prompts;
class QCheckBox;
class QLabel;
class QLineEdit;
class QTabWidget;

// The creator's editor: builds the seven sub-pages of `PageControl2` and mirrors the
// creator's model both ways. A user's edit or tick goes to the model, whose rules decide
// the new state; the model's state is then shown in every control. The panel itself only
// keeps the view's own behaviour: collapsible rows and the Audio2 page's focus.
class CreatorPanel : public QObject {
    Q_OBJECT
public:
    // `pages` holds the empty sub-pages TabSheet5 ... TabSheet12; `warning` is the one
    // warning line of all input rules.
    CreatorPanel(QTabWidget& pages, QLabel& warning, Prompts& prompts);

    CreatorModel& model() { return model_; }
    // Shows the model in every control (after the model was changed elsewhere).
    void showModel();

    // Gives the Audio2 list the keyboard focus, so wheel turns over the page reach it.
    void TabSheet11Show();

protected:
    // Watches the Audio2 page: it is shown when its tab is chosen or the creator's page
    // comes into view on it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bindEdits();
    void bindBoxes();
    void connectAudioRows();
    void connectHdrRow();
    void editChanged(CreatorEdit edit, QLineEdit& control);
    void boxToggled(CreatorBox box, bool ticked);

    QTabWidget& pages_;
    QLabel& warning_;
    Prompts& prompts_;
    AudioScrollBox* scrollBox_;
    CreatorModel model_;
    std::array<QLineEdit*, CreatorEditCount> edits_{};
    std::vector<std::pair<CreatorBox, QCheckBox*>> boxes_;
    // Set while the model is being shown: the controls' change signals are then the
    // model's own changes, not the user's.
    bool showing_ = false;
};

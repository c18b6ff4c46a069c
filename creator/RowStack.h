#pragma once
#include <QWidget>

#include <vector>

class CaptionPanel;

// Rows stacked from the top at their own heights and at the stack's full width. When a
// row changes its height the rows below it move; rows past the bottom are cut off.
class RowStack : public QWidget {
    Q_OBJECT
public:
    explicit RowStack(QWidget* parent);

    // Takes `row` as a child and puts it below the rows added before.
    void add(CaptionPanel* row);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void restack();

    std::vector<CaptionPanel*> rows_;
};

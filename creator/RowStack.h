#pragma once
#include <QWidget>

#include <vector>

// Rows stacked from the top at their own heights and at the stack's full width. When a
// row changes its height the rows below it move; rows past the bottom are cut off.
class RowStack : public QWidget {
    Q_OBJECT
public:
    explicit RowStack(QWidget* parent);

    // Takes `row` as a child and puts it below the rows added before.
    void add(QWidget* row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void restack();

    std::vector<QWidget*> rows_;
};

#pragma once

#include <QScrollBar>

namespace yw {

// A small vertical scroll bar beside a number box that steps the way users expect: the up arrow,
// the Up key, the wheel turned up and the top end raise the number. A plain vertical bar runs
// the other way (its top is the least value), as the 1997 bars did; this one holds the negated
// number, so what is stored never changes.
class NumberBar : public QScrollBar
{
    Q_OBJECT
public:
    NumberBar(int least, int most, QWidget* parent = nullptr);

    int number() const { return -value(); }
    void setNumber(int number) { setValue(-number); }
    int leastNumber() const { return -maximum(); }
    int mostNumber() const { return -minimum(); }
    // Up and Down (and Page Up, Page Down) in `box`, the number's text box, step this bar as
    // they would in a spin box.
    void stepWithArrowKeysIn(QWidget* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void numberChanged(int number);
};

} // namespace yw

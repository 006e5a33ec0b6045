#pragma once

#include <QColor>
#include <QPushButton>

namespace yw {

// A colour button of the eBall editor: the palette index it stands for, shown as its face;
// no colour (-1) is hatched.
class ColorButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(QColor faceColor READ faceColor)
    Q_PROPERTY(int index READ index)
public:
    explicit ColorButton(QWidget* parent = nullptr);

    QColor faceColor() const { return m_face; }
    int index() const { return m_index; }
    // The face becomes the palette colour of `index` (black for no colour).
    void setIndex(int index);
    // A colour the game does not use shows faded; the button still picks it.
    bool isUnused() const { return m_unused; }
    void setUnused(bool unused);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_face = Qt::black;
    int m_index = 0;
    bool m_unused = false;
};

} // namespace yw

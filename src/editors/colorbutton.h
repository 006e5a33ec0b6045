#pragma once

#include <QColor>
#include <QPushButton>

namespace yw {

// A colour button of the eBall editor: shows its face colour and keeps the palette index it
// stands for as text, the way the record's value reaches the chooser and back.
class ColorButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(QColor faceColor READ faceColor)
    Q_PROPERTY(QString indexText READ indexText)
public:
    explicit ColorButton(QWidget* parent = nullptr);

    QColor faceColor() const { return m_face; }
    void setFaceColor(const QColor& color);

    const QString& indexText() const { return m_indexText; }
    void setIndexText(const QString& text) { m_indexText = text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_face = Qt::black;
    QString m_indexText = QStringLiteral("0");
};

} // namespace yw

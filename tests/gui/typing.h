#pragma once

#include <QString>
#include <QTest>
#include <QWidget>

namespace yw::test {

// Types any text, one key press per character; QTest::keyClicks knows ASCII only.
inline void typeText(QWidget* widget, const QString& text)
{
    for (QChar character : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character),
                            Qt::NoModifier);
}

} // namespace yw::test

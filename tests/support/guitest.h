#pragma once

// What the GUI tests share: finding widgets, working a modal dialog, typing, palette colours.
#include "messages.h"
#include "model/palette.h"
#include "model/projectstate.h"
#include "platform/filesystem.h"
#include "platform/settingsstore.h"
#include "shell/dialogs/filedialogs.h"
#include "support/samplegamefixture.h"
#include "support/statecompare.h"
#include "support/testsupport.h"

#include <QtTest>
#include <QtWidgets>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace yw::test {

// File dialogs that answer from a script (Cancel when it is empty) and record what was asked.
class ScriptedDialogs : public FileDialogs
{
public:
    struct Asked
    {
        bool save;
        FileKind kind;
        QString filter;
        QString name = {}; // the name a save dialog was to suggest
        bool operator==(const Asked&) const = default;
    };
    QString openPath(FileKind kind, const QString& filter) override
    {
        return answer(false, kind, filter);
    }
    QString savePath(FileKind kind, const QString& filter) override
    {
        return answer(true, kind, filter);
    }
    std::deque<QString> answers;
    std::vector<Asked> asked;

private:
    QString answer(bool save, FileKind kind, const QString& filter)
    {
        asked.push_back({save, kind, filter, takeSuggestedName()});
        if (answers.empty())
            return QString();
        const QString path = answers.front();
        answers.pop_front();
        return path;
    }
};

// The child of `parent` named `name`; a missing one fails the test.
template <class T = QWidget> T* child(const QObject* parent, const char* name)
{
    T* found = parent ? parent->findChild<T*>(QLatin1String(name)) : nullptr;
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Starts `trigger` and lets `act` work the modal dialog it shows; closes it if `act` did not.
template <class Dialog = QDialog>
void whileModal(const std::function<void()>& trigger,
                const std::type_identity_t<std::function<void(Dialog&)>>& act)
{
    bool acted = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        acted = true;
        act(*dialog);
        if (dialog->isVisible())
            dialog->close();
    });
    trigger();
    EXPECT_TRUE(acted);
}

// Types any text, one key press per character; QTest::keyClicks knows ASCII only.
inline void typeText(QWidget* widget, const QString& text)
{
    for (QChar character : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character),
                            Qt::NoModifier);
}

// A palette entry as the screen shows it, worked out apart from the program's own conversion.
inline QColor paletteQColor(int index)
{
    const uint32_t rgb = paletteColor(index);
    return QColor(int(rgb & 0xFF), int(rgb >> 8 & 0xFF), int(rgb >> 16 & 0xFF));
}

} // namespace yw::test

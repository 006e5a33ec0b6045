#pragma once

#include "shell/mainwindow/editorwindows.h"

#include <QPointer>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace yw {

class EBallEditor;
class Document;
class Prompts;

// The editor windows as child windows of the main window's MDI area. Each is created when first
// asked for and deleted when closed, so it reads the state afresh when opened again.
class MdiEditorWindows : public EditorWindows
{
public:
    MdiEditorWindows(QMdiArea* area, Document& document, Prompts& prompts);

    void switchBall(int newIndex, const QString& componentName) override;
    void showSlotTray() override;
    void showTips() override;
    void closeAll() override;

    // The eBall editor's record index `curBall`: -1 before any eBall was shown, 511 after the
    // editor closed. It outlives the editor, which is made anew each time it opens.
    int curBall() const { return m_curBall; }

private:
    QMdiSubWindow* addWindow(QWidget* widget);
    void bringToFront(QMdiSubWindow* window);

    QMdiArea* m_area;
    Document& m_document;
    Prompts& m_prompts;
    int m_curBall = -1;
    QPointer<QMdiSubWindow> m_ballWindow;
    QPointer<EBallEditor> m_ballEditor;
    QPointer<QMdiSubWindow> m_slotTrayWindow;
    QPointer<QMdiSubWindow> m_tipsWindow;
};

} // namespace yw

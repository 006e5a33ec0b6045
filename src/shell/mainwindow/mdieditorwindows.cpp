#include "shell/mainwindow/mdieditorwindows.h"

#include "editors/eballeditor.h"
#include "editors/slottraypanel.h"
#include "editors/tipspanel.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace yw {

MdiEditorWindows::MdiEditorWindows(QMdiArea* area, Document& document, Prompts& prompts)
    : m_area(area), m_document(document), m_prompts(prompts)
{}

QMdiSubWindow* MdiEditorWindows::addWindow(QWidget* widget)
{
    // The child window opens at the inner size the widget asked for, frame added around it.
    const QSize wanted = widget->size();
    QMdiSubWindow* window = m_area->addSubWindow(widget);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->resize(window->size() - widget->size() + wanted);
    return window;
}

void MdiEditorWindows::bringToFront(QMdiSubWindow* window)
{
    if (window->isMinimized())
        window->showNormal();
    window->show();
    m_area->setActiveSubWindow(window);
    window->raise();
    window->widget()->setFocus();
}

void MdiEditorWindows::switchBall(int newIndex, const QString& componentName)
{
    if (!m_ballWindow || !m_ballEditor) {
        m_ballEditor = new EBallEditor(m_document, m_prompts);
        QObject::connect(m_ballEditor, &EBallEditor::curBallChanged,
                         [this](int index) { m_curBall = index; });
        m_ballWindow = addWindow(m_ballEditor);
    }
    bringToFront(m_ballWindow);
    m_ballEditor->SwitchTo(newIndex, m_curBall, componentName);
}

void MdiEditorWindows::showSlotTray()
{
    // A window closed a moment ago is still waiting for its deletion: make a fresh one.
    if (!m_slotTrayWindow || m_slotTrayWindow->isHidden())
        m_slotTrayWindow = addWindow(new SlotTrayPanel(m_document));
    bringToFront(m_slotTrayWindow);
}

void MdiEditorWindows::showTips()
{
    if (!m_tipsWindow || m_tipsWindow->isHidden())
        m_tipsWindow = addWindow(new TipsPanel(m_document));
    bringToFront(m_tipsWindow);
}

void MdiEditorWindows::closeAll()
{
    // Deletion waits for the event loop; forget a closed window at once so that a panel asked
    // for in the same handler is made anew.
    for (QPointer<QMdiSubWindow>* window : {&m_ballWindow, &m_slotTrayWindow, &m_tipsWindow}) {
        if (*window && (*window)->close())
            *window = nullptr;
    }
}

} // namespace yw

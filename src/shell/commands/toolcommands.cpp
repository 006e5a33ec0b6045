#include "shell/commands/toolcommands.h"

#include "editors/eballeditor.h"
#include "editors/projectedits.h"
#include "editors/replacecolourdialog.h"
#include "files/breedresources.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/prompts.h"

#include <QAction>

namespace yw {

ToolCommands::ToolCommands(ProjectEdits& edits, const Installation& install, Prompts& prompts,
                           QAction& replaceColour, QWidget& window)
    : QObject(&window), m_edits(edits), m_install(install), m_prompts(prompts), m_window(window)
{
    connect(&replaceColour, &QAction::triggered, this, &ToolCommands::replaceColour);
}

void ToolCommands::replaceColour()
{
    BreedHeader header;
    try {
        header = readBreedHeader(m_install, m_edits.state());
    } catch (const Error& e) {
        m_prompts.message(
            QStringLiteral("Replace Colour needs the ball sets of the base breed.\r\n") +
                e.message(),
            PromptIcon::Exclamation);
        return;
    }
    ReplaceColourDialog dialog(m_edits, header.ballsPerSet, {header.lnzNameA, header.lnzNameB},
                               &m_window);
    // The colours start from the eBall on screen, the one the user most likely means.
    if (const auto* editor = m_window.findChild<EBallEditor*>();
        editor && editor->curBall() >= 0 && editor->curBall() < kParkingRecord)
        dialog.startFrom(m_edits.state().ball(editor->curBall()).fillColor);
    dialog.exec();
}

} // namespace yw

#include "shell/commands/toolcommands.h"

#include "document/document.h"
#include "editors/eballeditor.h"
#include "editors/replacecolourdialog.h"
#include "model/projectstate.h"
#include "platform/prompts.h"

#include <QAction>

namespace yw {

ToolCommands::ToolCommands(Document& document, Prompts& prompts, QAction& replaceColour,
                           QWidget& window)
    : QObject(&window), m_document(document), m_prompts(prompts), m_window(window)
{
    connect(&replaceColour, &QAction::triggered, this, &ToolCommands::replaceColour);
}

void ToolCommands::replaceColour()
{
    const BreedShape& shape = m_document.shape();
    if (shape.ballsPerSet() == 0) {
        m_prompts.message(QStringLiteral("Replace Colour needs the ball sets of the base breed."),
                          PromptIcon::Exclamation);
        return;
    }
    ReplaceColourDialog dialog(m_document, shape.header.ballsPerSet,
                               {shape.header.lnzNameA, shape.header.lnzNameB}, &m_window);
    // The colours start from the eBall on screen, the one the user most likely means.
    if (const auto* editor = m_window.findChild<EBallEditor*>();
        editor && editor->curBall() >= 0 && editor->curBall() < kParkingRecord)
        dialog.startFrom(m_document.state().ball(editor->curBall()).fillColor);
    dialog.exec();
}

} // namespace yw

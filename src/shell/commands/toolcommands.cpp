#include "shell/commands/toolcommands.h"

#include "document/document.h"
#include "editors/replacecolourdialog.h"
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
    if (!shape.isKnown()) {
        m_prompts.message(
            QStringLiteral("Replace Colour needs the ball sets of the base breed.\r\n") +
                shape.problem,
            PromptIcon::Exclamation);
        return;
    }
    ReplaceColourDialog dialog(m_document, shape.header.ballsPerSet,
                               {shape.header.lnzNameA, shape.header.lnzNameB}, &m_window);
    dialog.exec();
}

} // namespace yw

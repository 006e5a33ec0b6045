#pragma once

#include <QObject>

class QAction;
class QWidget;

namespace yw {

class Document;
class Prompts;

// Edit > Replace Colour...: shows the dialog over `window` on the document's ball sets. A breed
// whose information file could not be read is told, and nothing changes.
class ToolCommands : public QObject
{
    Q_OBJECT
public:
    ToolCommands(Document& document, Prompts& prompts, QAction& replaceColour, QWidget& window);

    void replaceColour();

private:
    Document& m_document;
    Prompts& m_prompts;
    QWidget& m_window;
};

} // namespace yw

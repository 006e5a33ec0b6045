#pragma once

#include <QObject>

class QAction;
class QWidget;

namespace yw {

struct Installation;
class ProjectEdits;
class Prompts;

// Edit > Replace Colour...: asks the base breed's information file for the ball sets and shows
// the dialog over `window`. A file that cannot be read is told, and nothing changes.
class ToolCommands : public QObject
{
    Q_OBJECT
public:
    ToolCommands(ProjectEdits& edits, const Installation& install, Prompts& prompts,
                 QAction& replaceColour, QWidget& window);

    void replaceColour();

private:
    ProjectEdits& m_edits;
    const Installation& m_install;
    Prompts& m_prompts;
    QWidget& m_window;
};

} // namespace yw

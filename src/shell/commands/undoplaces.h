#pragma once

#include "document/projectedits.h"

#include <QObject>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QStatusBar;

namespace yw {

class Document;
struct DocumentChange;

// Shows where an undo or redo acted: the step's eBall (or the panel of its text) is brought to
// the front and chosen in the lists, and the status bar names the step ("Undid Fill Color of
// Left Ear"), so taking back a change to an eBall not on screen is never invisible.
class UndoPlaces : public QObject
{
    Q_OBJECT
public:
    struct Places
    {
        // Brings eBall `record` to the front; gives its label, empty when it cannot be shown.
        std::function<QString(int record)> showBall;
        // Brings the panel that edits `text` to the front; gives the panel's name.
        std::function<QString(ProjectText text)> showText;
    };

    // Made after the actions' own connections to the document's history, so it runs once the
    // step has been taken.
    UndoPlaces(Document& document, QAction& undo, QAction& redo, QStatusBar& bar, Places places);

private:
    struct Touched
    {
        std::vector<int> records;
        std::optional<ProjectText> text;
    };
    void touched(const DocumentChange& change);
    void show(bool undone);

    Document& m_document;
    QStatusBar& m_bar;
    Places m_places;
    Touched m_touching; // by the step being taken
    Touched m_last;     // by the step last taken, made or undone
};

} // namespace yw

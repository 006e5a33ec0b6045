#pragma once

#include "model/eballtools.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <span>
#include <string>

class QUndoCommand;
class QUndoStack;

namespace yw {

struct ProjectState;

// The texts of the project that the panels edit, one value each.
enum class ProjectText {
    BreedName,
    Slot,
    Tray,
    Description,
    Attributes,
    RegTip1,
    RegTip2,
    RegTip3,
    DemoTip1,
    DemoTip2,
    DemoTip3,
};

// One row per project text (kProjectTexts, in ProjectText's order): its name in undo steps and
// where the state keeps it. The edits and the views look texts up here rather than relying on
// the enum's order.
struct ProjectTextRow
{
    ProjectText text;
    // "Registered Tip %1" for a tip, with its number.
    const char* name;
    int tipNumber; // 1 to 3; 0 for the texts that are not tips
    bool demoTip;
    std::string& (*in)(ProjectState& state);
};

// The row of `text`; throws std::invalid_argument for a value that names no text.
const ProjectTextRow& textRow(ProjectText text);

// The registered (demo: false) or demo tip i (0 to 2).
ProjectText tipText(bool demo, int i);

// The one way the editors change the project: every change is a small named command on the
// document's history, and every change, made or undone, is announced (the document passes it on
// to the views). The parking record of the eBall editor is no part of the project; changes to it
// are made directly and leave no step.
class ProjectEdits : public QObject
{
    Q_OBJECT
public:
    // Whether a change may join the step before it: typing into one box is one step until the
    // focus leaves the box or Enter is pressed (endTyping), or another change comes between.
    enum class Typing { No, Merge };

    ProjectEdits(ProjectState& state, QUndoStack& history, QObject* parent = nullptr);
    ~ProjectEdits() override;

    const ProjectState& state() const { return m_state; }

    // One field of record `record`; nothing happens when it holds the value already.
    void setBallField(int record, EBallField field, int16_t value, Typing typing = Typing::No);
    void setText(ProjectText text, const std::string& value, Typing typing = Typing::No);
    // A tool's change of many eBalls as one step named `name`: `change` works on the whole
    // table and returns what the tool returns (its count). No step when no record changed.
    int changeBalls(const QString& name, const std::function<int(std::span<EBallRecord>)>& change);

    void endTyping();
    // Focus leaving `field`, or Enter in it, ends the typing step in it.
    void endTypingOnFocusOut(QObject* field);

    static QString fieldName(EBallField field);
    static QString textName(ProjectText text);
    const std::string& text(ProjectText text) const;

signals:
    void ballChanged(int record);
    void textChanged(yw::ProjectText text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class BallFieldCommand;
    friend class TextCommand;
    friend class BallsCommand;

    // Pushes a step that may merge with the one before it while `key` is the open typing key.
    void push(QUndoCommand* command, std::optional<long> typingKey);
    bool mayMerge(long key) const;
    std::string& textRef(ProjectText text);

    ProjectState& m_state;
    QUndoStack& m_history;
    std::optional<long> m_typingKey;
    bool m_pushing = false;
};

} // namespace yw

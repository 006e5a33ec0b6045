#pragma once

#include "document/projectedits.h"
#include "model/projectstate.h"

#include <QUndoCommand>
#include <string>
#include <vector>

namespace yw {

// The steps of the project's history that ProjectEdits pushes. Each changes the project through
// ProjectEdits, which announces the change, whether it is made, undone or redone.

// QUndoStack merges only steps of one id.
enum UndoCommandId { kBallFieldId = 1, kTextId = 2 };

// A typing key names the one value typed into: an eBall field or a project text.
inline long ballKey(int record, EBallField field)
{
    return long(record) * 256 + long(field);
}

inline long textKey(ProjectText text)
{
    return -1 - long(text);
}

// One field of one eBall.
class BallFieldCommand : public QUndoCommand
{
public:
    BallFieldCommand(ProjectEdits& edits, int record, EBallField field, int16_t before,
                     int16_t after, long key)
        : QUndoCommand(ProjectEdits::fieldName(field)), m_edits(edits), m_record(record),
          m_field(field), m_before(before), m_after(after), m_key(key)
    {}

    void redo() override { set(m_after); }
    void undo() override { set(m_before); }
    int id() const override { return kBallFieldId; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const BallFieldCommand*>(other);
        if (next->m_key != m_key || !m_edits.mayMerge(m_key))
            return false;
        m_after = next->m_after;
        setObsolete(m_after == m_before);
        return true;
    }

private:
    void set(int16_t value)
    {
        m_edits.m_state.ball(m_record).*fieldRow(m_field).member = value;
        emit m_edits.ballChanged(m_record);
    }

    ProjectEdits& m_edits;
    int m_record;
    EBallField m_field;
    int16_t m_before;
    int16_t m_after;
    long m_key;
};

// One text of the project.
class TextCommand : public QUndoCommand
{
public:
    TextCommand(ProjectEdits& edits, ProjectText text, std::string before, std::string after)
        : QUndoCommand(ProjectEdits::textName(text)), m_edits(edits), m_text(text),
          m_before(std::move(before)), m_after(std::move(after))
    {}

    void redo() override { set(m_after); }
    void undo() override { set(m_before); }
    int id() const override { return kTextId; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const TextCommand*>(other);
        if (next->m_text != m_text || !m_edits.mayMerge(textKey(m_text)))
            return false;
        m_after = next->m_after;
        setObsolete(m_after == m_before);
        return true;
    }

private:
    void set(const std::string& value)
    {
        m_edits.textRef(m_text) = value;
        emit m_edits.textChanged(m_text);
    }

    ProjectEdits& m_edits;
    ProjectText m_text;
    std::string m_before;
    std::string m_after;
};

// A tool's change: the records it changed, before and after.
class BallsCommand : public QUndoCommand
{
public:
    struct Change
    {
        int record;
        EBallRecord before;
        EBallRecord after;
    };

    BallsCommand(ProjectEdits& edits, const QString& name, std::vector<Change> changes)
        : QUndoCommand(name), m_edits(edits), m_changes(std::move(changes))
    {}

    void redo() override
    {
        for (const Change& change : m_changes)
            set(change.record, change.after);
    }
    void undo() override
    {
        for (const Change& change : m_changes)
            set(change.record, change.before);
    }

private:
    void set(int record, const EBallRecord& value)
    {
        m_edits.m_state.ball(record) = value;
        emit m_edits.ballChanged(record);
    }

    ProjectEdits& m_edits;
    std::vector<Change> m_changes;
};

} // namespace yw

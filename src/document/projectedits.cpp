#include "document/projectedits.h"

#include "document/undocommands.h"
#include "model/projectstate.h"

#include <QKeyEvent>
#include <QUndoStack>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace yw {

namespace {

constexpr ProjectTextRow kProjectTexts[] = {
    {ProjectText::BreedName, "Breed Name", 0, false,
     [](ProjectState& s) -> std::string& { return s.breedName; }},
    {ProjectText::Slot, "Slot", 0, false,
     [](ProjectState& s) -> std::string& { return s.eggSlot; }},
    {ProjectText::Tray, "Tray", 0, false,
     [](ProjectState& s) -> std::string& { return s.eggTray; }},
    {ProjectText::Description, "Description", 0, false,
     [](ProjectState& s) -> std::string& { return s.breedDescription; }},
    {ProjectText::Attributes, "Attributes", 0, false,
     [](ProjectState& s) -> std::string& { return s.breedAttributes; }},
    {ProjectText::RegTip1, "Registered Tip %1", 1, false,
     [](ProjectState& s) -> std::string& { return s.regTips[0]; }},
    {ProjectText::RegTip2, "Registered Tip %1", 2, false,
     [](ProjectState& s) -> std::string& { return s.regTips[1]; }},
    {ProjectText::RegTip3, "Registered Tip %1", 3, false,
     [](ProjectState& s) -> std::string& { return s.regTips[2]; }},
    {ProjectText::DemoTip1, "Demo Tip %1", 1, true,
     [](ProjectState& s) -> std::string& { return s.demoTips[0]; }},
    {ProjectText::DemoTip2, "Demo Tip %1", 2, true,
     [](ProjectState& s) -> std::string& { return s.demoTips[1]; }},
    {ProjectText::DemoTip3, "Demo Tip %1", 3, true,
     [](ProjectState& s) -> std::string& { return s.demoTips[2]; }},
};

// Row i is the text i.
constexpr bool projectTextRowsInOrder()
{
    for (size_t i = 0; i < std::size(kProjectTexts); ++i)
        if (size_t(kProjectTexts[i].text) != i)
            return false;
    return std::size(kProjectTexts) == size_t(ProjectText::DemoTip3) + 1;
}
static_assert(projectTextRowsInOrder());

} // namespace

const ProjectTextRow& textRow(ProjectText text)
{
    if (size_t(text) >= std::size(kProjectTexts))
        throw std::invalid_argument("not one project text");
    return kProjectTexts[size_t(text)];
}

ProjectText tipText(bool demo, int i)
{
    for (const ProjectTextRow& row : kProjectTexts)
        if (row.tipNumber == i + 1 && row.demoTip == demo)
            return row.text;
    throw std::out_of_range("tip " + std::to_string(i));
}

ProjectEdits::ProjectEdits(ProjectState& state, QUndoStack& history, QObject* parent)
    : QObject(parent), m_state(state), m_history(history)
{
    // Undo and redo end a typing step: the next keystroke is a step of its own.
    connect(&m_history, &QUndoStack::indexChanged, this, [this] {
        if (!m_pushing)
            m_typingKey.reset();
    });
}

ProjectEdits::~ProjectEdits() = default;

void ProjectEdits::push(QUndoCommand* command, std::optional<long> typingKey)
{
    const int before = m_history.index();
    m_pushing = true;
    m_history.push(command);
    m_pushing = false;
    // A typing step brought back to its start is gone from the history; the next keystroke must
    // not join the step below it, which belongs to an earlier edit.
    m_typingKey = m_history.index() < before ? std::nullopt : typingKey;
}

bool ProjectEdits::mayMerge(long key) const
{
    return m_pushing && m_typingKey == key;
}

void ProjectEdits::setBallField(int record, EBallField field, int16_t value, Typing typing)
{
    EBallRecord& ball = m_state.ball(record);
    int16_t EBallRecord::*member = fieldRow(field).member;
    const int16_t before = ball.*member;
    if (record == kParkingRecord) {
        ball.*member = value;
        return;
    }
    if (before == value)
        return;
    const long key = ballKey(record, field);
    push(new BallFieldCommand(*this, record, field, before, value, key),
         typing == Typing::Merge ? std::optional<long>(key) : std::nullopt);
}

void ProjectEdits::setText(ProjectText text, const std::string& value, Typing typing)
{
    const std::string& before = textRef(text);
    if (before == value)
        return;
    push(new TextCommand(*this, text, before, value),
         typing == Typing::Merge ? std::optional<long>(textKey(text)) : std::nullopt);
}

int ProjectEdits::changeBalls(const QString& name,
                              const std::function<int(std::span<EBallRecord>)>& change)
{
    // The tool works on a copy, so a tool that throws changes nothing.
    auto table = m_state.eBalls;
    const int result = change(table);
    std::vector<BallsCommand::Change> changes;
    for (int i = 0; i < kEBallCount; ++i) {
        if (i != kParkingRecord && !(table[size_t(i)] == m_state.eBalls[size_t(i)]))
            changes.push_back({i, m_state.eBalls[size_t(i)], table[size_t(i)]});
    }
    if (!changes.empty())
        push(new BallsCommand(*this, name, std::move(changes)), std::nullopt);
    return result;
}

void ProjectEdits::endTyping()
{
    m_typingKey.reset();
}

void ProjectEdits::endTypingOnFocusOut(QObject* field)
{
    field->installEventFilter(this);
}

bool ProjectEdits::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the field commits the edit, and so does Enter in a one-line box (in a text of many
    // lines it is a line break): the next keystroke starts a new step.
    if (event->type() == QEvent::FocusOut)
        endTyping();
    else if (event->type() == QEvent::KeyPress && watched->inherits("QLineEdit")) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            endTyping();
    }
    return QObject::eventFilter(watched, event);
}

QString ProjectEdits::fieldName(EBallField field)
{
    return tr(fieldRow(field).name);
}

QString ProjectEdits::textName(ProjectText text)
{
    const ProjectTextRow& row = textRow(text);
    return row.tipNumber ? tr(row.name).arg(row.tipNumber) : tr(row.name);
}

const std::string& ProjectEdits::text(ProjectText text) const
{
    return const_cast<ProjectEdits*>(this)->textRef(text);
}

std::string& ProjectEdits::textRef(ProjectText text)
{
    return textRow(text).in(m_state);
}

} // namespace yw

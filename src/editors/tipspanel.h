#pragma once

#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QTabWidget;

namespace yw {

struct ProjectState;
class Document;
class ProjectEdits;
enum class ProjectText;

// frmTips: the registered and the demo tips of the breed. Reads the state when it is created and
// writes every change back at once, each as a step of the project's history, and shows every
// change of a tip, undone ones too.
class TipsPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TipsPanel(Document& document, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showTip(ProjectText text);
    // The room the whole tips block uses and has left in the base egg.
    void showRoom();

    Document& m_document;
    ProjectEdits& m_edits;
    const ProjectState& m_state;
    QTabWidget* m_tabs = nullptr;
    QLabel* m_room = nullptr;
    std::array<QLineEdit*, 3> m_regTips{};
    std::array<QLineEdit*, 3> m_demoTips{};
};

} // namespace yw

#pragma once

#include <QWidget>
#include <array>

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

    Document& m_document;
    ProjectEdits& m_edits;
    const ProjectState& m_state;
    QTabWidget* m_tabs = nullptr;
    std::array<QLineEdit*, 3> m_regTips{};
    std::array<QLineEdit*, 3> m_demoTips{};
};

} // namespace yw

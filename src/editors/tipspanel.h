#pragma once

#include <QWidget>
#include <array>

class QLineEdit;
class QTabWidget;

namespace yw {

struct ProjectState;

// frmTips: the registered and the demo tips of the breed. Reads the state when it is created and
// writes every change back at once.
class TipsPanel : public QWidget
{
    Q_OBJECT
public:
    TipsPanel(ProjectState& state, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    ProjectState& m_state;
    QTabWidget* m_tabs = nullptr;
    std::array<QLineEdit*, 3> m_regTips{};
    std::array<QLineEdit*, 3> m_demoTips{};
};

} // namespace yw

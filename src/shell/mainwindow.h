#pragma once

#include <QMainWindow>

class QMdiArea;

namespace yw {

struct ProjectState;

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(ProjectState& state, QWidget* parent = nullptr);

private:
    ProjectState& m_state;
    QMdiArea* m_mdi = nullptr;
};

} // namespace yw

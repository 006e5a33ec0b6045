#include "shell/mainwindow.h"

#include "model/projectstate.h"

#include <QMdiArea>

namespace yw {

MainWindow::MainWindow(ProjectState& state, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_mdi(new QMdiArea(this))
{
    setObjectName(QStringLiteral("mfmCore"));
    setCentralWidget(m_mdi);
    setWindowTitle(QStringLiteral("Yolkwright (Build %1)")
                       .arg(QString::fromStdString(m_state.buildNo)));
    resize(6960 / 15, 5820 / 15);
}

} // namespace yw

#pragma once

#include "shell/mainwindow/mainwindow.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <array>
#include <gtest/gtest.h>

namespace yw::test {

// The main window's menus, items and panel widgets, found by object name.
struct MainWindowParts
{
    MainWindowParts() = default;
    explicit MainWindowParts(const MainWindow& window) : m_window(&window)
    {
        for (size_t k = 0; k < mnuRecentFile.size(); ++k)
            mnuRecentFile[k] = find<QAction>("mnuRecentFile" + std::to_string(k));
    }

    template <class T> T* find(const std::string& name) const
    {
        if (!m_window)
            return nullptr;
        T* found = m_window->findChild<T*>(QString::fromStdString(name));
        if (!found)
            ADD_FAILURE() << "the main window has no " << name;
        return found;
    }

    const MainWindow* m_window = nullptr;
    QMenu* mnuFile = find<QMenu>("mnuFile");
    QAction* mnuNew = find<QAction>("mnuNew");
    QMenu* mnuSave = find<QMenu>("mnuSave");
    QAction* mnuSaveOPJ = find<QAction>("mnuSaveOPJ");
    QAction* mnuSaveODD = find<QAction>("mnuSaveODD");
    QAction* mnuSaveYPK = find<QAction>("mnuSaveYPK");
    QAction* mnuSaveAs = find<QAction>("mnuSaveAs");
    std::array<QAction*, 5> mnuRecentFile{};
    QMenu* mnuEdit = find<QMenu>("mnuEdit");
    QAction* mnuCut = find<QAction>("mnuCut");
    QAction* mnuCopy = find<QAction>("mnuCopy");
    QAction* mnuPaste = find<QAction>("mnuPaste");
    QAction* mnuClear = find<QAction>("mnuClear");
    QMenu* mnuView = find<QMenu>("mnuView");
    QAction* mnuView_Tips = find<QAction>("mnuView_Tips");
    QAction* mnuView_Tbar = find<QAction>("mnuView_Tbar");
    QAction* mnuOptions = find<QAction>("mnuOptions");
    QMenu* mnUWindow = find<QMenu>("mnUWindow");
    QMenu* mnuHelp = find<QMenu>("mnuHelp");
    QWidget* TBarUltimateHolder = find<QWidget>("TBarUltimateHolder");
    QWidget* lBack = find<QWidget>("lBack");
    QComboBox* compnt = find<QComboBox>("compnt");
    QListWidget* eblist = find<QListWidget>("eblist");
    QFrame* tippy = find<QFrame>("tippy");
    QLabel* ttex = find<QLabel>("ttex");
    QLabel* tclose = find<QLabel>("tclose");
    QMdiArea* mdiArea = find<QMdiArea>("mdiArea");
};

} // namespace yw::test

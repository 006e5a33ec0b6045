#include "shell/dialogs/filedialogs.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace yw {

namespace {

// Runs `act` on the file dialog once it is shown modally.
void whenShown(std::function<void(QFileDialog&)> act)
{
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

} // namespace

TEST(QtFileDialogs, AddsTheKindsExtensionAndRemembersItsFolder)
{
    QTemporaryDir eggs;
    QTemporaryDir projects;
    QtFileDialogs dialogs;

    QStringList filters;
    whenShown([&](QFileDialog& dialog) {
        filters = dialog.nameFilters();
        EXPECT_EQ(dialog.selectedNameFilter(), QStringLiteral("Oddballz Eggz (*.ODD)"));
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        dialog.setDirectory(eggs.path());
        dialog.selectFile(QStringLiteral("Spotty"));
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_EQ(dialogs.savePath(FileKind::Egg, kEggFilter),
              QDir::toNativeSeparators(eggs.filePath(QStringLiteral("Spotty.odd"))));
    EXPECT_EQ(filters, QStringList({kEggFilter}));

    // A name with its own extension keeps it.
    whenShown([&](QFileDialog& dialog) {
        EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(eggs.path()).canonicalPath());
        dialog.setDirectory(projects.path());
        dialog.selectFile(QStringLiteral("Spotty.OPJ"));
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_EQ(dialogs.savePath(FileKind::Project, kProjectFilter),
              QDir::toNativeSeparators(projects.filePath(QStringLiteral("Spotty.OPJ"))));

    // Each kind opens where it was last used.
    EXPECT_EQ(dialogs.startFolder(FileKind::Egg), eggs.path());
    EXPECT_EQ(dialogs.startFolder(FileKind::Project), projects.path());
    EXPECT_EQ(dialogs.startFolder(FileKind::Package), projects.path());
}

TEST(QtFileDialogs, CancelGivesAnEmptyPathAndForgetsNothing)
{
    QTemporaryDir folder;
    QtFileDialogs dialogs;
    whenShown([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog.nameFilters(), QStringList({QStringLiteral("Yolkwright Projects (*.OPJ)"),
                                                     QStringLiteral("All Files (*.*)")}));
        dialog.setDirectory(folder.path());
        dialog.reject();
    });
    EXPECT_TRUE(dialogs.openPath(FileKind::Project, kProjectFilter).isEmpty());
    EXPECT_EQ(dialogs.startFolder(FileKind::Project), QDir::homePath());
}

TEST(QtFileDialogs, TheFirstUseOpensInTheFallbackFolder)
{
    QTemporaryDir projects;
    QTemporaryDir eggs;
    QtFileDialogs dialogs;
    QString fallback = projects.filePath(QStringLiteral("gone"));
    dialogs.setFallbackFolder([&] { return fallback; });
    // A folder that no longer exists is passed over.
    EXPECT_EQ(dialogs.startFolder(FileKind::Egg), QDir::homePath());
    fallback = projects.path();
    EXPECT_EQ(dialogs.startFolder(FileKind::Egg), projects.path());

    whenShown([&](QFileDialog& dialog) {
        dialog.setDirectory(eggs.path());
        dialog.selectFile(QStringLiteral("x"));
        static_cast<QDialog&>(dialog).accept();
    });
    dialogs.savePath(FileKind::Egg, kEggFilter);
    EXPECT_EQ(dialogs.startFolder(FileKind::Egg), eggs.path());
    EXPECT_EQ(dialogs.startFolder(FileKind::Project), projects.path());
    fallback.clear();
    EXPECT_EQ(dialogs.startFolder(FileKind::Project), eggs.path());
}

} // namespace yw

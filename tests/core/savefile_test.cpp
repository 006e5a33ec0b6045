#include "platform/errors.h"
#include "platform/savefile.h"
#include "support/testsupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace yw {

// A disk that fills up while the file is written: the file-size limit makes the write fail
// with "File too large" once 1 KiB is on disk, as a full disk would. Small files are where it
// matters: they sit in the write buffer until the commit, and QSaveFile alone then commits a
// cut-off file in place of the old one.
TEST(SaveFile, DiskFillingUpKeepsTheOldFileAndLeavesNothingElse)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("project.opj"));
    test::writeFile(path, "the old project");

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tiny = old;
    tiny.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    QString reason;
    for (const qsizetype size : {qsizetype(5000), qsizetype(200000)}) {
        try {
            saveFileAtomically(path, QByteArray(size, 'x'));
        } catch (const FileError& error) {
            reason = error.reason();
            EXPECT_EQ(error.path(), path);
        }
        EXPECT_FALSE(reason.isEmpty()) << size;
        reason.clear();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);

    EXPECT_EQ(test::readFile(path), "the old project");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("project.opj")});
    // With room again the same save goes through.
    saveFileAtomically(path, QByteArray(5000, 'x'));
    EXPECT_EQ(test::readFile(path).size(), 5000);
}

} // namespace yw

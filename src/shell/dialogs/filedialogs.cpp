#include "shell/dialogs/filedialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace yw {

QString fileNameFrom(const QString& text)
{
    QString name;
    for (const QChar c : text)
        if (c.unicode() >= 0x20 && !QStringLiteral("<>:\"/\\|?*").contains(c))
            name += c;
    return name.trimmed();
}

QString QtFileDialogs::openPath(FileKind kind, const QString& filter)
{
    takeSuggestedName();
    return run(kind, filter, false);
}

QString QtFileDialogs::savePath(FileKind kind, const QString& filter)
{
    const QString name = takeSuggestedName();
    return run(kind, filter, true, name);
}

QString QtFileDialogs::startFolder(FileKind kind) const
{
    for (const QString& folder :
         {m_folders.value(kind), m_fallback ? m_fallback() : QString(), m_lastFolder}) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return QDir::homePath();
}

QString QtFileDialogs::defaultSuffix(FileKind kind)
{
    switch (kind) {
    case FileKind::Project:
        return QStringLiteral("opj");
    case FileKind::Egg:
        return QStringLiteral("odd");
    case FileKind::Package:
        return QStringLiteral("ypk");
    case FileKind::Sheet:
        return QStringLiteral("png");
    }
    return QString();
}

QString QtFileDialogs::run(FileKind kind, const QString& filter, bool save, const QString& name)
{
    QFileDialog dialog(m_parent, QString(), startFolder(kind), filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix(kind));
    dialog.selectNameFilter(filter.section(QStringLiteral(";;"), 0, 0));
    if (!name.isEmpty())
        dialog.selectFile(name + QLatin1Char('.') + defaultSuffix(kind));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString path = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    m_lastFolder = QFileInfo(path).absolutePath();
    m_folders.insert(kind, m_lastFolder);
    return path;
}

} // namespace yw

#include "shell/dialogs/filedialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

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
    case FileKind::Report:
        return QStringLiteral("txt");
    }
    return QString();
}

namespace {

// A name typed without an ending gets the ending of the type chosen in the dialog ("Breed Sheet
// Drawing (*.svg)" makes sheet.svg), or the kind's own when that type names none (*.*). Decided
// as the dialog is accepted, however the type was chosen.
class TypedFileDialog : public QFileDialog
{
public:
    TypedFileDialog(QWidget* parent, const QString& folder, const QString& filter,
                    const QString& fallbackSuffix)
        : QFileDialog(parent, QString(), folder, filter), m_fallbackSuffix(fallbackSuffix)
    {}

    void accept() override
    {
        static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
        const QRegularExpressionMatch match = pattern.match(selectedNameFilter());
        setDefaultSuffix(match.hasMatch() ? match.captured(1).toLower() : m_fallbackSuffix);
        QFileDialog::accept();
    }

private:
    QString m_fallbackSuffix;
};

} // namespace

QString QtFileDialogs::run(FileKind kind, const QString& filter, bool save, const QString& name)
{
    TypedFileDialog dialog(m_parent, startFolder(kind), filter, defaultSuffix(kind));
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

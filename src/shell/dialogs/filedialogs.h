#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <functional>
#include <utility>

class QWidget;

namespace yw {

// The kinds of file the editor asks for; each remembers its own folder.
enum class FileKind { Project, Egg, Package, Sheet, Report };

// The dialogs' filters, in Qt's form ("description (pattern);;...").
inline const QString kProjectFilter =
    QStringLiteral("Yolkwright Projects (*.OPJ);;All Files (*.*)");
inline const QString kEggFilter = QStringLiteral("Oddballz Eggz (*.ODD)");
inline const QString kPackageFilter = QStringLiteral("Yolkwright Package (*.YPK)");
inline const QString kSheetFilter =
    QStringLiteral("Breed Sheet Picture (*.png);;Breed Sheet Drawing (*.svg)");
inline const QString kReportFilter = QStringLiteral("Survey Layout Report (*.txt)");

// The open and save dialogs of the file commands and the wizard, behind an interface so that
// tests can script them. Both return the chosen path, or an empty text when the user cancelled.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    virtual QString openPath(FileKind kind, const QString& filter) = 0;
    virtual QString savePath(FileKind kind, const QString& filter) = 0;

    // The name the next save dialog offers (without folder or extension); used once.
    void suggestName(const QString& name) { m_suggested = name; }
    QString takeSuggestedName() { return std::exchange(m_suggested, QString()); }

private:
    QString m_suggested;
};

// A file name made of `text` (a project's or breed's name): characters no file system takes, and
// blanks at either end, are left out.
QString fileNameFrom(const QString& text);

// Qt's file dialogs. Each opens in the folder last used for its kind of file (for the first use,
// the fallback folder, else the folder last used for any kind, else the home folder), selects
// the first filter, and adds the kind's extension to a name typed without one. Saving asks
// before replacing a file.
class QtFileDialogs : public FileDialogs
{
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    // Asked on the first use of a dialog, so it opens where the user's projects are.
    void setFallbackFolder(std::function<QString()> folder) { m_fallback = std::move(folder); }

    QString openPath(FileKind kind, const QString& filter) override;
    QString savePath(FileKind kind, const QString& filter) override;

    QString startFolder(FileKind kind) const;
    // The extension added to a name typed without one: "opj", "odd" or "ypk".
    static QString defaultSuffix(FileKind kind);

private:
    QString run(FileKind kind, const QString& filter, bool save, const QString& name = {});

    QPointer<QWidget> m_parent;
    QHash<FileKind, QString> m_folders;
    QString m_lastFolder;
    std::function<QString()> m_fallback;
};

} // namespace yw

#include "shell/help/changelog.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <initializer_list>

namespace yw {

namespace {

struct Release
{
    int build;
    QDate date;
    std::initializer_list<const char*> changes;
};

// Oldest first. Each change says what the program does, in the user's words.
const Release kReleases[] = {
    {250, QDate(2026, 9, 14), {"First public release."}},
    {263,
     QDate(2026, 9, 28),
     {"The eBall editor shows fill, border and sprecks colours, fuzziness, border thickness, "
      "diameter and texture of one eBall at a time and writes every change into the project "
      "at once.",
      "Colours are picked from the game's own 256-colour palette."}},
    {271,
     QDate(2026, 10, 12),
     {"Projects, eggs and packages are written to a temporary file and moved into place, so a "
      "failed save never damages the file that was there.",
      "Opening a project is all or nothing: a damaged project leaves the open one as it was, "
      "and the message names the file and the line."}},
    {284,
     QDate(2026, 10, 30),
     {"Double quotes in breed names, trays, slots and eBall comments are stored safely in the "
      "project file.",
      "The eBall list finds the adult ball set by the breed's own number of eBalls per set.",
      "The New Project Wizard removes stray NUL bytes from the names it reads from the base "
      "egg."}},
    {296,
     QDate(2026, 11, 16),
     {"Writing an egg never touches bytes outside the regions it patches: texts that are too "
      "long are refused with a clear message, and ball lines use narrower spacing when they "
      "need the room.",
      "Packages are real cabinet files with MSZIP compression, built in a private temporary "
      "folder."}},
    {309,
     QDate(2026, 12, 1),
     {"Runs beside the game under Wine: the Windows folder, the game folder and file names in "
      "any letter case are found the way Wine finds them.",
      "yolkwright-cli lists the base breeds, makes projects, shows them as JSON and writes eggs "
      "and packages from scripts.",
      "A user guide in the program's own help viewer.",
      "Installs as a Debian package with a desktop entry and file types for projects, eggs and "
      "packages."}},
};

QString heading(const Release& release)
{
    // Month names in English whatever the desktop's language, as every heading is.
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    return QStringLiteral("Build %1 (%2)")
        .arg(release.build, 4, 10, QLatin1Char('0'))
        .arg(english.toString(release.date, QStringLiteral("MMMM d, yyyy")));
}

} // namespace

QString changeLogText()
{
    QString text;
    for (const Release& release : kReleases) {
        if (!text.isEmpty())
            text += QStringLiteral("\n\n");
        text += heading(release);
        for (const char* change : release.changes)
            text += QStringLiteral("\n\u00B7 ") + QString::fromUtf8(change);
    }
    return text;
}

ChangeLogDialog::ChangeLogDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgLog"));
    setWindowTitle(QStringLiteral("Change Log"));
    setModal(true);
    // 1290 by 2010 twips.
    setMinimumSize(86, 134);
    resize(520, 420);

    m_log = new QPlainTextEdit(this);
    m_log->setObjectName(QStringLiteral("LogT"));
    m_log->setReadOnly(true);
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    m_log->setFont(font);
    m_log->setPlainText(QStringLiteral("The Change Log could not be loaded."));

    auto* strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("Picture1"));
    m_close = new QPushButton(QStringLiteral("OK"), strip);
    m_close->setObjectName(QStringLiteral("btnClose"));
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(4, 4, 4, 4);
    stripLayout->addStretch();
    stripLayout->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 0);
    layout->setSpacing(0);
    layout->addWidget(m_log, 1);
    layout->addWidget(strip);

    m_log->setPlainText(changeLogText());
    m_close->setFocus();
}

} // namespace yw

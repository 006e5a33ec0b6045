#include "shell/help/helpviewer.h"

#include "shell/mainwindow/appicon.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace yw {

namespace {

const QString kContentsFile = QStringLiteral("index.html");

} // namespace

QString helpTopicFile(int context)
{
    struct Topic
    {
        int context;
        const char* file;
    };
    static const Topic topics[] = {{1, "first-breed.html"},  {2, "main-window.html"},
                                   {3, "editors.html"},      {4, "menus.html"},
                                   {5, "files.html"},        {6, "wine.html"},
                                   {7, "command-line.html"}, {8, "survey.html"}};
    for (const Topic& topic : topics)
        if (topic.context == context)
            return QString::fromLatin1(topic.file);
    return kContentsFile;
}

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Yolkwright Help"));
    setWindowIcon(applicationIcon());
    resize(760, 560);

    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(true);
    m_contents = new QToolButton(this);
    m_back = new QToolButton(this);
    m_forward = new QToolButton(this);
    m_contents->setText(QStringLiteral("&Contents"));
    m_back->setText(QStringLiteral("< &Back"));
    m_forward->setText(QStringLiteral("&Forward >"));
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_contents, &QToolButton::clicked, this, &HelpViewer::showContents);
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Yolkwright Help")
                                       : QStringLiteral("Yolkwright Help - ") + title);
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_contents);
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(m_browser, 1);
    // A window of its own closes with Escape, as the breed sheet does.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);
}

void HelpViewer::showTopic(const QString& helpFolder, int context)
{
    m_folder = helpFolder;
    const QString path = QDir(helpFolder).filePath(helpTopicFile(context));
    if (QFileInfo(path).isFile()) {
        m_browser->setSource(QUrl::fromLocalFile(path));
    } else {
        m_browser->clearHistory();
        m_browser->setHtml(QStringLiteral("<h2>Help is not available</h2>"
                                          "<p>The help file <b>%1</b> could not be found.</p>"
                                          "<p>Reinstalling Yolkwright puts it back.</p>")
                               .arg(QDir::toNativeSeparators(path).toHtmlEscaped()));
        setWindowTitle(QStringLiteral("Yolkwright Help"));
    }
    show();
    raise();
    activateWindow();
}

void HelpViewer::showContents()
{
    showTopic(m_folder, 0);
}

} // namespace yw

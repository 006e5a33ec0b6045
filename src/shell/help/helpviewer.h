#pragma once

#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace yw {

// The help topics a context number opens. 1 is the first topic, the one a help request
// without a more precise context shows.
QString helpTopicFile(int context);

// The program's own help viewer: the HTML user guide in a browser window with Contents, Back
// and Forward. A missing help file is reported inside the viewer.
class HelpViewer : public QWidget
{
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Shows the guide in `helpFolder` at the topic of `context`.
    void showTopic(const QString& helpFolder, int context);
    QTextBrowser* browser() const { return m_browser; }

private:
    void showContents();

    QString m_folder;
    QTextBrowser* m_browser = nullptr;
    QToolButton* m_contents = nullptr;
    QToolButton* m_back = nullptr;
    QToolButton* m_forward = nullptr;
};

} // namespace yw

#pragma once
// The help window: one per program, reused by every help call, showing the
// module's help pages with contents, back and forward.
#include <QWidget>

class QTextBrowser;

namespace hvx {

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    // Shows the page of the context (see HelpMap) in the help window, opening
    // the window when needed and bringing it to the front.
    static HelpViewer* Open(const QString& helpFile, int context);
    // The open help window, or null.
    static HelpViewer* Current();

    void ShowPage(const QString& pathWithAnchor);
    QTextBrowser* Browser() const { return browser_; }

private:
    HelpViewer();
    QTextBrowser* browser_;
};

}  // namespace hvx

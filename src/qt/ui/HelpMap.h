#pragma once
// The pages of the module's help: docs/help/<page>.html, with the context
// numbers of the help file "HVXGRP.HLP" mapped to pages by index.map, a text
// file of lines "context=page.html" ('#' starts a comment line).
#include <QMap>
#include <QString>

namespace hvx {

class HelpMap {
public:
    // The folder of the help pages: $HARVEXA_HELP_DIR when set, else the
    // folder the program was built with.
    static QString Folder();

    // Reads index.map of the folder; a missing map leaves only the contents page.
    explicit HelpMap(const QString& folder = Folder());

    // The file (with any "#anchor") to show for a context of a help file. A
    // context the map does not know, a page that is missing, or another help
    // file gives the contents page index.html.
    QString PageFor(const QString& helpFile, int context) const;
    QString ContentsPage() const;

private:
    QString folder_;
    QMap<int, QString> pages_;
};

}  // namespace hvx

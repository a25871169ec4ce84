// The help window of winhelp.exe: the contents (the help text's headings)
// and a search field on the left, the text on the right. A heading chosen in
// the contents scrolls the text to it; the search marks every place the
// words occur and moves to the next one on Enter.
#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QTextBrowser>
#include <QWidget>

namespace q32::standin {

class HelpWindow : public QWidget {
public:
    // `html` is the help text; pictures are looked for in `pictureFolders`.
    HelpWindow(const QString& html, const QStringList& pictureFolders);

    QListWidget* contents() const { return contents_; }
    QLineEdit* search() const { return search_; }
    QTextBrowser* text() const { return text_; }

    // Scrolls the text so that the heading stands at the top.
    void showHeading(int index);
    // Marks every occurrence; returns how many there are.
    int markMatches(const QString& words);
    // Moves to the next occurrence after the cursor, round to the start.
    bool findNext(const QString& words);

private:
    void listHeadings();

    QListWidget* contents_;
    QLineEdit* search_;
    QTextBrowser* text_;
    QList<int> headingPositions_;
};

}  // namespace q32::standin

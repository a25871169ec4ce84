#include "help_window.h"

#include <QAbstractTextDocumentLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QVBoxLayout>

namespace q32::standin {

namespace {

QTextCharFormat matchFormat() {
    QTextCharFormat format;
    format.setBackground(QColor(255, 226, 120));
    return format;
}

}  // namespace

HelpWindow::HelpWindow(const QString& html, const QStringList& pictureFolders)
    : contents_(new QListWidget), search_(new QLineEdit), text_(new QTextBrowser) {
    setWindowTitle(QStringLiteral("Quillet32 Help"));
    text_->setSearchPaths(pictureFolders);
    text_->setOpenExternalLinks(true);
    if (Qt::mightBeRichText(html)) text_->setHtml(html);
    else text_->setPlainText(html);

    search_->setPlaceholderText(QStringLiteral("Search"));
    search_->setClearButtonEnabled(true);
    auto* left = new QWidget;
    auto* column = new QVBoxLayout(left);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(new QLabel(QStringLiteral("Contents")));
    column->addWidget(contents_);
    column->addWidget(search_);
    auto* splitter = new QSplitter;
    splitter->addWidget(left);
    splitter->addWidget(text_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({270, 630});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);
    resize(900, 600);

    listHeadings();
    connect(contents_, &QListWidget::currentRowChanged, this, [this](int row) { showHeading(row); });
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& words) {
        markMatches(words);
        text_->moveCursor(QTextCursor::Start);
        findNext(words);
    });
    connect(search_, &QLineEdit::returnPressed, this, [this] { findNext(search_->text()); });
}

void HelpWindow::listHeadings() {
    for (QTextBlock block = text_->document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0 || block.text().trimmed().isEmpty()) continue;
        const QString indent(2 * (block.blockFormat().headingLevel() - 1), QLatin1Char(' '));
        contents_->addItem(indent + block.text().trimmed());
        headingPositions_.append(block.position());
    }
}

void HelpWindow::showHeading(int index) {
    if (index < 0 || index >= headingPositions_.size()) return;
    const QTextBlock block = text_->document()->findBlock(headingPositions_[index]);
    QTextCursor cursor(block);
    text_->setTextCursor(cursor);
    const QRectF place = text_->document()->documentLayout()->blockBoundingRect(block);
    text_->verticalScrollBar()->setValue(static_cast<int>(place.top()));
}

int HelpWindow::markMatches(const QString& words) {
    QList<QTextEdit::ExtraSelection> marks;
    if (!words.isEmpty()) {
        for (QTextCursor found = text_->document()->find(words); !found.isNull();
             found = text_->document()->find(words, found)) {
            marks.append({found, matchFormat()});
        }
    }
    text_->setExtraSelections(marks);
    return static_cast<int>(marks.size());
}

bool HelpWindow::findNext(const QString& words) {
    if (words.isEmpty()) return false;
    if (!text_->find(words)) {
        text_->moveCursor(QTextCursor::Start);
        if (!text_->find(words)) return false;
    }
    // The place found stands in the upper third, with its context below it.
    QScrollBar* bar = text_->verticalScrollBar();
    bar->setValue(bar->value() + text_->cursorRect().top() - text_->viewport()->height() / 3);
    return true;
}

}  // namespace q32::standin

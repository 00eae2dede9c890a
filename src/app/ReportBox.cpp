#include "app/ReportBox.h"

#include <QAbstractTextDocumentLayout>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>

namespace pq {
namespace {
constexpr qreal LineHeightInEm = 1.25;
} // namespace

ReportBox::ReportBox(QWidget *parent) : QTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true); // Tab moves on, as in any dialog; the box is for text, not tabs
    setAcceptRichText(false);
    setLineHeightEverywhere();
}

qreal ReportBox::lineHeight() const
{
    return LineHeightInEm * QFontInfo(font()).pixelSize();
}

void ReportBox::setReportText(const QString &text)
{
    setPlainText(text); // a fresh document, whose paragraphs have the default format again
    setLineHeightEverywhere();
}

void ReportBox::showParagraphAt(int position)
{
    const QTextBlock paragraph = document()->findBlock(position);
    const QRectF area = document()->documentLayout()->blockBoundingRect(paragraph);
    QScrollBar *scrollBar = verticalScrollBar();
    const int viewHeight = viewport()->height();
    const int top = qFloor(area.top());
    const int bottom = qCeil(area.bottom());
    if (bottom > scrollBar->value() + viewHeight)
        scrollBar->setValue(bottom - viewHeight);
    else if (top < scrollBar->value())
        scrollBar->setValue(top);
}

void ReportBox::changeEvent(QEvent *event)
{
    QTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        setLineHeightEverywhere();
}

void ReportBox::keyPressEvent(QKeyEvent *event)
{
    // QTextEdit's Enter in an empty paragraph resets the paragraph's format (it ends a list in rich
    // text) and starts no new one. Here the format is only the line height: Enter always starts a new
    // paragraph, in the same format.
    if (event->matches(QKeySequence::InsertParagraphSeparator) && !isReadOnly()) {
        QTextCursor cursor = textCursor();
        cursor.insertBlock();
        setTextCursor(cursor);
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void ReportBox::insertFromMimeData(const QMimeData *source)
{
    // Pasted and dropped text is inserted as if typed: its paragraphs take the format of the one it
    // lands in, where QTextEdit's own insertion would give them the default one.
    if (source == nullptr || !source->hasText() || isReadOnly())
        return;
    QTextCursor cursor = textCursor();
    cursor.insertText(source->text());
    setTextCursor(cursor);
}

// Not something to undo, so it leaves no step in the undo history (and clears it: after a replacement it
// is empty anyway, and a font change is rare enough).
void ReportBox::setLineHeightEverywhere()
{
    QTextBlockFormat format;
    format.setLineHeight(lineHeight(), QTextBlockFormat::FixedHeight);
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    document()->setUndoRedoEnabled(false);
    all.mergeBlockFormat(format);
    document()->setUndoRedoEnabled(true);
}

} // namespace pq

#include "app/WidgetAdapters.h"

#include "app/ReportBox.h"
#include "report/EvaluationReport.h"

#include <QTimer>

namespace pq {
namespace {

bool hasLineBreak(QStringView text)
{
    for (const QChar c : text) {
        if (c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            return true;
    }
    return false;
}

} // namespace

QString PlainTextResultBox::text() const
{
    const QTextDocument *document = m_box.document();
    if (document->revision() != m_textRevision) {
        // A paragraph break in the document is a CR LF in the text; so is a line break (Shift+Enter).
        m_text = document->toRawText();
        if (m_text.contains(QChar::LineSeparator))
            m_text.replace(QChar::LineSeparator, QChar::ParagraphSeparator);
        m_text.replace(QChar::ParagraphSeparator, LineEnd.toString());
        m_textRevision = document->revision();
    }
    return m_text;
}

void PlainTextResultBox::setText(const QString &text)
{
    const QString current = this->text();
    if (text.isEmpty() || !QStringView(text).startsWith(current)) {
        m_box.setReportText(text);
        return;
    }

    const QStringView addition = QStringView(text).sliced(current.size());
    if (addition.isEmpty())
        return;
    QTextDocument *document = m_box.document();
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    const int start = end.position();
    end.insertText(addition.toString());

    // The cache still matches unless the addition had line breaks of its own besides a final CR LF,
    // which the document may store differently.
    const QStringView body = addition.endsWith(LineEnd) ? addition.chopped(LineEnd.size()) : addition;
    if (!hasLineBreak(body)) {
        m_text = text;
        m_textRevision = document->revision();
    }

    // The newest line of text comes into view; an empty line after it (the report's last element, or
    // the line the final CR LF opens) does not push earlier lines out.
    int last = end.position();
    while (last > start && document->characterAt(last - 1).isSpace())
        --last;
    if (last > start)
        m_box.showParagraphAt(last - 1);
}

void QtPlaybackTimer::setInterval(std::chrono::milliseconds interval)
{
    if (interval > std::chrono::milliseconds::zero()) {
        m_timer.start(interval);
    } else {
        m_timer.stop();
        m_timer.setInterval(interval);
    }
}

} // namespace pq

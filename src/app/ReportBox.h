#pragma once

#include <QTextEdit>

namespace pq {

// The box the report is revealed in: plain text, editable, without scroll bars (the window gives it a
// vertical one only when the screen is too small for its form). Every paragraph is set at lineHeight(),
// whatever puts it there (the report, typing, Enter, a paste), so that a whole report fits the box in the
// window's own font.
class ReportBox final : public QTextEdit
{
    Q_OBJECT

public:
    explicit ReportBox(QWidget *parent = nullptr);

    // 1.25 em of the box's font. The layout puts the baseline four fifths down each line, which leaves
    // a full em above it for the tallest glyphs (CJK ideographs fill about 0.9 em) and a quarter of an
    // em below it for descenders. That is closer than the natural spacing of CJK fonts (about 1.45 em
    // for Noto Sans CJK), and no glyph of one line reaches into the next.
    [[nodiscard]] qreal lineHeight() const;

    // Replaces the whole text, as QTextEdit::setPlainText() does, keeping the line height.
    void setReportText(const QString &text);
    // Scrolls as little as it takes for the paragraph holding position to be wholly in view.
    void showParagraphAt(int position);

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    void setLineHeightEverywhere();
};

} // namespace pq

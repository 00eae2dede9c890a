#include "WindowTesting.h"
#include "app/Banner.h"
#include "app/MainWindow.h"
#include "app/ReportBox.h"
#include "report/EvaluationReport.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QClipboard>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleHints>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>
#include <algorithm>
#include <cmath>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace pq;
using namespace pq::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// What a process wrote to its standard output, with the line ends of text on Windows (CR LF) as "\n".
QString processOutput(QProcess &process)
{
    return QString::fromUtf8(process.readAllStandardOutput())
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Where the glyphs of a paragraph's first line are drawn, in the coordinates of the box's view.
QRectF glyphsInView(const QTextEdit *box, const QTextBlock &paragraph)
{
    const QTextLayout *layout = paragraph.layout();
    const QTextLine line = layout->lineAt(0);
    const QPointF origin = box->document()->documentLayout()->blockBoundingRect(paragraph).topLeft() -
                           layout->boundingRect().topLeft();
    const QRectF glyphs = QFontMetricsF(box->font()).tightBoundingRect(paragraph.text());
    return glyphs.translated(origin.x() + line.x(),
                             origin.y() + line.y() + line.ascent() - box->verticalScrollBar()->value());
}

// The desktop fonts the window is tried with, in points (0: the desktop's own, as the test runs): 9 pt,
// for which the form was drawn; KDE Plasma's 10 pt; GNOME's 11 pt; 14 pt; and 14 pt again, set while
// the window is open.
struct DesktopFont
{
    const char *name;
    qreal points;
    bool setWhileOpen;
};
constexpr DesktopFont DesktopFonts[] = {{"desktop's font", 0, false}, {"9 pt", 9, false},
                                        {"10 pt", 10, false},         {"11 pt", 11, false},
                                        {"14 pt", 14, false},         {"14 pt set while open", 14, true}};

void addDesktopFontColumns()
{
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("setWhileOpen");
}

// What screen readers are told without the focus moving, as the update handler sees it: for Windows (UI
// Automation) an announcement (Qt 6.8) or a value change that carries a text (Qt 6.4), for Linux (AT-SPI) a
// notification that shows, by its name. A move of the focus is told too.
QStringList heard;
void listen(QAccessibleEvent *event)
{
    QAccessibleInterface *source = event->accessibleInterface();
    if (event->type() == QAccessible::Focus) {
        heard << u"focus: "_s + (source != nullptr ? source->text(QAccessible::Name) : QString());
    } else if (source != nullptr && source->role() == QAccessible::Notification) {
        if (event->type() == QAccessible::ValueChanged)
            heard << u"UIA: "_s + static_cast<QAccessibleValueChangeEvent *>(event)->value().toString();
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        else if (event->type() == QAccessible::Announcement)
            heard << u"UIA: "_s + static_cast<QAccessibleAnnouncementEvent *>(event)->message();
#endif
        else if (event->type() == QAccessible::ObjectShow)
            heard << u"AT-SPI: "_s + source->text(QAccessible::Name);
    }
}
QStringList announced(const QString &text)
{
    return {u"UIA: "_s + text, u"AT-SPI: "_s + text};
}

// WCAG's contrast of two colours, from 1 (the same) to 21 (black on white).
qreal contrast(QColor a, QColor b)
{
    const auto luminance = [](QColor c) {
        const auto linear = [](qreal v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const qreal first = luminance(a);
    const qreal second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// The colours of a picture of a control as drawn: its background, the commonest colour, and its ink, the one
// of most contrast to that.
std::pair<QColor, QColor> backgroundAndInk(const QImage &picture)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            ++counts[picture.pixel(x, y) | 0xff000000];
    }
    const QColor background =
        std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
            return a.second < b.second;
        })->first;
    QColor ink = background;
    for (auto it = counts.keyBegin(); it != counts.keyEnd(); ++it) {
        if (contrast(QColor(*it), background) > contrast(ink, background))
            ink = QColor(*it);
    }
    return {background, ink};
}

// How much larger than drawn the form is for the window's font: the font's pixels over 12, at least 1.
qreal formScale(const QWidget *window)
{
    return qMax(1.0, QFontInfo(window->font()).pixelSize() / 12.0);
}

} // namespace

class TestMainWindow final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void controlsFollowTheWindowTable_data();
    void controlsFollowTheWindowTable();
    void captionsFitTheirControls_data();
    void captionsFitTheirControls();
    void screenReadersHearChineseNames_data();
    void screenReadersHearChineseNames();
    void windowOpensIdleWithTheStartButtonFocused();
    void tabVisitsTheControlsInTableOrder();
    void completeRunWithTheRealTimer();
    void restartDuringPlaybackThroughTheButton();
    void screenReadersHearEachReportStartAndComplete();
    void typingAndSelectingBetweenTicksIsKept();
    void resultBoxReadsBackWhatItShows_data();
    void resultBoxReadsBackWhatItShows();
    void newestLineStaysInView_data();
    void newestLineStaysInView();
    void closingDuringPlaybackEndsEverything();
    void errorEscapingAHandlerIsReportedOnce();
    void programShowsTheErrorAndExitsNonZero();
    void programClosedDuringPlaybackExitsZero();
    void windowAnnouncesTheDesktopEntry();
    void coloursFollowTheDesktop();

private:
    MainWindow *open(ReportPlayback::ReportSource buildReport = {},
                     MainWindow::ErrorReporter reportError = {});
    void openWithFont(qreal points, bool setWhileOpen);
    void setDesktopFont(qreal points);
    void tick(int times = 1) const;
    template<typename T> T *control(const char *name) const { return findControl<T>(m_window, name); }

    QPointer<MainWindow> m_window;
    QFont m_desktopFont;
#ifdef Q_OS_WIN
    NONCLIENTMETRICSW m_windowsFonts{}; // the message font among them is the desktop's font
#endif
};

void TestMainWindow::initTestCase()
{
    m_desktopFont = QApplication::font();
#ifdef Q_OS_WIN
    m_windowsFonts.cbSize = sizeof(m_windowsFonts);
    QVERIFY(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, m_windowsFonts.cbSize, &m_windowsFonts, 0));
#endif
}

MainWindow *TestMainWindow::open(ReportPlayback::ReportSource buildReport,
                                 MainWindow::ErrorReporter reportError)
{
    if (!reportError)
        reportError = [](const std::exception &error) { QFAIL(error.what()); };
    m_window = new MainWindow(std::move(buildReport), std::move(reportError));
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window))
        qFatal("window not exposed");
    return m_window;
}

void TestMainWindow::cleanup()
{
    delete m_window.data();
    QApplication::setFont(m_desktopFont);
#ifdef Q_OS_WIN
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, m_windowsFonts.cbSize, &m_windowsFonts,
                          SPIF_UPDATEINIFILE);
#endif
}

// The desktop's font at another size, set as a desktop sets it: for the whole program (KDE's platform
// integration calls QApplication::setFont when the user changes it), or while the window is open on
// Windows, as Windows does when the user changes the text size: its message font changes, and every
// window is told. Points 0 leave it as it is.
void TestMainWindow::setDesktopFont(qreal points)
{
    if (points <= 0)
        return;
#ifdef Q_OS_WIN
    if (m_window != nullptr) {
        NONCLIENTMETRICSW fonts = m_windowsFonts;
        fonts.lfMessageFont.lfHeight = -qRound(points * GetDpiForSystem() / 72); // pixels at the system dpi
        QVERIFY(SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, fonts.cbSize, &fonts,
                                      SPIF_UPDATEINIFILE | SPIF_SENDCHANGE));
        const int pixels = qRound(points * 96 / 72);
        (void)QTest::qWaitFor([&] { return QFontInfo(m_window->font()).pixelSize() == pixels; });
        QCOMPARE(QFontInfo(m_window->font()).pixelSize(), pixels);
        return;
    }
#endif
    QFont font = m_desktopFont;
    font.setPointSizeF(points);
    QApplication::setFont(font);
    // Qt posts the change to the windows; their controls follow when it arrives.
    if (m_window != nullptr) {
        (void)QTest::qWaitFor([&] { return m_window->font().pointSizeF() == points; });
        QCOMPARE(m_window->font().pointSizeF(), points);
    }
}

void TestMainWindow::openWithFont(qreal points, bool setWhileOpen)
{
    if (!setWhileOpen)
        setDesktopFont(points);
    open();
    if (setWhileOpen)
        setDesktopFont(points);
}

void TestMainWindow::tick(int times) const
{
    deliverTicks(control<QTimer>("revealTimer"), times);
}

void TestMainWindow::controlsFollowTheWindowTable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<qreal>("points");

    // The rectangles as drawn, for a 9 pt font; with a larger one, each grows by as much as the font.
    for (const qreal points : {9.0, 14.0}) {
        const auto row = [points](const char *name) -> QTestData & {
            return QTest::addRow("%s at %g pt", name, points);
        };
        // clang-format off
        row("linkBox")     << "linkBox"     << "QLineEdit"    << "MainWindow"  << QRect(16, 520, 529, 25)  << QString() << points;
        row("banner")      << "banner"      << "pq::Banner"   << "MainWindow"  << QRect(64, 432, 465, 41)  << QString() << points;
        row("reportFrame") << "reportFrame" << "QGroupBox"    << "MainWindow"  << QRect(24, 72, 553, 345)  << "测评报告" << points;
        row("reportBox")   << "reportBox"   << "pq::ReportBox" << "reportFrame" << QRect(24, 24, 497, 297)  << QString() << points;
        row("startButton") << "startButton" << "QPushButton"  << "MainWindow"  << QRect(192, 16, 209, 41)  << "QuorixHNX服务器测评" << points;
        row("linkHint")    << "linkHint"    << "QLabel"       << "MainWindow"  << QRect(16, 480, 193, 25)  << "复制或此链接领取Quorix优惠券" << points;
        // clang-format on
    }
}

void TestMainWindow::controlsFollowTheWindowTable()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(qreal, points);

    openWithFont(points, false);
    if (qEnvironmentVariableIsSet("PQ_EXPECTED_SCALE")) // the run at another scale really is at that scale
        QCOMPARE(m_window->devicePixelRatio(), qEnvironmentVariable("PQ_EXPECTED_SCALE").toDouble());
    auto *widget = control<QWidget>(qPrintable(name));
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), kind);
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    const qreal scale = formScale(m_window);
    if (points <= 9) {
        QCOMPARE(scale, 1.0);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(m_window->size(), QSize(608, 558));
    } else { // each edge within a pixel of the drawn one's times the scale
        QVERIFY(scale > 1.4);
        const QRectF expected(QPointF(geometry.topLeft()) * scale, QSizeF(geometry.size()) * scale);
        const QRectF actual(widget->geometry());
        for (const auto &[got, wanted] :
             {std::pair(actual.left(), expected.left()), std::pair(actual.top(), expected.top()),
              std::pair(actual.right(), expected.right()), std::pair(actual.bottom(), expected.bottom())})
            QVERIFY2(qAbs(got - wanted) <= 1, qPrintable(QStringLiteral("%1 where %2").arg(got).arg(wanted)));
    }
    QVERIFY(widget->isVisible());

    QString shown;
    if (auto *button = qobject_cast<QPushButton *>(widget))
        shown = button->text();
    else if (auto *label = qobject_cast<QLabel *>(widget))
        shown = label->text();
    else if (auto *frame = qobject_cast<QGroupBox *>(widget))
        shown = frame->title();
    QCOMPARE(shown, caption);
}

void TestMainWindow::captionsFitTheirControls_data()
{
    QTest::addColumn<QString>("name");
    addDesktopFontColumns();
    for (const DesktopFont &font : DesktopFonts) {
        for (const char *name : {"startButton", "reportFrame", "linkHint", "linkBox"})
            QTest::addRow("%s, %s", name, font.name) << name << font.points << font.setWhileOpen;
    }
}

// A font or scale that clips a caption, or a form that does not grow with its font, shows here.
void TestMainWindow::captionsFitTheirControls()
{
    QFETCH(QString, name);
    QFETCH(qreal, points);
    QFETCH(bool, setWhileOpen);
    openWithFont(points, setWhileOpen);
    auto *widget = control<QWidget>(qPrintable(name));
    const QFontMetrics metrics = widget->fontMetrics();

    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        QVERIFY(metrics.horizontalAdvance(button->text()) < button->width() - 16);
        QVERIFY(metrics.height() < button->height());
    } else if (auto *label = qobject_cast<QLabel *>(widget)) {
        QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->contentsRect().width(),
                 qPrintable(QStringLiteral("%1 px of text in %2 px")
                                .arg(metrics.horizontalAdvance(label->text()))
                                .arg(label->contentsRect().width())));
        QVERIFY(metrics.height() <= label->height());
    } else if (auto *frame = qobject_cast<QGroupBox *>(widget)) {
        QVERIFY(metrics.horizontalAdvance(frame->title()) < frame->width() / 2);
        // The caption stays above the box it names.
        QVERIFY2(control<QWidget>("reportBox")->y() >= frame->contentsRect().top(),
                 qPrintable(QStringLiteral("the box at %1, the caption's room down to %2")
                                .arg(control<QWidget>("reportBox")->y())
                                .arg(frame->contentsRect().top())));
    } else if (auto *box = qobject_cast<QLineEdit *>(widget)) {
        // The link may scroll, but its host must be visible from the start.
        QVERIFY(metrics.horizontalAdvance(box->text().section(u'/', 0, 2)) < box->width() - 8);
        QCOMPARE(box->cursorPosition(), 0);
    }
}

void TestMainWindow::screenReadersHearChineseNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("spokenName");
    QTest::addColumn<QString>("spokenDescription");

    QTest::newRow("startButton") << "startButton" << QAccessible::Button << "QuorixHNX服务器测评"
                                 << "生成一份新的测评报告";
    QTest::newRow("reportFrame") << "reportFrame" << QAccessible::Grouping << "测评报告" << QString();
    QTest::newRow("reportBox") << "reportBox" << QAccessible::EditableText << "测评报告内容"
                               << "报告每半秒显示一行；数据均为随机生成，并非实际测量";
    QTest::newRow("banner") << "banner" << QAccessible::Link << "Quorix优惠券广告链接"
                            << "点击后在默认浏览器中打开Quorix领券页面";
    QTest::newRow("linkBox") << "linkBox" << QAccessible::EditableText << "Quorix优惠券链接"
                             << "可选中并复制的领券链接";
    QTest::newRow("linkHint") << "linkHint" << QAccessible::StaticText << "复制或此链接领取Quorix优惠券"
                              << QString();
}

void TestMainWindow::screenReadersHearChineseNames()
{
    QFETCH(QString, name);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, spokenName);
    QFETCH(QString, spokenDescription);

    open();
    QAccessibleInterface *accessible =
        QAccessible::queryAccessibleInterface(control<QWidget>(qPrintable(name)));
    QVERIFY(accessible != nullptr);
    QCOMPARE(accessible->role(), role);
    QCOMPARE(accessible->text(QAccessible::Name), spokenName);
    QCOMPARE(accessible->text(QAccessible::Description), spokenDescription);

    if (name == u"linkBox") { // the label introduces the link box
        const auto labelled = accessible->relations(QAccessible::Label);
        QCOMPARE(labelled.size(), 1);
        QCOMPARE(labelled.first().first->text(QAccessible::Name),
                 QStringLiteral("复制或此链接领取Quorix优惠券"));
    }
}

void TestMainWindow::windowOpensIdleWithTheStartButtonFocused()
{
    open();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("PindleQuorix服务器测评工具"));
    QCOMPARE(m_window->size(), QSize(608, 558));
    QVERIFY(!m_window->windowIcon().pixmap(32, 32).isNull());
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>("startButton"));

    auto *timer = control<QTimer>("revealTimer");
    QCOMPARE(timer->interval(), 0);
    QVERIFY(!timer->isActive());
    QCOMPARE(timer->timerType(), Qt::PreciseTimer);

    auto *box = control<QTextEdit>("reportBox");
    QVERIFY(box->toPlainText().isEmpty());
    QVERIFY(!box->isReadOnly());
    QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    // Nothing ticks before the first click.
    QSignalSpy ticks(timer, &QTimer::timeout);
    QTest::qWait(600);
    QCOMPARE(ticks.count(), 0);
}

void TestMainWindow::tabVisitsTheControlsInTableOrder()
{
    open();
    QVERIFY(QTest::qWaitForWindowActive(m_window));

    // The frame and the label take no focus; the multi-line box passes Tab on rather than taking it.
    QStringList visited;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, QStringList({u"reportBox"_s, u"banner"_s, u"linkBox"_s, u"startButton"_s}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), u"linkBox"_s);
}

void TestMainWindow::completeRunWithTheRealTimer()
{
    ClockSeededRandom random;
    QString report;
    open([&] { return report = buildEvaluationReport(random, systemNumberStyle()); });
    auto *box = control<QTextEdit>("reportBox");
    auto *timer = control<QTimer>("revealTimer");
    box->setPlainText(QStringLiteral("left over"));

    QTest::mouseClick(control<QPushButton>("startButton"), Qt::LeftButton);
    QCOMPARE(boxText(box), QString());
    QCOMPARE(timer->interval(), 500);
    QVERIFY(timer->isActive());

    const QString firstLine = QStringLiteral("网速测试：ping值测试\r\n");
    (void)QTest::qWaitFor([&] { return boxText(box) == firstLine; }, 2000);
    QCOMPARE(boxText(box), firstLine);
    QVERIFY(QTest::qWaitFor([&] { return !timer->isActive(); }, 15000));
    QCOMPARE(boxText(box), report + CrLf);
    QCOMPARE(m_window->playbackState().nextLine, 20);
    QCOMPARE(timer->interval(), 0);
}

void TestMainWindow::restartDuringPlaybackThroughTheButton()
{
    open(letteredReports());
    auto *button = control<QPushButton>("startButton");
    auto *box = control<QTextEdit>("reportBox");

    QTest::mouseClick(button, Qt::LeftButton);
    tick(6);
    QCOMPARE(boxText(box), firstLines(u'A', 6));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(boxText(box), QString());
    tick(21);

    QCOMPARE(boxText(box), firstLines(u'B', 19) + CrLf);
    QVERIFY(!control<QTimer>("revealTimer")->isActive());
}

// Once when a report starts and once when its last element is shown, whatever has the focus, and nothing for
// the lines in between or for a report that a new click drops. Nothing shows on the screen for it, and
// nothing stays behind.
void TestMainWindow::screenReadersHearEachReportStartAndComplete()
{
    open(letteredReports());
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    auto *button = control<QPushButton>("startButton");
    // Qt tells the update handler only while a screen reader is there. Here the platform's accessibility is
    // made active by hand, as Qt's own tests do.
    QPlatformAccessibility *accessibility = QGuiApplicationPrivate::platformIntegration()->accessibility();
    QVERIFY(accessibility != nullptr);
    heard.clear();
    QAccessible::installUpdateHandler(listen);
    accessibility->setActive(true);
    const auto stopListening = qScopeGuard([accessibility] {
        accessibility->setActive(false);
        QAccessible::installUpdateHandler(nullptr);
    });
    const QStringList started = announced(u"正在生成测评报告，约需10秒"_s);
    const QStringList complete = announced(u"测评报告已完成，共19行，可在测评报告内容框中阅读"_s);

    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(heard, started);
    tick(6);
    QTest::mouseClick(button, Qt::LeftButton); // the first report is dropped
    tick(19);
    QCOMPARE(heard, started + started);
    tick();
    QCOMPARE(heard, started + started + complete);
    tick(2);
    QVERIFY(!control<QTimer>("revealTimer")->isActive());
    QCOMPARE(heard, started + started + complete);

    QCOMPARE(QApplication::focusWidget(), button);
    auto *announcer = control<QWidget>("screenReaderAnnouncer");
    QVERIFY(announcer->geometry().isEmpty());
    QCOMPARE(announcer->focusPolicy(), Qt::NoFocus);
    // It shows for a moment, for screen readers to find it showing, and is then gone from a review.
    QVERIFY(announcer->isVisible());
    QVERIFY(QTest::qWaitFor([announcer] { return !announcer->isVisible(); }, 5000));
    QCOMPARE(heard, started + started + complete);
}

void TestMainWindow::typingAndSelectingBetweenTicksIsKept()
{
    open(letteredReports());
    auto *box = control<ReportBox>("reportBox");
    QTest::mouseClick(control<QPushButton>("startButton"), Qt::LeftButton);
    tick(2);

    box->setFocus();
    box->moveCursor(QTextCursor::End);
    QTest::keyClicks(box, QStringLiteral("note"));
    tick();
    QCOMPARE(boxText(box), QStringLiteral("A1\r\nA2\r\nnoteA3\r\n"));

    // Typing replaces the head of the first line; the next tick still appends at the end.
    box->moveCursor(QTextCursor::Start);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, QStringLiteral("X"));
    tick();
    QCOMPARE(boxText(box), QStringLiteral("X1\r\nA2\r\nnoteA3\r\nA4\r\n"));

    // A selection stays what it was.
    QTextCursor selection = box->textCursor();
    selection.setPosition(3);
    selection.setPosition(5, QTextCursor::KeepAnchor);
    box->setTextCursor(selection);
    setDesktopFont(14); // the desktop's font changes: the window grows, the text and selection stay
    QVERIFY(box->width() > 497 * 1.4);
    tick(3);
    QCOMPARE(box->textCursor().selectedText(), QStringLiteral("A2"));
    QCOMPARE(boxText(box), QStringLiteral("X1\r\nA2\r\nnoteA3\r\nA4\r\nA5\r\nA6\r\nA7\r\n"));

    // Lines started with Enter, even on an empty line, and pasted lines are set like the report's.
    box->moveCursor(QTextCursor::End);
    QTest::keyClick(box, Qt::Key_Return);
    QGuiApplication::clipboard()->setText(QStringLiteral("p1\np2"));
    box->paste();
    tick();
    QCOMPARE(boxText(box),
             QStringLiteral("X1\r\nA2\r\nnoteA3\r\nA4\r\nA5\r\nA6\r\nA7\r\n\r\np1\r\np2A8\r\n"));
    for (QTextBlock line = box->document()->begin(); line.isValid(); line = line.next())
        QCOMPARE(line.blockFormat().lineHeight(), box->lineHeight());
}

void TestMainWindow::resultBoxReadsBackWhatItShows_data()
{
    QTest::addColumn<QString>("added");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("a line") << u"b\r\n"_s << u"b\r\n"_s;
    QTest::newRow("a line feed inside") << u"b\nc\r\n"_s << u"b\r\nc\r\n"_s;
    QTest::newRow("a carriage return inside") << u"b\rc\r\n"_s << u"b\r\nc\r\n"_s;
    QTest::newRow("a paragraph separator inside") << u"b\u2029c\r\n"_s << u"b\r\nc\r\n"_s;
    QTest::newRow("a line separator inside") << u"b\u2028c"_s << u"b\r\nc"_s;
}

// An addition with line breaks of its own is shown as separate lines, and read back as it is shown.
void TestMainWindow::resultBoxReadsBackWhatItShows()
{
    QFETCH(QString, added);
    QFETCH(QString, readBack);
    ReportBox box;
    PlainTextResultBox resultBox(box);
    resultBox.setText(u"a\r\n"_s);
    resultBox.setText(u"a\r\n"_s + added);
    QCOMPARE(resultBox.text(), u"a\r\n"_s + readBack);
    QCOMPARE(boxText(&box), u"a\r\n"_s + readBack);
}

void TestMainWindow::newestLineStaysInView_data()
{
    QTest::addColumn<int>("linesTyped");
    addDesktopFontColumns();
    for (const DesktopFont &font : DesktopFonts)
        QTest::addRow("the report alone, %s", font.name) << 0 << font.points << font.setWhileOpen;
    QTest::newRow("ten empty lines typed after its second line") << 10 << 0.0 << false;
}

// The glyphs of the report's lines lie in the box's view, each line's below the line before: with the
// report alone, all 19 of them when it is complete; otherwise at least the newest line at every tick.
// The window lies in the screen's available area; where that has less room than the form needs at its
// font's size, the form is as large as the screen allows and the box scrolls instead.
void TestMainWindow::newestLineStaysInView()
{
    QFETCH(int, linesTyped);
    QFETCH(qreal, points);
    QFETCH(bool, setWhileOpen);
    if (points <= 0 && qEnvironmentVariableIsSet("PQ_EXPECTED_DESKTOP_FONT_PIXELS")) // the run's text size
        QCOMPARE(QFontInfo(m_desktopFont).pixelSize(),
                 qEnvironmentVariableIntValue("PQ_EXPECTED_DESKTOP_FONT_PIXELS"));
    ClockSeededRandom random;
    if (!setWhileOpen)
        setDesktopFont(points);
    open([&] { return buildEvaluationReport(random, NumberStyle{}); });
    auto *box = control<ReportBox>("reportBox");
    QTest::mouseClick(control<QPushButton>("startButton"), Qt::LeftButton);

    const auto lineInView = [box](const QTextBlock &paragraph) {
        const QRectF ink = glyphsInView(box, paragraph);
        return ink.top() >= 0 && ink.bottom() <= box->viewport()->height();
    };
    for (int k = 1; k <= 21; ++k) {
        if (k == 3) {
            for (int i = 0; i < linesTyped; ++i)
                QTest::keyClick(box, Qt::Key_Enter);
        }
        if (k == 8 && setWhileOpen) { // in the screen's far corner, where the larger window would not fit
            const QRect area = m_window->screen()->availableGeometry();
            m_window->move(area.bottomRight() - m_window->frameGeometry().bottomRight() + m_window->pos());
            setDesktopFont(points);
        }
        tick();
        QTextBlock newest = box->document()->lastBlock();
        while (newest.text().isEmpty())
            newest = newest.previous();
        QVERIFY2(lineInView(newest),
                 qPrintable(QStringLiteral("tick %1: the newest line is out of view").arg(k)));
    }

    const QRect area = m_window->screen()->availableGeometry();
    QVERIFY2(area.contains(m_window->frameGeometry()),
             qPrintable(QStringLiteral("the window reaches past the screen's available area, %1 x %2")
                            .arg(area.width())
                            .arg(area.height())));
    const QSize room = area.size().shrunkBy(m_window->windowHandle()->frameMargins());
    const qreal scale = formScale(m_window);
    const bool formFits = qRound(608 * scale) <= room.width() && qRound(558 * scale) <= room.height();
    if (qEnvironmentVariableIsSet("PQ_SMALL_SCREEN") && points >= 14)
        QVERIFY(!formFits); // the run on a small screen does try the form that does not fit
    QCOMPARE(box->verticalScrollBar()->isVisible(), !formFits);
    if (linesTyped > 0) {
        QVERIFY(box->verticalScrollBar()->value() > 0); // it did have to scroll
        return;
    }
    if (!formFits)
        return;
    QCOMPARE(box->document()->blockCount(), 21); // the report, its empty last element, and the caret's line
    for (QTextBlock line = box->document()->begin(); line.blockNumber() < 19; line = line.next()) {
        QVERIFY2(lineInView(line),
                 qPrintable(QStringLiteral("line %1 is out of view").arg(line.blockNumber() + 1)));
        if (line.blockNumber() > 0) {
            QVERIFY2(glyphsInView(box, line.previous()).bottom() <= glyphsInView(box, line).top(),
                     qPrintable(QStringLiteral("lines %1 and %2 overlap")
                                    .arg(line.blockNumber())
                                    .arg(line.blockNumber() + 1)));
        }
    }
    // The letters are the window's own size.
    QCOMPARE(QFontInfo(box->font()).pixelSize(), QFontInfo(control<QLabel>("linkHint")->font()).pixelSize());
}

void TestMainWindow::closingDuringPlaybackEndsEverything()
{
    open(letteredReports());
    QTest::mouseClick(control<QPushButton>("startButton"), Qt::LeftButton);
    tick(2);
    QPointer<QTimer> timer = control<QTimer>("revealTimer");

    QVERIFY(m_window->close());
    QVERIFY(!timer->isActive()); // before the window is deleted, no tick may come any more
    QVERIFY(QTest::qWaitFor([this] { return m_window.isNull(); }));
    QVERIFY(timer.isNull());
}

void TestMainWindow::errorEscapingAHandlerIsReportedOnce()
{
    // The second report has 32,769 elements: the upper bound does not fit the 16-bit lastLine. It
    // comes while the first one plays, so the timer is running when the error escapes.
    QStringList reported;
    open(
        [reports = letteredReports(), made = 0]() mutable {
            return ++made == 1 ? reports() : QString(32768, u'\n').replace(QStringLiteral("\n"), CrLf);
        },
        [&](const std::exception &error) { reported << QString::fromUtf8(error.what()); });

    QTest::mouseClick(control<QPushButton>("startButton"), Qt::LeftButton);
    tick(2);
    QTest::mouseClick(control<QPushButton>("startButton"), Qt::LeftButton);
    QCOMPARE(reported, QStringList{QStringLiteral("溢出")});
    QVERIFY(!control<QTimer>("revealTimer")->isActive());
}

void TestMainWindow::programShowsTheErrorAndExitsNonZero()
{
    QProcess probe;
    probe.start(QStringLiteral(WINDOW_PROBE), {QStringLiteral("overflow")});
    QVERIFY(probe.waitForFinished(30000));
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 1);
    QCOMPARE(processOutput(probe), QStringLiteral("运行时错误 '6':\n\n溢出\n"));
}

void TestMainWindow::programClosedDuringPlaybackExitsZero()
{
    QProcess probe;
    probe.start(QStringLiteral(WINDOW_PROBE), {QStringLiteral("close")});
    QVERIFY(probe.waitForFinished(30000));
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);
    QCOMPARE(processOutput(probe), QStringLiteral("ticks after close: 0\n"));
}

// Linux desktops find the desktop entry of a window by the entry's file name (the Wayland app_id) or by its
// StartupWMClass (the class in X11's WM_CLASS, which Qt takes from the application's name).
void TestMainWindow::windowAnnouncesTheDesktopEntry()
{
    m_window = openMainWindow(); // exactly as the program starts
    QCOMPARE(QGuiApplication::desktopFileName() + u".desktop"_s, QStringLiteral(DESKTOP_ENTRY_FILE_NAME));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral(DESKTOP_ENTRY_STARTUP_WM_CLASS));
}

// The window in the desktop's colours: on Windows 11 (Qt's Windows 11 style) dark in the dark mode and light
// in the light mode, on Windows 10 (the Vista style) light in either, never half dark. PQ_EXPECTED_STYLE and
// PQ_EXPECTED_COLOURS (light unless set) say what the run's desktop asks for. Whichever it is, every
// control's text is readable against what it is drawn on: WCAG's 4.5:1 at least, in a complete report too.
void TestMainWindow::coloursFollowTheDesktop()
{
    const bool dark = qEnvironmentVariable("PQ_EXPECTED_COLOURS") == u"dark";
    m_window = openMainWindow(); // exactly as the program starts
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    if (qEnvironmentVariableIsSet("PQ_EXPECTED_STYLE"))
        QCOMPARE(QApplication::style()->name(), qEnvironmentVariable("PQ_EXPECTED_STYLE"));
    QTest::mouseClick(control<QPushButton>("startButton"), Qt::LeftButton);
    tick(21);
    QVERIFY(!control<QTimer>("revealTimer")->isActive()); // the report is complete
    control<QWidget>("startButton")->clearFocus();        // its focus frame is not what it always looks like

    // What the window shows once it has settled: Windows' styles fade a control from one state to the next.
    QImage window;
    QVERIFY(QTest::qWaitFor(
        [&] {
            QImage now = m_window->grab().toImage();
            std::swap(now, window);
            return now == window;
        },
        5000));
    // Most of the window is its background: the median grey of its picture.
    QList<int> greys;
    for (int y = 0; y < window.height(); y += 2) {
        for (int x = 0; x < window.width(); x += 2)
            greys << qGray(window.pixel(x, y));
    }
    std::nth_element(greys.begin(), greys.begin() + greys.size() / 2, greys.end());
    const int median = greys[greys.size() / 2];
    QVERIFY2(dark ? median < 80 : median > 180, qPrintable(u"the window's median grey is %1"_s.arg(median)));

#if defined(Q_OS_WIN) && QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // What Windows draws and Qt's tool tips (the banner's link) follow the colours the program says it has.
    QCOMPARE(QGuiApplication::styleHints()->colorScheme(),
             dark ? Qt::ColorScheme::Dark : Qt::ColorScheme::Light);
    const int toolTipGrey = qGray(QApplication::palette("QTipLabel").color(QPalette::ToolTipBase).rgb());
    QVERIFY2(dark ? toolTipGrey < 100 : toolTipGrey > 160,
             qPrintable(u"tool tips on grey %1"_s.arg(toolTipGrey)));
#endif
    for (const char *name : {"startButton", "reportBox", "linkBox"}) {
        const QWidget *widget = control<QWidget>(name);
        if (const auto *box = qobject_cast<const QTextEdit *>(widget))
            widget = box->viewport();
        const QRectF shown(widget->mapTo(m_window, QPoint()), widget->size());
        const qreal ratio = window.devicePixelRatio();
        const auto [background, ink] =
            backgroundAndInk(window.copy(QRectF(shown.topLeft() * ratio, shown.size() * ratio).toRect()));
        const QString seen = u"%1: %2 on %3"_s.arg(QLatin1String(name), ink.name(), background.name());
        QVERIFY2(dark ? qGray(background.rgb()) < 100 : qGray(background.rgb()) > 160, qPrintable(seen));
        QVERIFY2(contrast(ink, background) >= 4.5, qPrintable(seen));
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

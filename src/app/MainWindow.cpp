#include "app/MainWindow.h"

#include "app/BuildInfo.h"
#include "app/RuntimeErrorReport.h"
#include "app/ScreenReaderAnnouncer.h"
#include "promotion/Promotion.h"
#include "report/EvaluationReport.h"
#include "ui_MainWindow.h"
#ifdef Q_OS_WIN
#include "app/WindowsDllSearch.h"
#include "app/WindowsFont.h"

#include <QStyle>
#include <QStyleHints>
#endif

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QWindow>
#include <algorithm>

namespace pq {
namespace {

// The report box's margin around its text in the form as drawn: QTextDocument's own.
constexpr qreal DrawnDocumentMargin = 4;

// What screen readers say when a report starts, and when its last line is shown.
constexpr char16_t ReportStarted[] = u"正在生成测评报告，约需10秒";
constexpr char16_t ReportComplete[] = u"测评报告已完成，共19行，可在测评报告内容框中阅读";

std::unique_ptr<Ui::MainWindow> setUpForm(QWidget *window)
{
    auto form = std::make_unique<Ui::MainWindow>();
    form->setupUi(window);
    return form;
}

QTimer *createRevealTimer(QObject *parent)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(QStringLiteral("revealTimer"));
    // The default coarse timer may fire up to 5 % late and drifts over a run.
    timer->setTimerType(Qt::PreciseTimer);
    return timer;
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : MainWindow({}, {}, parent) {}

MainWindow::MainWindow(ReportPlayback::ReportSource buildReport, ErrorReporter reportError, QWidget *parent)
    : QWidget(parent), m_ui(setUpForm(this)), m_form(*this), m_revealTimer(createRevealTimer(this)),
      m_announcer(new ScreenReaderAnnouncer(this)), m_resultBox(*m_ui->reportBox), m_timer(*m_revealTimer),
      m_playback(
          m_resultBox, m_timer,
          buildReport ? std::move(buildReport)
                      : [this] { return buildEvaluationReport(m_random, systemNumberStyle()); }),
      m_reportError(reportError ? std::move(reportError)
                                : [this](const std::exception &error) { reportErrorAndQuit(this, error); })
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf16(build::WindowCaption));
    setWindowIcon(QIcon(QStringLiteral(":/pindlequorix/icon.png")));
    m_ui->startButton->setFocus();

    // The link box shows the link from its start; what the user does to it never reaches the banner.
    const QString link = promotionUrl();
    m_ui->linkBox->setText(link);
    m_ui->linkBox->setCursorPosition(0);
    m_ui->banner->setPicture(bannerPicture(), bannerPictureAtTwiceTheSize());
    m_ui->banner->setToolTip(link);

    connect(m_ui->startButton, &QPushButton::clicked, this, [this] {
        runHandler([this] {
            m_playback.start();
            m_announcer->announce(QString::fromUtf16(ReportStarted));
        });
    });
    connect(m_revealTimer, &QTimer::timeout, this, [this] {
        runHandler([this] {
            if (m_playback.revealNextLine())
                m_announcer->announce(QString::fromUtf16(ReportComplete));
        });
    });
    connect(m_ui->banner, &Banner::clicked, this, [this] { runHandler(openPromotionLink); });
    fitFontAndScreen();
}

MainWindow::~MainWindow() = default;

void MainWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // The desktop's font can change while the window is open (KDE and Windows change it live). The
    // controls have their new font by now.
    if (event->type() == QEvent::FontChange)
        fitFontAndScreen();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous()) // shown again after being minimised: the user's size stays
        return;
    // Now the window has its screen and, on Windows, its frame's size.
    connect(windowHandle(), &QWindow::screenChanged, this, &MainWindow::fitFontAndScreen,
            Qt::UniqueConnection);
    fitFontAndScreen();
}

void MainWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    // On X11 the frame's size is known only once the window manager has framed the window, which moves it.
    if (windowHandle() != nullptr && windowHandle()->frameMargins() != m_frameFittedTo)
        fitFontAndScreen();
}

bool MainWindow::nativeEvent(const QByteArray &eventType, void *message, qintptr *result)
{
#ifdef Q_OS_WIN
    // Qt reads Windows' fonts only at start-up. A change while the program runs (the user's text size)
    // is passed on here as KDE passes on its own: as the program's font, which every control follows.
    if (const std::optional<QFont> font = windowsMessageFontAfter(message))
        QApplication::setFont(*font);
#endif
    return QWidget::nativeEvent(eventType, message, result);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing ends the playback at once. The window is deleted only when control is back in the event
    // loop, and hiding it may take a while (seconds under Wine): a tick that comes due meanwhile would
    // still be delivered to the closed window.
    m_revealTimer->stop();
    QWidget::closeEvent(event);
}

template<typename Handler> void MainWindow::runHandler(Handler handler) noexcept
{
    try {
        handler();
    } catch (const std::exception &error) {
        // Nothing may tick while the error is shown: the program ends after it.
        m_revealTimer->stop();
        m_reportError(error);
    }
}

// The form at the scale of the window's font, unless the screen has less room than that: then as large as
// the screen allows, and the report box scrolls. Nothing else changes: the report, the playback, the text
// typed and the caret stay as they are.
void MainWindow::fitFontAndScreen()
{
    const qreal forFont = ScaledForm::scaleFor(font());
    const QSize drawn = m_form.size(1);
    // The frame's size is known once the window exists: on Windows as soon as it is created, on X11 once
    // the window manager has framed it.
    m_frameFittedTo = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    const QSize room = screen()->availableGeometry().size().shrunkBy(m_frameFittedTo);
    const qreal scale =
        std::min({forFont, qreal(room.width()) / drawn.width(), qreal(room.height()) / drawn.height()});

    m_form.layOut(scale);
    // Where the screen holds the form smaller than its font asks, the hint still shows all its text: it
    // has room to its right.
    QLabel *hint = m_ui->linkHint;
    hint->resize(std::max(hint->width(), hint->sizeHint().width()), hint->height());
    m_ui->reportBox->document()->setDocumentMargin(DrawnDocumentMargin * scale);
    m_ui->reportBox->setVerticalScrollBarPolicy(scale < forFont ? Qt::ScrollBarAsNeeded
                                                                : Qt::ScrollBarAlwaysOff);
    m_ui->banner->setPictureScale(scale);
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        resize(m_form.size(scale).boundedTo(room));
        keepOnScreen();
    }
}

// A window that a larger font has made reach past the screen's available area moves back into it. Before
// the window opens, the desktop places it.
void MainWindow::keepOnScreen()
{
    if (!isVisible() || windowHandle() == nullptr)
        return;
    const QRect area = screen()->availableGeometry();
    const QSize frame = size().grownBy(windowHandle()->frameMargins());
    const QPoint at(std::max(area.left(), std::min(x(), area.x() + area.width() - frame.width())),
                    std::max(area.top(), std::min(y(), area.y() + area.height() - frame.height())));
    if (at != pos())
        move(at);
}

void prepareApplication()
{
#ifdef Q_OS_WIN
    // Before anything could call into a DLL that Windows would look for in the program's folder: the
    // program imports only KnownDLLs, which Windows takes from System32 whatever the search path, and
    // loads the others when it first calls them (cmake/DelayLoad.cmake).
    loadDllsFromSystem32Only();
#endif
#ifdef QT_STATIC
    QCoreApplication::setLibraryPaths({});
#endif
}

MainWindow *openMainWindow()
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); // the program's own language
#if defined(Q_OS_WIN) && QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // In Windows' dark mode Qt draws the window dark with its Windows 11 style. Its Vista style (Windows 10)
    // can draw only light controls, and Qt gives them light colours; the window's frame and tool tips would
    // still be dark. With that style the whole program is light, as it is in the light mode.
    if (QGuiApplication::styleHints()->colorScheme() == Qt::ColorScheme::Dark &&
        QApplication::style()->name() != u"windows11")
        QGuiApplication::styleHints()->setColorScheme(Qt::ColorScheme::Light);
#endif
    // Linux desktops match the window to the desktop entry the program is installed as, and so show its icon
    // and name and let it be pinned: on Wayland by the app_id, which Qt takes from the desktop file name; on
    // X11 by the class in WM_CLASS, which Qt takes from the application's name.
    const QString desktopEntryId = QString::fromUtf16(build::DesktopEntryId);
    QGuiApplication::setDesktopFileName(desktopEntryId);
    QCoreApplication::setApplicationName(desktopEntryId);
    auto *window = new MainWindow; // deletes itself when closed
    window->show();
    return window;
}

} // namespace pq

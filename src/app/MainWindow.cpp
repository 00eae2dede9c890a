#include "app/MainWindow.h"

#include "app/BuildInfo.h"
#include "app/RuntimeErrorReport.h"
#include "promotion/Promotion.h"
#include "report/EvaluationReport.h"
#include "ui_MainWindow.h"

#include <QIcon>
#include <QLocale>
#include <QTimer>

namespace pq {
namespace {

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
    : QWidget(parent), m_ui(setUpForm(this)), m_revealTimer(createRevealTimer(this)),
      m_resultBox(*m_ui->reportBox), m_timer(*m_revealTimer),
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

    connect(m_ui->startButton, &QPushButton::clicked, this,
            [this] { runHandler([this] { m_playback.start(); }); });
    connect(m_revealTimer, &QTimer::timeout, this,
            [this] { runHandler([this] { m_playback.revealNextLine(); }); });
    connect(m_ui->banner, &Banner::clicked, this, [this] { runHandler(openPromotionLink); });
}

MainWindow::~MainWindow() = default;

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

MainWindow *openMainWindow()
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); // the program's own language
    auto *window = new MainWindow;                                  // deletes itself when closed
    window->show();
    return window;
}

} // namespace pq

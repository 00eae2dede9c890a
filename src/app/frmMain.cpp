#include "frmMain.h"

#include "ControlTable.h"
#include "EvaluationReport.h"
#include "PictureBox.h"
#include "Promotion.h"
#include "ReportBox.h"
#include "RuntimeErrorReport.h"

#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace pq {
namespace {

template<typename Control> Control *Create(QWidget *parent, const ControlRow &row)
{
    auto *control = new Control(parent);
    control->setObjectName(row.name.toString());
    if constexpr (std::is_base_of_v<QWidget, Control>) {
        control->setGeometry(row.geometry);
        control->setAccessibleName(row.accessibleName.toString());
        control->setAccessibleDescription(row.accessibleDescription.toString());
    }
    if constexpr (std::is_same_v<Control, QGroupBox>)
        control->setTitle(row.caption.toString());
    if constexpr (std::is_same_v<Control, QPushButton> || std::is_same_v<Control, QLabel>)
        control->setText(row.caption.toString());
    return control;
}

QTimer *CreatePlaybackTimer(QObject *parent)
{
    auto *timer = Create<QTimer>(nullptr, Control(u"Timer1"));
    timer->setParent(parent);
    // The default coarse timer may fire up to 5 % late and drifts over a run.
    timer->setTimerType(Qt::PreciseTimer);
    return timer;
}

// Tab visits the controls by their tab index; those that cannot take focus (frame, label) are passed over.
void SetTabOrder(const QWidget &window)
{
    std::array<const ControlRow *, Controls.size()> byTabIndex{};
    std::transform(Controls.begin(), Controls.end(), byTabIndex.begin(),
                   [](const ControlRow &row) { return &row; });
    std::sort(byTabIndex.begin(), byTabIndex.end(),
              [](const ControlRow *a, const ControlRow *b) { return a->tabIndex < b->tabIndex; });

    QWidget *previous = nullptr;
    for (const ControlRow *row : byTabIndex) {
        auto *widget = window.findChild<QWidget *>(row->name.toString());
        if (widget == nullptr || (widget->focusPolicy() & Qt::TabFocus) == 0)
            continue;
        if (previous != nullptr)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace

frmMain::frmMain(QWidget *parent) : frmMain({}, {}, parent) {}

frmMain::frmMain(ReportPlayback::ReportSource buildReport, ErrorReporter reportError, QWidget *parent)
    : QWidget(parent), Text1(Create<QLineEdit>(this, Control(u"Text1"))),
      Picture1(Create<PictureBox>(this, Control(u"Picture1"))), Timer1(CreatePlaybackTimer(this)),
      Frame1(Create<QGroupBox>(this, Control(u"Frame1"))),
      txtJieguo(Create<ReportBox>(Frame1, Control(u"txtJieguo"))),
      btnStart(Create<QPushButton>(this, Control(u"btnStart"))),
      Label1(Create<QLabel>(this, Control(u"Label1"))), m_resultBox(*txtJieguo), m_timer(*Timer1),
      m_playback(
          m_resultBox, m_timer,
          buildReport
              ? std::move(buildReport)
              : [this] { return BuildEvaluationReport(ProvinceList, m_random, SystemNumberStyle()); }),
      m_reportError(reportError ? std::move(reportError)
                                : [this](const std::exception &error) { ReportErrorAndQuit(this, error); })
{
    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(WindowCaption.toString());
    setWindowIcon(QIcon(QStringLiteral(":/pindlequorix/icon.png")));
    resize(ClientSize);
    SetTabOrder(*this);
    btnStart->setFocus();

    // The link box shows the link from its start; what the user does to it never reaches the banner.
    const QString promotionUrl = PromotionUrl();
    Text1->setText(promotionUrl);
    Text1->setCursorPosition(0);
    Picture1->setPicture(BannerPicture(), BannerPictureAtTwiceTheSize());
    Picture1->setCursor(Qt::PointingHandCursor);
    Picture1->setToolTip(promotionUrl);
    Label1->setBuddy(Text1); // read out as the link box's label

    connect(btnStart, &QPushButton::clicked, this,
            [this] { RunHandler([this] { m_playback.StartEvaluation(); }); });
    connect(Timer1, &QTimer::timeout, this, [this] { RunHandler([this] { m_playback.RevealNextLine(); }); });
    connect(Picture1, &PictureBox::clicked, this, [this] { RunHandler(OpenPromotionLink); });
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // Closing ends the playback at once. The window is deleted only when control is back in the event
    // loop, and hiding it may take a while (seconds under Wine): a tick that comes due meanwhile would
    // still be delivered to the closed window.
    Timer1->stop();
    QWidget::closeEvent(event);
}

template<typename Handler> void frmMain::RunHandler(Handler handler) noexcept
{
    try {
        handler();
    } catch (const std::exception &error) {
        // Nothing may tick while the error is shown: the program ends after it.
        Timer1->stop();
        m_reportError(error);
    }
}

frmMain *OpenMainWindow()
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); // the program's own language
    auto *window = new frmMain;                                     // deletes itself when closed
    window->show();
    return window;
}

} // namespace pq

#pragma once

#include "RandomSource.h"
#include "ReportPlayback.h"
#include "WidgetAdapters.h"

#include <QWidget>
#include <exception>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace pq {

class PictureBox;
class ReportBox;

// The program's only window. Closing it deletes it, and with it any playback in progress.
class frmMain final : public QWidget
{
    Q_OBJECT

public:
    using ErrorReporter = std::function<void(const std::exception &)>;

    explicit frmMain(QWidget *parent = nullptr);
    // For tests: a different report source, and a different way to report an error that escapes
    // a handler (the program shows it and ends).
    frmMain(ReportPlayback::ReportSource buildReport, ErrorReporter reportError, QWidget *parent = nullptr);

    [[nodiscard]] const PlaybackState &playbackState() const noexcept { return m_playback.state(); }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    template<typename Handler> void RunHandler(Handler handler) noexcept;

    QLineEdit *const Text1;
    PictureBox *const Picture1;
    QTimer *const Timer1;
    QGroupBox *const Frame1;
    ReportBox *const txtJieguo;
    QPushButton *const btnStart;
    QLabel *const Label1;

    QString ProvinceList;
    ClockSeededRandom m_random;
    PlainTextResultBox m_resultBox;
    QtPlaybackTimer m_timer;
    ReportPlayback m_playback;
    ErrorReporter m_reportError;
};

// The program's start-up: declares its language, then creates and shows the window.
frmMain *OpenMainWindow();

} // namespace pq

#pragma once

#include "app/ScaledForm.h"
#include "app/WidgetAdapters.h"
#include "playback/ReportPlayback.h"
#include "report/RandomSource.h"

#include <QMargins>
#include <QWidget>
#include <exception>
#include <functional>
#include <memory>

class QTimer;

namespace pq {

class ScreenReaderAnnouncer;

namespace Ui {
class MainWindow;
} // namespace Ui

// The program's only window, its form from MainWindow.ui. The form grows with the window's font, as far
// as the screen allows. Screen readers are told when a report starts and when it is complete, as a sighted
// user sees. Closing the window deletes it, and with it any playback in progress.
class MainWindow final : public QWidget
{
    Q_OBJECT

public:
    using ErrorReporter = std::function<void(const std::exception &)>;

    explicit MainWindow(QWidget *parent = nullptr);
    // For tests: a different report source, and a different way to report an error that escapes
    // a handler (the program shows it and ends).
    MainWindow(ReportPlayback::ReportSource buildReport, ErrorReporter reportError,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    [[nodiscard]] const PlaybackState &playbackState() const noexcept { return m_playback.state(); }

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    bool nativeEvent(const QByteArray &eventType, void *message, qintptr *result) override;
    void closeEvent(QCloseEvent *event) override;

private:
    template<typename Handler> void runHandler(Handler handler) noexcept;
    void fitFontAndScreen();
    void keepOnScreen();

    const std::unique_ptr<Ui::MainWindow> m_ui;
    const ScaledForm m_form;
    QTimer *const m_revealTimer;
    ScreenReaderAnnouncer *const m_announcer; // tells screen readers when a report starts and is complete
    ClockSeededRandom m_random;
    PlainTextResultBox m_resultBox;
    QtPlaybackTimer m_timer;
    ReportPlayback m_playback;
    ErrorReporter m_reportError;
    QMargins m_frameFittedTo; // the size of the window's frame when the form was last fitted to the screen
};

// The program's start-up, before the QApplication exists: the first thing main() does. On Windows, DLLs
// come from System32 alone from then on. Where Qt is linked in statically (the Windows program), so
// are the plugins it needs, and Qt is to look for none on disk: a plugin DLL left beside the program by an
// install of the earlier layout would bring a second Qt with it, and looking takes time (some 20 ms under
// Wine).
void prepareApplication();

// The program's start-up once the QApplication exists: declares its language and the desktop entry it is
// installed as, then creates and shows the window.
MainWindow *openMainWindow();

} // namespace pq

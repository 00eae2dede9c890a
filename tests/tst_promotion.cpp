#include "WindowTesting.h"
#include "app/Banner.h"
#include "app/MainWindow.h"
#include "promotion/Promotion.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>

using namespace pq;

namespace {

// The link the build was configured with, composed here from the two settings.
const QString ConfiguredLink = QStringLiteral("https://%1/ntms/dovetrail/invite.html?userCode=%2")
                                   .arg(QStringLiteral(PROMOTION_HOST), QStringLiteral(PROMOTION_CODE));

} // namespace

class TestPromotion final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void linkIsTheConfiguredOne();
    void bannerIsTheBuiltInPicture();
    void bannerInvitesAClick();
    void clickOpensTheConfiguredLink_data();
    void clickOpensTheConfiguredLink();
    void everyClickIsOneRequest();
    void keysAndScreenReadersOpenTheLinkToo_data();
    void keysAndScreenReadersOpenTheLinkToo();
    void clickDuringPlaybackLeavesItUndisturbed();

private:
    template<typename T> T *control(const char *name) const { return test::findControl<T>(m_window, name); }

    // Handlers are installed before any window exists and removed before the catcher dies, so no
    // test can start a real browser.
    test::UrlCatcher m_catcher;
    QPointer<MainWindow> m_window;
};

void TestPromotion::init()
{
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &m_catcher, "open");
    m_catcher.requests.clear();
    m_window = new MainWindow;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestPromotion::cleanup()
{
    delete m_window.data();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

void TestPromotion::linkIsTheConfiguredOne()
{
    QCOMPARE(promotionUrl(), ConfiguredLink);
    const QUrl url(promotionUrl(), QUrl::StrictMode);
    QVERIFY(url.isValid());
    QCOMPARE(url.host(), QStringLiteral(PROMOTION_HOST));
    QCOMPARE(url.query(), QStringLiteral("userCode=") + QStringLiteral(PROMOTION_CODE));

    auto *box = control<QLineEdit>("linkBox");
    QCOMPARE(box->text(), ConfiguredLink);
    QVERIFY(!box->isReadOnly());
}

void TestPromotion::bannerIsTheBuiltInPicture()
{
    // A null picture here means the JPEG could not be decoded (no image plugin), not a blank banner.
    const QPixmap banner = bannerPicture();
    QVERIFY(!banner.isNull());
    QCOMPARE(banner.size(), QSize(466, 34));

    auto *picture = control<Banner>("banner");
    QCOMPARE(picture->picture().size(), QSize(466, 34));

    const QPixmap atTwice = bannerPictureAtTwiceTheSize(); // for screens scaled above 100 %
    QCOMPARE(atTwice.size(), QSize(932, 68));
    QCOMPARE(atTwice.deviceIndependentSize(), QSizeF(466, 34));

    // Shown unscaled from the top-left corner of the 465 x 41 box: the box's pixels are the banner's,
    // those of the picture at twice the size on a screen scaled to 200 %.
    const QImage shown = picture->grab().toImage();
    const qreal scale = shown.devicePixelRatio();
    const QImage expected = (scale > 1 ? atTwice : banner).toImage();
    for (const QPoint at : {QPoint(0, 0), QPoint(20, 16), QPoint(400, 16), QPoint(464, 33)})
        QCOMPARE(shown.pixelColor(at * scale), expected.pixelColor(at * scale));
    // Below the picture: the box itself.
    QVERIFY(shown.pixelColor(QPoint(200, 38) * scale) != expected.pixelColor(QPoint(200, 33) * scale));
}

void TestPromotion::bannerInvitesAClick()
{
    auto *picture = control<Banner>("banner");
    QCOMPARE(picture->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(picture->toolTip(), ConfiguredLink);
}

void TestPromotion::clickOpensTheConfiguredLink_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("clearFirst");

    QTest::newRow("link untouched") << QString() << false;
    QTest::newRow("link edited") << QStringLiteral("&userCode=someone") << false;
    QTest::newRow("link cleared") << QString() << true;
    QTest::newRow("link replaced") << QStringLiteral("https://elsewhere.example/") << true;
}

void TestPromotion::clickOpensTheConfiguredLink()
{
    QFETCH(QString, typed);
    QFETCH(bool, clearFirst);

    auto *box = control<QLineEdit>("linkBox");
    box->setFocus();
    if (clearFirst) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
    }
    box->end(false);
    QTest::keyClicks(box, typed);

    QTest::mouseClick(control<Banner>("banner"), Qt::LeftButton);
    QCOMPARE(m_catcher.requests, QList<QUrl>{QUrl(ConfiguredLink)});
    QCOMPARE(m_catcher.requests.first().toString(), ConfiguredLink);
}

void TestPromotion::everyClickIsOneRequest()
{
    auto *picture = control<Banner>("banner");
    for (int click = 1; click <= 3; ++click) {
        QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(10 * click, 20));
        QCOMPARE(m_catcher.requests.size(), click);
    }
    QCOMPARE(m_catcher.requests, QList<QUrl>(3, QUrl(ConfiguredLink)));
}

void TestPromotion::keysAndScreenReadersOpenTheLinkToo_data()
{
    QTest::addColumn<int>("key"); // none: the screen reader's press action
    QTest::newRow("Space, as on a button") << int(Qt::Key_Space);
    QTest::newRow("Enter, as on a link") << int(Qt::Key_Return);
    QTest::newRow("Enter on the keypad") << int(Qt::Key_Enter);
    QTest::newRow("a screen reader's press") << 0;
}

void TestPromotion::keysAndScreenReadersOpenTheLinkToo()
{
    QFETCH(int, key);
    auto *picture = control<Banner>("banner");
    picture->setFocus();
    if (key != 0) {
        QTest::keyClick(picture, Qt::Key(key));
    } else {
        QAccessibleActionInterface *actions =
            QAccessible::queryAccessibleInterface(picture)->actionInterface();
        QVERIFY(actions != nullptr);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
    }
    QCOMPARE(m_catcher.requests, QList<QUrl>{QUrl(ConfiguredLink)});
}

void TestPromotion::clickDuringPlaybackLeavesItUndisturbed()
{
    auto *timer = control<QTimer>("revealTimer");
    auto *box = control<QTextEdit>("reportBox");
    QTest::mouseClick(control<QPushButton>("startButton"), Qt::LeftButton);
    test::deliverTicks(timer, 3);
    const QString before = box->toPlainText();

    QTest::mouseClick(control<Banner>("banner"), Qt::LeftButton);
    QCOMPARE(m_catcher.requests.size(), 1);
    QCOMPARE(box->toPlainText(), before);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 500);
    QCOMPARE(m_window->playbackState().nextLine, 3);

    test::deliverTicks(timer);
    QCOMPARE(m_window->playbackState().nextLine, 4);
    QVERIFY(box->toPlainText().startsWith(before));
}

QTEST_MAIN(TestPromotion)
#include "tst_promotion.moc"

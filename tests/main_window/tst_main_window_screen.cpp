// At 200% on a small screen (the offscreen platform's 800 by 600 pixels,
// 400 by 300 at that scale) every window lies whole on the screen: the
// main window's smallest size is no larger than the screen's room, it
// opens on the screen, and so does the viewer.
#include "main_window_fixture.h"

#include <QScreen>

using namespace main_window_test;

class ScreenTest : public MainWindowFixture {
    Q_OBJECT

private slots:
    void everyWindowFitsTheScreen()
    {
        const QRect available = window_->screen()->availableGeometry();
        QCOMPARE(window_->screen()->devicePixelRatio(), 2.0);
        QVERIFY(available.height() < px(8415));
        frm_Main started;
        started.start();
        const auto shown = [](const QRect& r) { return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()); };
        QVERIFY2(available.contains(started.frameGeometry()), qPrintable(shown(started.frameGeometry()) + " in " + shown(available)));
        started.resize(1, 1);
        QTRY_VERIFY(started.height() < px(8415));
        QVERIFY(started.minimumSizeHint().height() <= available.height());
        QVERIFY(started.minimumSizeHint().width() <= available.width());
        QRect viewer;
        whenModal<frm_Notepad>([&viewer](frm_Notepad* shown) {
            viewer = shown->frameGeometry();
            shown->close();
        });
        started.enlargeInput();
        QVERIFY2(available.contains(viewer), qPrintable(shown(viewer)));
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    ScreenTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_main_window_screen.moc"

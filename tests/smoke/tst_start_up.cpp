// The program's real start-up sequence: the splash is shown, modal, while
// the main window is still hidden; the main window is shown only once the
// splash has gone.
#include "frm_Main.h"

#include <QtTest>

namespace {

// Records every time one of the program's windows is shown or hidden, as
// "show frm_Splash", "hide frm_Splash", ...
class WindowEvents : public QObject {
public:
    QStringList seen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool show = event->type() == QEvent::Show;
        if ((show || event->type() == QEvent::Hide) && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->isWindow()
            && watched->objectName().startsWith(QLatin1String("frm_")))
            seen << (show ? QLatin1String("show ") : QLatin1String("hide ")) + watched->objectName();
        return false;
    }
};

}  // namespace

class StartUpTest : public QObject {
    Q_OBJECT
private slots:
    void splashFirstThenTheMainWindow();
};

void StartUpTest::splashFirstThenTheMainWindow()
{
    WindowEvents events;
    qApp->installEventFilter(&events);
    bool splashModal = false;
    QTimer::singleShot(200, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        splashModal = modal && modal->objectName() == QLatin1String("frm_Splash");
    });
    frm_Main mainWindow;
    mainWindow.start();
    qApp->removeEventFilter(&events);
    QVERIFY(splashModal);
    QCOMPARE(events.seen, QStringList({"show frm_Splash", "hide frm_Splash", "show frm_Main"}));
    QVERIFY(mainWindow.isVisible());
}

QTEST_MAIN(StartUpTest)
#include "tst_start_up.moc"

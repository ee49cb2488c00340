#include "DesktopTestCase.h"
#include "TestEnvironment.h"
#include "core/SharedState.h"
#include "shell/ArtPicture.h"
#include "shell/EnervaneApplication.h"
#include "shell/TAboutBox.h"
#include "shell/TLink.h"

#include <QEnterEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <stdexcept>

using platform::Buttons;
using platform::Icon;

namespace {

// An object whose event handling fails the way a programming error would.
class Faulty : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User)
            throw std::runtime_error("List index out of bounds (12)");
        if (event->type() == QEvent::Type(QEvent::User + 1))
            throw 42; // not even a standard exception
        return QObject::event(event);
    }
};

} // namespace

class TestAboutBox : public DesktopTestCase {
    Q_OBJECT
private slots:
    void everyShowSetsVersionCaptionAndAddress() {
        TAboutBox about;
        QCOMPARE(AboutBox, &about);
        QCOMPARE(about.size(), QSize(500, 387));
        about.Version->setText(QStringLiteral("Version 0.0 (stored)"));
        about.setWindowTitle(QStringLiteral("stored caption"));
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.Version->text(), QStringLiteral("Version: 1.005.10"));
        QCOMPARE(about.windowTitle(), QStringLiteral("About QVN DRV742 Enervane"));
        QVERIFY(about.URL->URL.startsWith(QLatin1String("https://")));
        QVERIFY(!about.URL->text().isEmpty());
        QCOMPARE(about.URL->HoverColor, QColor(Qt::red));
        QVERIFY(!about.Copyright->text().isEmpty());
        QVERIFY(about.ProgramIcon->isLoaded());
        QCOMPARE(about.ProgramIcon->geometry(), QRect(0, 0, 500, 338));
        about.hide();
        Shared.VersionText = QStringLiteral("2.000.1");
        about.show();
        QCOMPARE(about.Version->text(), QStringLiteral("Version: 2.000.1"));
    }

    // The legal line, the web address and the version stand apart and are not cut off.
    void bottomLinesDoNotOverlap() {
        TAboutBox about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        const QList<QLabel*> labels{about.Copyright, about.URL, about.Version};
        for (QLabel* label : labels) {
            QVERIFY2(about.rect().contains(label->geometry()), qPrintable(label->objectName()));
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->objectName()));
            QVERIFY2(!label->geometry().intersects(about.OKButton->geometry()),
                     qPrintable(label->objectName()));
            for (QLabel* other : labels)
                if (other != label)
                    QVERIFY2(
                        !label->geometry().intersects(other->geometry()),
                        qPrintable(label->objectName() + QLatin1Char('/') + other->objectName()));
        }
    }

    void closesWithItsButtonAndEscape() {
        TAboutBox about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::mouseClick(about.OKButton, Qt::LeftButton);
        QVERIFY(!about.isVisible());
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::keyClick(&about, Qt::Key_Escape);
        QVERIFY(!about.isVisible());
    }

    void webLinkOpensTheAddress() {
        TAboutBox about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::mouseClick(about.URL, Qt::LeftButton);
        QCOMPARE(fake->opened, QStringList{QStringLiteral("OPEN ") + about.URL->URL});
    }

    void errorHandlerText() {
        QCOMPARE(TAboutBox::ExceptionText(QStringLiteral("Access violation")),
                 QStringLiteral("EXCEPTION ERROR : Access violation Program Aborted !"));
    }

    void uncaughtErrorEndsTheProgram_data() {
        QTest::addColumn<int>("eventType");
        QTest::addColumn<QString>("text");
        QTest::newRow("standard exception")
            << int(QEvent::User)
            << "EXCEPTION ERROR : List index out of bounds (12) Program Aborted !";
        QTest::newRow("anything else")
            << int(QEvent::User + 1) << "EXCEPTION ERROR : Unknown error Program Aborted !";
    }
    void uncaughtErrorEndsTheProgram() {
        QFETCH(int, eventType);
        QFETCH(QString, text);
        TAboutBox about; // its creation installs the handler
        QVERIFY(EnervaneApplication::errorHandler() == &TAboutBox::AppException);
        Faulty faulty;
        fake->expect(Icon::Error, text, Buttons::Ok);
        QCoreApplication::postEvent(&faulty, new QEvent(QEvent::Type(eventType)));
        QCoreApplication::processEvents();
        QVERIFY(fake->allShown());
        QCOMPARE(fake->endedWith, QList<int>{1});
    }

    void errorInATimerSlotEndsTheProgram() {
        TAboutBox about;
        fake->expect(Icon::Error, QStringLiteral("EXCEPTION ERROR : boom Program Aborted !"),
                     Buttons::Ok);
        QTimer::singleShot(0, [] { throw std::logic_error("boom"); });
        QTRY_COMPARE(fake->endedWith, QList<int>{1});
    }

    // TLink
    void linkLooksLikeALink() {
        TLink link(QStringLiteral("Saving Tips"));
        QVERIFY(link.font().underline());
        QCOMPARE(link.textColor(), QColor(Qt::blue));
        QVERIFY(link.URL.isEmpty());
    }

    void hoverSwapsColourAndCursor() {
        QWidget window;
        auto* link = new TLink(QStringLiteral("Drive Options"), &window);
        link->HoverColor = QColor(Qt::red);
        link->setTextColor(QColor(0, 0, 128));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPointF inside(2, 2);
        QEnterEvent enter(inside, link->mapTo(&window, inside), link->mapToGlobal(inside));
        QCoreApplication::sendEvent(link, &enter);
        QCOMPARE(link->textColor(), QColor(Qt::red));
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(link, &leave);
        QCOMPARE(link->textColor(), QColor(0, 0, 128));
        QCOMPARE(link->cursor().shape(), Qt::ArrowCursor);
    }

    void clickWithoutUrlRunsTheHandler() {
        TLink link(QStringLiteral("plain"));
        link.show();
        QVERIFY(QTest::qWaitForWindowExposed(&link));
        QSignalSpy clicked(&link, &TLink::clicked);
        QTest::mouseClick(&link, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QVERIFY(fake->opened.isEmpty());
        // A right click or a press that leaves the link is no click.
        QTest::mouseClick(&link, Qt::RightButton);
        QTest::mousePress(&link, Qt::LeftButton);
        QTest::mouseRelease(&link, Qt::LeftButton, {}, QPoint(-5, -5));
        QCOMPARE(clicked.count(), 1);
    }

    void clickWithUrlOnlyOpens() {
        TLink link(QStringLiteral("web"));
        link.URL = QStringLiteral("https://www.qvn.example.com");
        link.show();
        QVERIFY(QTest::qWaitForWindowExposed(&link));
        QSignalSpy clicked(&link, &TLink::clicked);
        QTest::mouseClick(&link, Qt::LeftButton);
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(fake->opened, QStringList{QStringLiteral("OPEN https://www.qvn.example.com")});
        // The shell's failure is not reported.
        fake->shellOpenResult = false;
        QTest::keyClick(&link, Qt::Key_Return);
        QCOMPARE(fake->opened.size(), 2);
        QVERIFY(fake->messages.isEmpty());
    }
};

int main(int argc, char** argv) {
    // The program's own application object, which hands uncaught errors to the handler.
    EnervaneApplication app(argc, argv);
    TestAboutBox test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_aboutbox.moc"

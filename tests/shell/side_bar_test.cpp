#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "shell/artwork.h"
#include "shell/busy_pane.h"
#include "shell/la_bar.h"
#include "shell/window_arrangement.h"
#include "shell_test_main.h"

using quarrion::Artwork;
using quarrion::BusyPane;
using quarrion::laBar;
using quarrion::TileRects;
namespace Arrangement = quarrion::Arrangement;

// The side bar's buttons and toggle, the busy pane's frames and the tiling geometry.
class SideBarTest : public QObject {
    Q_OBJECT

  private slots:
    // The registration: the ten buttons in their fixed order, each with its picture and
    // found by its name in any letter case at its position; a name not registered finds
    // nothing.
    void TheButtonsAreRegisteredInOrderAndFoundByNameInAnyCase() {
        laBar bar;
        const QStringList names = {"cmdCascade",  "cmdExcel",      "cmdExport",      "cmdExportAll",
                                   "cmdHelp",     "cmdHorizontal", "cmdPreferences", "cmdShow",
                                   "cmdVertical", "cmdResearch"};
        QCOMPARE(bar.Buttons().Count(), std::size_t(names.size()));
        for (int i = 0; i < names.size(); ++i) {
            auto* byPosition = bar.Buttons().Item(std::size_t(i + 1));
            QCOMPARE(byPosition->Name(), names[i]);
            QCOMPARE(byPosition->Index, long(i + 1));
            QCOMPARE(bar.Buttons().Item(names[i].toLower()), byPosition);
            QVERIFY2(!byPosition->Button()->icon().isNull(), qPrintable(names[i]));
        }
        QVERIFY(bar.Buttons().Item(QStringLiteral("cmdnothing")) == nullptr);

        // Registering a present name again gives the existing entry and adds nothing.
        QToolButton twin;
        twin.setObjectName(QStringLiteral("CMDEXCEL"));
        twin.setToolTip(QStringLiteral("another"));
        auto* existing = bar.Buttons().Item(QStringLiteral("cmdexcel"));
        QCOMPARE(bar.Buttons().Add(&twin), existing);
        QCOMPARE(bar.Buttons().Count(), std::size_t(names.size()));
        QCOMPARE(existing->Button()->objectName(), QStringLiteral("cmdExcel"));
    }

    void TwoClicksOnTheConsoleToggleHideThenShowAndRestoreTheToolTip() {
        laBar bar;
        QSignalSpy hide(&bar, &laBar::HideConsole);
        QSignalSpy show(&bar, &laBar::ShowConsole);
        QStringList order;
        connect(&bar, &laBar::HideConsole, this, [&] { order << "Hide"; });
        connect(&bar, &laBar::ShowConsole, this, [&] { order << "Show"; });
        auto* toggle = bar.Buttons().Item(QStringLiteral("cmdshow"));
        QCOMPARE(toggle->ToolTipText(), QStringLiteral("Hide Search Console"));
        const qint64 hideFace = bar.Image("hide").cacheKey();
        const qint64 showFace = bar.Image("show").cacheKey();
        QVERIFY(hideFace != showFace);

        QTest::mouseClick(toggle->Button(), Qt::LeftButton);
        QCOMPARE(toggle->ToolTipText(), QStringLiteral("Show Search Console"));
        QVERIFY(toggle->State());
        QCOMPARE(toggle->Button()->icon().cacheKey(), showFace);

        QTest::mouseClick(toggle->Button(), Qt::LeftButton);
        QCOMPARE(order, QStringList({"Hide", "Show"}));
        QCOMPARE(hide.count(), 1);
        QCOMPARE(show.count(), 1);
        QCOMPARE(toggle->ToolTipText(), QStringLiteral("Hide Search Console"));
        QVERIFY(!toggle->State());
        QCOMPARE(toggle->Button()->icon().cacheKey(), hideFace);
    }

    // The buttons the main window's tests do not click: each raises its own event.
    void EachButtonRaisesItsOwnEvent() {
        laBar bar;
        struct Case {
            const char* button;
            void (laBar::*event)();
        };
        const Case cases[] = {
            {"cmdHelp", &laBar::HelpClick},
            {"cmdCascade", &laBar::CascadeClick},
            {"cmdHorizontal", &laBar::HorizontalClick},
        };
        for (const Case& c : cases) {
            QSignalSpy spy(&bar, c.event);
            QTest::mouseClick(bar.Buttons().Item(QString::fromLatin1(c.button))->Button(),
                              Qt::LeftButton);
            QVERIFY2(spy.count() == 1, c.button);
        }
    }

    // Six different frames, ticked through in order and round again.
    void SixTicksComeBackToTheSameFrame() {
        QList<QImage> frames;
        for (int i = 0; i <= Artwork::BusyFrameCount; ++i) {
            frames << Artwork::BusyFrame(i, 48).toImage();
        }
        for (int i = 0; i < Artwork::BusyFrameCount; ++i) {
            for (int j = i + 1; j < Artwork::BusyFrameCount; ++j) QVERIFY(frames[i] != frames[j]);
        }
        QCOMPARE(frames[6], frames[0]);
        BusyPane pane;
        pane.resize(200, 150);
        QCOMPARE(pane.FrameKey(), QStringLiteral("bb_00"));
        pane.Tick();
        const QImage picture = pane.Picture().toImage();
        QStringList seen{pane.FrameKey()};
        for (int i = 0; i < 6; ++i) {
            pane.Tick();
            seen << pane.FrameKey();
        }
        QCOMPARE(seen.join(' '), QStringLiteral("bb_01 bb_02 bb_03 bb_04 bb_05 bb_00 bb_01"));
        QCOMPARE(pane.Picture().toImage(), picture);
    }

    void TheCaptionSitsBelowTheCentredPicture() {
        BusyPane pane;
        pane.SetCaption(QStringLiteral("Initializing, please wait ..."));
        pane.show();
        pane.resize(300, 200);
        QCOMPARE(pane.Caption(), QStringLiteral("Initializing, please wait ..."));
        auto labels = pane.findChildren<QLabel*>();
        QCOMPARE(labels.size(), 2);
        QLabel* picture = labels[0]->pixmap().isNull() ? labels[1] : labels[0];
        QLabel* caption = picture == labels[0] ? labels[1] : labels[0];
        QCOMPARE(picture->x(), (300 - picture->width()) / 2);
        QCOMPARE(picture->y(), (200 - picture->height()) / 2);
        QVERIFY(caption->geometry().top() >= picture->geometry().bottom());
        QCOMPARE(caption->width(), 300);

        pane.SetScrolling(true);
        QRect before = picture->geometry();
        QRect captionBefore = caption->geometry();
        pane.resize(500, 400);
        QCOMPARE(picture->geometry(), before);
        // A new caption while scrolling leaves both where the owner put them.
        pane.SetCaption(QStringLiteral("Creating WorkBook, please wait ..."));
        QCOMPARE(picture->geometry(), before);
        QCOMPARE(caption->geometry(), captionBefore);
        QCOMPARE(pane.Caption(), QStringLiteral("Creating WorkBook, please wait ..."));
    }

    void TilingCoversTheAreaInEqualBands_data() {
        QTest::addColumn<int>("arrangement");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<QRect>>("expected");
        QTest::newRow("horizontally, three")
            << Arrangement::TileHorizontally << 3
            << QList<QRect>{QRect(0, 0, 300, 34), QRect(0, 34, 300, 33), QRect(0, 67, 300, 33)};
        QTest::newRow("vertically, two")
            << Arrangement::TileVertically << 2
            << QList<QRect>{QRect(0, 0, 150, 100), QRect(150, 0, 150, 100)};
        QTest::newRow("cascade is not tiled") << Arrangement::Cascade << 3 << QList<QRect>{};
        QTest::newRow("no windows") << Arrangement::TileHorizontally << 0 << QList<QRect>{};
        QTest::newRow("unknown code") << 7 << 2 << QList<QRect>{};
    }
    void TilingCoversTheAreaInEqualBands() {
        QFETCH(int, arrangement);
        QFETCH(int, count);
        QFETCH(QList<QRect>, expected);
        QCOMPARE(TileRects(QRect(0, 0, 300, 100), count, arrangement), expected);
    }
};

QUARRION_SHELL_TEST_MAIN(SideBarTest)
#include "side_bar_test.moc"

#include <QSignalSpy>
#include <QTest>

#include "shell/busy_pane.h"
#include "shell/la_bar.h"
#include "shell/window_arrangement.h"
#include "shell_test_main.h"

using namespace quarrion;

// The side bar's buttons and toggle, the busy pane's frames and the tiling geometry.
class SideBarTest : public QObject {
    Q_OBJECT

  private slots:
    // Two clicks on the console toggle hide then show, switching face and tooltip.
    void TwoClicksOnTheConsoleToggleHideThenShowAndRestoreTheToolTip() {
        laBar bar;
        QStringList seen;
        connect(&bar, &laBar::HideConsole, this, [&] { seen << "Hide"; });
        connect(&bar, &laBar::ShowConsole, this, [&] { seen << "Show"; });
        ButtonRef* toggle = bar.Buttons().Item(QStringLiteral("cmdshow"));
        const qint64 hideFace = bar.Image("hide").cacheKey();
        const qint64 showFace = bar.Image("show").cacheKey();
        QVERIFY(hideFace != showFace);
        auto state = [&] {
            const qint64 face = toggle->Button()->icon().cacheKey();
            return QStringLiteral("%1 %2 %3")
                .arg(toggle->ToolTipText())
                .arg(toggle->State())
                .arg(face == hideFace   ? "hide"
                     : face == showFace ? "show"
                                        : "?");
        };
        QCOMPARE(state(), QStringLiteral("Hide Search Console 0 hide"));
        QTest::mouseClick(toggle->Button(), Qt::LeftButton);
        QCOMPARE(state(), QStringLiteral("Show Search Console 1 show"));
        QTest::mouseClick(toggle->Button(), Qt::LeftButton);
        QCOMPARE(state(), QStringLiteral("Hide Search Console 0 hide"));
        QCOMPARE(seen, QStringList({"Hide", "Show"}));
    }

    // The buttons the main window's tests do not click: each raises its own event.
    void EachButtonRaisesItsOwnEvent() {
        laBar bar;
        const std::pair<const char*, void (laBar::*)()> cases[] = {
            {"cmdHelp", &laBar::HelpClick},
            {"cmdCascade", &laBar::CascadeClick},
            {"cmdHorizontal", &laBar::HorizontalClick}};
        for (const auto& [button, event] : cases) {
            QSignalSpy spy(&bar, event);
            QTest::mouseClick(bar.Buttons().Item(QString::fromLatin1(button))->Button(),
                              Qt::LeftButton);
            QVERIFY2(spy.count() == 1, button);
        }
    }

    // The busy pane ticks through its six frames in order and round again.
    void SixTicksComeBackToTheSameFrame() {
        BusyPane pane;
        QStringList seen{pane.FrameKey()};
        for (int i = 0; i < 7; ++i) {
            pane.Tick();
            seen << pane.FrameKey();
        }
        QCOMPARE(seen.join(' '), QStringLiteral("bb_00 bb_01 bb_02 bb_03 bb_04 bb_05 bb_00 bb_01"));
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

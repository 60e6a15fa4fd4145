#include <QTest>

#include "shell/busy_pane.h"
#include "shell/la_bar.h"
#include "shell_test_main.h"

using namespace quarrion;

// The side bar's console toggle and the busy pane's frames.
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
};

QUARRION_SHELL_TEST_MAIN(SideBarTest)
#include "side_bar_test.moc"

#include "office/officephase.h"

#include <QtTest>

Q_DECLARE_METATYPE(OfficePhase)
Q_DECLARE_METATYPE(OfficeStep)

// The steps of an office's life and the ones refused: the user's offices never come back to the program.
class OfficePhasesTest : public QObject {
    Q_OBJECT

private slots:
    void transitions_data() {
        QTest::addColumn<OfficePhase>("from");
        QTest::addColumn<OfficeStep>("step");
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<OfficePhase>("to");
        using P = OfficePhase;
        using S = OfficeStep;
        QTest::newRow("kept office connects") << P::Starting << S::Connect << true << P::Kept;
        QTest::newRow("command waits for a starting kept office")
            << P::Starting << S::Take << true << P::Busy;
        QTest::newRow("kept office that did not start") << P::Starting << S::Retire << true << P::Ended;
        QTest::newRow("starting office is no command's")
            << P::Starting << S::GiveBack << false << P::Starting;
        QTest::newRow("starting office shows no workbook")
            << P::Starting << S::HandOver << false << P::Starting;
        QTest::newRow("command takes the kept office") << P::Kept << S::Take << true << P::Busy;
        QTest::newRow("kept office renewed") << P::Kept << S::Retire << true << P::Ended;
        QTest::newRow("kept office connects once") << P::Kept << S::Connect << false << P::Kept;
        QTest::newRow("kept office is given back once") << P::Kept << S::GiveBack << false << P::Kept;
        QTest::newRow("kept office is not handed over untaken") << P::Kept << S::HandOver << false << P::Kept;
        QTest::newRow("kept office is not released") << P::Kept << S::Release << false << P::Kept;
        QTest::newRow("command gives its office back") << P::Busy << S::GiveBack << true << P::Kept;
        QTest::newRow("command hands its office over") << P::Busy << S::HandOver << true << P::HandedOver;
        QTest::newRow("office in doubt is ended") << P::Busy << S::Retire << true << P::Ended;
        QTest::newRow("busy office is taken once") << P::Busy << S::Take << false << P::Busy;
        QTest::newRow("busy office is not released") << P::Busy << S::Release << false << P::Busy;
        QTest::newRow("handed over is never given back")
            << P::HandedOver << S::GiveBack << false << P::HandedOver;
        QTest::newRow("handed over is never taken") << P::HandedOver << S::Take << false << P::HandedOver;
        QTest::newRow("handed over, closed by the user") << P::HandedOver << S::Retire << true << P::Ended;
        QTest::newRow("handed over, left with the program")
            << P::HandedOver << S::Release << true << P::Released;
        QTest::newRow("released is never ended") << P::Released << S::Retire << false << P::Released;
        QTest::newRow("released is never taken") << P::Released << S::Take << false << P::Released;
        QTest::newRow("released is never given back") << P::Released << S::GiveBack << false << P::Released;
        QTest::newRow("ended is not ended twice") << P::Ended << S::Retire << false << P::Ended;
        QTest::newRow("ended is never taken") << P::Ended << S::Take << false << P::Ended;
        QTest::newRow("ended is never kept") << P::Ended << S::GiveBack << false << P::Ended;
    }
    void transitions() {
        QFETCH(OfficePhase, from);
        QFETCH(OfficeStep, step);
        QFETCH(bool, allowed);
        QFETCH(OfficePhase, to);
        const std::optional<OfficePhase> next = nextPhase(from, step);
        QCOMPARE(next.has_value(), allowed);
        if (allowed)
            QCOMPARE(int(*next), int(to));
    }

    // Nothing leads out of Released or Ended, and nothing but a retirement leads into Ended.
    void finalPhases() {
        const OfficePhase phases[] = {OfficePhase::Starting,   OfficePhase::Kept,     OfficePhase::Busy,
                                      OfficePhase::HandedOver, OfficePhase::Released, OfficePhase::Ended};
        const OfficeStep steps[] = {OfficeStep::Connect,  OfficeStep::Take,    OfficeStep::GiveBack,
                                    OfficeStep::HandOver, OfficeStep::Release, OfficeStep::Retire};
        for (const OfficePhase from : phases)
            for (const OfficeStep step : steps) {
                const std::optional<OfficePhase> next = nextPhase(from, step);
                if (from == OfficePhase::Released || from == OfficePhase::Ended)
                    QVERIFY(!next);
                if (next && *next == OfficePhase::Ended)
                    QCOMPARE(int(step), int(OfficeStep::Retire));
                if (next && *next == OfficePhase::Released)
                    QCOMPARE(int(from), int(OfficePhase::HandedOver));
            }
    }
};

QTEST_GUILESS_MAIN(OfficePhasesTest)
#include "test_office_phases.moc"

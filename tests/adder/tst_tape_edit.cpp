#include "adder/tape.h"
#include "adder/tape_edit.h"

#include <QTest>

using namespace zq;

namespace {

// A tape as typing makes it, entry by entry.
AdderValues typed(const QStringList &entries)
{
    AdderValues a;
    ProgramValues p;
    ActivateTape(a, p);
    for (const QString &e : entries)
        ConfirmEntry(a, AdderMaxRows, e);
    return a;
}

QStringList amounts(int n)
{
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out << QString::number(i) + QStringLiteral(".1");
    return out;
}

} // namespace

class TestTapeEdit : public QObject
{
    Q_OBJECT
private slots:
    void edits_data();
    void edits();
    void history();
};

void TestTapeEdit::edits_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("edit"); // R replace, I insert before, D delete
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<int>("outcome");     // EditOutcome
    QTest::addColumn<QStringList>("after"); // as typed; empty: unchanged
    QStringList corrected = amounts(400);
    corrected[36] = QStringLiteral("3.7");
    QStringList inserted = amounts(3);
    inserted.insert(0, QStringLiteral("36"));
    QTest::newRow("entry 37 of 400") << amounts(400) << "R" << 37 << "3.7" << 0 << corrected;
    QTest::newRow("an operation as typed") << amounts(3) << "I" << 1 << "12*3" << 0 << inserted;
    QTest::newRow("delete the first") << amounts(3) << "D" << 1 << "" << 0 << amounts(3).mid(1);
    QTest::newRow("delete the last") << amounts(3) << "D" << 3 << "" << 0 << amounts(2);
    QTest::newRow("insert before the last") << amounts(2) << "I" << 2 << "5" << 0 << QStringList{"1.1", "5", "2.1"};
    QTest::newRow("not an entry") << amounts(3) << "R" << 2 << "1/0" << 2 << QStringList{};
    QTest::newRow("no such row") << amounts(3) << "D" << 4 << "" << 2 << QStringList{};
    QTest::newRow("row 0") << amounts(3) << "R" << 0 << "1" << 2 << QStringList{};
    QTest::newRow("a full tape") << amounts(1000) << "I" << 5 << "1" << 1 << QStringList{};
    QStringList full = amounts(1000);
    full[4] = QStringLiteral("1");
    QTest::newRow("a full tape still corrected") << amounts(1000) << "R" << 5 << "1" << 0 << full;
}

void TestTapeEdit::edits()
{
    QFETCH(QStringList, before);
    QFETCH(QString, edit);
    QFETCH(int, row);
    QFETCH(QString, amount);
    QFETCH(int, outcome);
    QFETCH(QStringList, after);
    AdderValues a = typed(before);
    const AdderValues unchanged = a;
    const EditOutcome done = edit == u"R"   ? ReplaceEntry(a, row, amount)
                             : edit == u"I" ? InsertEntry(a, AdderMaxRows, row, amount)
                                            : DeleteEntry(a, row);
    QCOMPARE(int(done), outcome);
    const AdderValues expected = after.isEmpty() ? unchanged : typed(after);
    QCOMPARE(a.TapeCount, expected.TapeCount);
    QCOMPARE(a.Tape.mid(1, a.TapeCount), expected.Tape.mid(1, expected.TapeCount));
    QVERIFY(a.TapeTotal == expected.TapeTotal); // to the last bit, as typing adds
    QCOMPARE(a.Tape.size(), unchanged.Tape.size());
}

// 元に戻す and やり直し over more than 100 steps, クリア and its labels included.
void TestTapeEdit::history()
{
    AdderValues a = typed({});
    TapeHistory h;
    QList<TapeState> states{TapeStateOf(a, QString(), QString())};
    for (int i = 1; i <= 150; ++i) {
        h.changing(states.last());
        ConfirmEntry(a, AdderMaxRows, QString::number(i));
        states << TapeStateOf(a, QString(), QString());
    }
    h.changing(states.last());
    const PreviousCalculation previous = ClearTape(a);
    states << TapeStateOf(a, TapeCountText(previous.count), TapeAmountText(previous.total));
    TapeState state = states.last();
    for (int i = states.size() - 2; i >= int(states.size()) - 1 - TapeHistory::Steps && i >= 0; --i) {
        QVERIFY(h.undo(state, &state));
        QCOMPARE(state, states[i]);
    }
    QVERIFY(!h.undo(state, &state));
    QVERIFY(h.redo(state, &state));
    RestoreTapeState(a, AdderMaxRows, state);
    QCOMPARE(a.TapeTotal, typed(QStringList{"1"}).TapeTotal);
    h.changing(state); // a new change ends the redo
    QVERIFY(!h.canRedo());
}

QTEST_APPLESS_MAIN(TestTapeEdit)
#include "tst_tape_edit.moc"

#include "platform/legacy_grid.h"
#include "platform/twips.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace zq;

class TestLegacyGrid : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void textsSurviveResizing_data();
    void textsSurviveResizing();
    void currentCellNeverScrolls();
    void topRowIsClamped_data();
    void topRowIsClamped();
    void visibleRows_data();
    void visibleRows();
    void stripBelowLastRowIsNoRow();
    void selectionText();
    void selectionByRow();
    void wholeGridText();
    void clearEmptiesEveryCell();
    void rowNumbersAlignLikeTheirHeader();
    void clickMakesCellCurrent();
    void arrowKeysScrollIntoView();
    void scrollBarMovesTopRow();

private:
    LegacyGrid *m_grid = nullptr;
};

void TestLegacyGrid::init()
{
    m_grid = new LegacyGrid;
    m_grid->setRows(101);
    m_grid->setCols(3);
    m_grid->setColWidth(0, 600);
    m_grid->setColWidth(1, 900);
    m_grid->setColWidth(2, 900);
    // header + ten rows of 240 twips, plus the frame
    m_grid->resize(Px(600 + 900 + 900) + 40, Px(240 * 11) + 2 * m_grid->frameWidth());
    m_grid->show();
    for (int r = 0; r <= 100; ++r)
        for (int c = 0; c < 3; ++c)
            m_grid->setText(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
}

void TestLegacyGrid::cleanup()
{
    delete m_grid;
}

void TestLegacyGrid::textsSurviveResizing_data()
{
    QTest::addColumn<bool>("workedOut");
    QTest::newRow("held") << false;
    QTest::newRow("worked out as shown") << true;
}

void TestLegacyGrid::textsSurviveResizing()
{
    QFETCH(bool, workedOut);
    if (workedOut) {
        m_grid->setCellTexts(101, 3, [](int r, int c) { return QStringLiteral("%1,%2").arg(r).arg(c); });
        m_grid->setText(3, 1, QStringLiteral("typed"));
        QCOMPARE(m_grid->text(3, 1), QStringLiteral("typed"));
        QCOMPARE(m_grid->text(100, 2), QStringLiteral("100,2"));
    }
    m_grid->setCols(4);
    QCOMPARE(m_grid->text(5, 2), QStringLiteral("5,2"));
    QCOMPARE(m_grid->text(5, 3), QString());
    m_grid->setRows(10);
    QCOMPARE(m_grid->text(9, 1), QStringLiteral("9,1"));
    QCOMPARE(m_grid->text(10, 1), QString()); // out of range
    m_grid->setRows(20);
    QCOMPARE(m_grid->text(15, 1), QString());
    QCOMPARE(m_grid->text(0, 2), QStringLiteral("0,2"));
}

void TestLegacyGrid::currentCellNeverScrolls()
{
    m_grid->setTopRow(5);
    m_grid->setCurrentCell(80, 2);
    QCOMPARE(m_grid->row(), 80);
    QCOMPARE(m_grid->col(), 2);
    QCOMPARE(m_grid->topRow(), 5);
    m_grid->setCurrentCell(1, 1);
    QCOMPARE(m_grid->topRow(), 5);
}

void TestLegacyGrid::topRowIsClamped_data()
{
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("top");
    QTest::newRow("first") << 1 << 1;
    QTest::newRow("below first") << 0 << 1;
    QTest::newRow("middle") << 50 << 50;
    QTest::newRow("last full page") << 91 << 91;
    QTest::newRow("beyond") << 100 << 91;
}

void TestLegacyGrid::topRowIsClamped()
{
    QFETCH(int, requested);
    QFETCH(int, top);
    QCOMPARE(m_grid->visibleDataRows(), 10);
    m_grid->setTopRow(requested);
    QCOMPARE(m_grid->topRow(), top);
    QCOMPARE(m_grid->verticalScrollBar()->value(), top - 1);
}

void TestLegacyGrid::visibleRows_data()
{
    QTest::addColumn<int>("rowTwips");
    QTest::addColumn<int>("heightTwips");
    QTest::addColumn<int>("rows");
    QTest::newRow("240 x 11") << 240 << 240 * 11 << 10;
    QTest::newRow("240 with a sliver") << 240 << 240 * 11 + 100 << 10;
    QTest::newRow("270 in 3070") << 270 << 3070 - 30 << 10;
}

void TestLegacyGrid::visibleRows()
{
    QFETCH(int, rowTwips);
    QFETCH(int, heightTwips);
    QFETCH(int, rows);
    m_grid->setRowHeight(rowTwips);
    m_grid->resize(m_grid->width(), Px(heightTwips) + 2 * m_grid->frameWidth());
    QCOMPARE(m_grid->visibleDataRows(), rows);
}

void TestLegacyGrid::stripBelowLastRowIsNoRow()
{
    // Ten whole rows and a few pixels more.
    m_grid->resize(m_grid->width(), Px(240 * 11) + 2 * m_grid->frameWidth() + 5);
    QCOMPARE(m_grid->visibleDataRows(), 10);
    const int strip = Px(240 * 11) + 2;
    QCOMPARE(m_grid->cellAt(QPoint(50, strip)).y(), -1);
    QCOMPARE(m_grid->cellAt(QPoint(50, strip - 3)).y(), 10);
    m_grid->setCurrentCell(3, 1);
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, QPoint(50, strip));
    QCOMPARE(m_grid->row(), 3);
}

void TestLegacyGrid::selectionText()
{
    m_grid->setSelection(2, 1, 3, 2);
    QCOMPARE(m_grid->selectionText(), QStringLiteral("2,1\t2,2\r3,1\t3,2"));
    // Either corner may be the anchor.
    m_grid->setSelection(3, 2, 2, 1);
    QCOMPARE(m_grid->selectionText(), QStringLiteral("2,1\t2,2\r3,1\t3,2"));
    m_grid->setCurrentCell(4, 2);
    QCOMPARE(m_grid->selectionText(), QStringLiteral("4,2"));
}

void TestLegacyGrid::selectionByRow()
{
    m_grid->setSelectionMode(LegacyGrid::SelectionMode::ByRow);
    m_grid->setCurrentCell(6, 2);
    QCOMPARE(m_grid->selectionLeft(), 1);
    QCOMPARE(m_grid->selectionRight(), 2);
    QCOMPARE(m_grid->selectionText(), QStringLiteral("6,1\t6,2"));
    // A click widens to the whole row too.
    const QRect cell = m_grid->cellRect(3, 1);
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(m_grid->selectionTop(), 3);
    QCOMPARE(m_grid->selectionText(), QStringLiteral("3,1\t3,2"));
}

void TestLegacyGrid::wholeGridText()
{
    LegacyGrid small;
    small.setRows(3);
    small.setCols(2);
    small.setText(0, 0, QStringLiteral("NO"));
    small.setText(1, 0, QStringLiteral("1 "));
    small.setText(1, 1, QStringLiteral("12. "));
    small.setText(2, 0, QStringLiteral("2 "));
    QCOMPARE(small.allText(), QStringLiteral("NO\t\r1 \t12. \r2 \t"));
}

void TestLegacyGrid::rowNumbersAlignLikeTheirHeader()
{
    m_grid->setHeaderAlignment(0, Qt::AlignHCenter);
    m_grid->setHeaderAlignment(1, Qt::AlignHCenter);
    QCOMPARE(m_grid->colAlignment(0), Qt::AlignHCenter); // fixed cells, as their header
    QCOMPARE(m_grid->colAlignment(1), Qt::AlignLeft);    // data cells keep their own
    m_grid->setColAlignment(0, Qt::AlignRight);
    QCOMPARE(m_grid->colAlignment(0), Qt::AlignRight);
    QCOMPARE(m_grid->headerAlignment(0), Qt::AlignHCenter);
}

void TestLegacyGrid::clearEmptiesEveryCell()
{
    m_grid->clear();
    QCOMPARE(m_grid->text(0, 0), QString());
    QCOMPARE(m_grid->text(0, 2), QString());
    QCOMPARE(m_grid->text(100, 2), QString());
    QCOMPARE(m_grid->rows(), 101);
}

void TestLegacyGrid::clickMakesCellCurrent()
{
    QSignalSpy clicked(m_grid, &LegacyGrid::clicked);
    QSignalSpy pressed(m_grid, &LegacyGrid::mousePressed);
    m_grid->setTopRow(20);
    const QRect cell = m_grid->cellRect(23, 2);
    QVERIFY(!cell.isEmpty());
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(m_grid->row(), 23);
    QCOMPARE(m_grid->col(), 2);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(pressed.count(), 1);
    // A right button press reports where it was and moves nothing.
    QTest::mousePress(m_grid->viewport(), Qt::RightButton, {}, m_grid->cellRect(25, 1).center());
    QCOMPARE(pressed.last().at(1).toInt(), 25);
    QCOMPARE(m_grid->row(), 23);
    // The fixed header row is reported as row 0.
    QCOMPARE(m_grid->cellAt(QPoint(5, 2)), QPoint(0, 0));
}

void TestLegacyGrid::arrowKeysScrollIntoView()
{
    m_grid->setCurrentCell(10, 1);
    QCOMPARE(m_grid->topRow(), 1);
    QTest::keyClick(m_grid, Qt::Key_Down);
    QCOMPARE(m_grid->row(), 11);
    QCOMPARE(m_grid->topRow(), 2);
    QTest::keyClick(m_grid, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(m_grid->row(), 1);
    QCOMPARE(m_grid->topRow(), 1);
}

void TestLegacyGrid::scrollBarMovesTopRow()
{
    m_grid->verticalScrollBar()->setValue(30);
    QCOMPARE(m_grid->topRow(), 31);
    QCOMPARE(m_grid->cellAt(m_grid->cellRect(31, 1).center()), QPoint(1, 31));
}

QTEST_MAIN(TestLegacyGrid)
#include "tst_legacy_grid.moc"

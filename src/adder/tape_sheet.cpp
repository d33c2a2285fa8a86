#include "adder/tape_sheet.h"

#include "adder/entry_line.h"
#include "adder/tape.h"
#include "common/format.h"

namespace zq {

namespace {

void emptyAmounts(CellGrid &grid, int maxRows)
{
    for (int i = 1; i <= maxRows; ++i)
        grid.setText(i, 1, QString());
}

// Every amount of the tape into the grid, `row` in view and current.
TapeView showWholeTape(const AdderValues &adder, CellGrid &grid, int maxRows, int row)
{
    emptyAmounts(grid, maxRows);
    for (int i = 1; i <= adder.TapeCount; ++i)
        grid.setText(i, 1, TapeAmountText(adder.Tape[i]));
    row = qBound(1, row, qMax(1, adder.TapeCount));
    if (row < grid.topRow() || row > grid.topRow() + TapeVisibleRows - 1)
        grid.setTopRow(qMax(1, qMin(row, TapeTopRowFor(adder.TapeCount))));
    if (adder.TapeCount > 0)
        grid.setCurrentCell(row, 1);
    TapeView view;
    view.total = adder.TapeCount > 0 ? TapeAmountText(adder.TapeTotal) : QString();
    view.count = adder.TapeCount > 0 ? TapeCountText(adder.TapeCount) : QString();
    view.emptyEntry = view.emptyDisplay = true;
    return view;
}

} // namespace

TapeView EditTapeSheet(AdderValues &adder, CellGrid &grid, int maxRows, TapeEdit edit, int row, QStringView typed)
{
    EditOutcome outcome = EditOutcome::InputError;
    switch (edit) {
    case TapeEdit::Replace: outcome = ReplaceEntry(adder, row, typed); break;
    case TapeEdit::Insert: outcome = InsertEntry(adder, maxRows, row, typed); break;
    case TapeEdit::Delete: outcome = DeleteEntry(adder, row); break;
    }
    TapeView view;
    switch (outcome) {
    case EditOutcome::Done:
        return showWholeTape(adder, grid, maxRows, row);
    case EditOutcome::TapeFull:
        view.beep = true;
        return view;
    case EditOutcome::InputError:
        view.beep = view.inputError = view.emptyEntry = true;
        return view;
    }
    return view;
}

TapeView ShowTapeState(AdderValues &adder, CellGrid &grid, int maxRows, const TapeState &state)
{
    RestoreTapeState(adder, maxRows, state);
    TapeView view = showWholeTape(adder, grid, maxRows, adder.TapeCount);
    view.previousCount = state.previousCount;
    view.previousTotal = state.previousTotal;
    return view;
}

QString OperatingRulesText()
{
    static const QStringList lines = {
        QStringLiteral("● 加算のみです。"),
        QStringLiteral("● 入力確定はエンターキーのみです。"),
        QStringLiteral("● 数字キーで数字を入れてエンターキーを"),
        QStringLiteral("　 押すと加算されます。"),
        QStringLiteral("● 戻って訂正や取消はできません。"),
        QStringLiteral("● ＋－×÷ は各入力毎一度だけ使えます。"),
        QStringLiteral("● ﾌｧｲﾙを開いて継続して入力できます。"),
        QStringLiteral("● ｢クリア｣ボタンで直前の合計分が表示"),
        QStringLiteral("　 されますので検算に便利です。"),
        QStringLiteral("● １０００件までです。"),
        QStringLiteral("● 「**」ｴﾝﾀｰでクリアボタンと同じです。"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

void ActivateTapeSheet(AdderValues &adder, ProgramValues &program, CellGrid &grid)
{
    ActivateTape(adder, program);
    const int maxRows = program.MaxRows;
    grid.setText(0, 0, QStringLiteral("NO"));
    grid.setRows(maxRows + 1);
    grid.setCols(2);
    for (int i = 1; i <= maxRows; ++i)
        grid.setText(i, 0, FormatNumber(i, u"#0 "));
    program.WorkText = OperatingRulesText();
}

TapeView EnterOnTape(AdderValues &adder, CellGrid &grid, int maxRows, QStringView typed)
{
    if (IsClearCommand(typed))
        return ClearTapeSheet(adder, grid, maxRows);

    TapeView view;
    switch (ConfirmEntry(adder, maxRows, typed)) {
    case EntryOutcome::TapeFull:
        return view;
    case EntryOutcome::InputError:
        view.beep = true;
        view.inputError = true;
        view.emptyEntry = true;
        return view;
    case EntryOutcome::Appended:
        break;
    }
    const int n = adder.TapeCount;
    if (n > TapeVisibleRows - 1)
        grid.setTopRow(TapeTopRowFor(n));
    grid.setText(n, 1, TapeAmountText(adder.Tape[n]));
    grid.setCurrentCell(n, 1);
    view.total = TapeAmountText(adder.TapeTotal);
    view.count = TapeCountText(n);
    view.emptyEntry = view.emptyDisplay = true;
    return view;
}

TapeView ClearTapeSheet(AdderValues &adder, CellGrid &grid, int maxRows)
{
    const PreviousCalculation previous = ClearTape(adder);
    emptyAmounts(grid, maxRows);
    grid.setTopRow(1);
    TapeView view;
    view.emptyEntry = view.emptyDisplay = true;
    view.total = QString();
    view.count = QString();
    view.previousTotal = TapeAmountText(previous.total);
    view.previousCount = FormatNumber(previous.count, u"###0 ");
    view.beep = true;
    return view;
}

TapeView ShowOpenedTape(AdderValues &adder, CellGrid &grid, int maxRows, const TapeFileContents &contents)
{
    ApplyTapeFile(adder, maxRows, contents);
    // The stored top row is shown while the grid is refilled, then the tape
    // opens at its first entry.
    grid.setTopRow(adder.TapeTopRow);
    emptyAmounts(grid, maxRows);
    for (int i = 1; i <= adder.TapeCount; ++i)
        grid.setText(i, 1, TapeAmountText(adder.Tape[i]));
    grid.setTopRow(1);
    TapeView view;
    view.beep = true;
    view.total = TapeAmountText(adder.TapeTotal);
    view.count = TapeCountText(adder.TapeCount);
    view.previousTotal = QString();
    view.previousCount = QString();
    return view;
}

TapeWork CaptureTape(const AdderValues &adder, const TapeWork &labels)
{
    TapeWork work = labels;
    work.open = true;
    work.entries = adder.Tape.mid(1, adder.TapeCount);
    work.total = adder.TapeTotal;
    return work;
}

TapeView ShowRestoredTape(AdderValues &adder, CellGrid &grid, int maxRows, const TapeWork &work)
{
    const int count = qMin(int(work.entries.size()), maxRows);
    adder.Tape = QVector<double>(maxRows + 1, 0.0);
    for (int i = 1; i <= count; ++i)
        adder.Tape[i] = work.entries[i - 1];
    adder.TapeCount = count;
    adder.TapeTotal = work.total;
    emptyAmounts(grid, maxRows);
    for (int i = 1; i <= count; ++i)
        grid.setText(i, 1, TapeAmountText(adder.Tape[i]));
    grid.setTopRow(work.topRow);
    if (count > 0)
        grid.setCurrentCell(count, 1);
    TapeView view;
    view.emptyEntry = view.emptyDisplay = true;
    view.total = work.shownTotal;
    view.count = work.shownCount;
    view.previousTotal = work.previousTotal;
    view.previousCount = work.previousCount;
    return view;
}

void KeepTapeOnReturn(ProgramValues &program)
{
    program.ReturnFlag = 1;
}

void PrepareTapeSave(AdderValues &adder, ProgramValues &program)
{
    KeepTapeOnReturn(program);
    adder.TapeTopRow = TapeTopRowFor(adder.TapeCount);
}

} // namespace zq

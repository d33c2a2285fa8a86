#include "tally/period_setup.h"

#include "common/format.h"
#include "common/number.h"

#include <cmath>

namespace zq {

namespace {

struct TypedMonth {
    double value = 0;
    bool whole = false; // a finite whole number
};

TypedMonth readMonth(QStringView typed)
{
    const NumberReading r = ReadNumber(NormalizeTyped(typed));
    TypedMonth m;
    m.value = r.overflow ? 0 : r.value;
    m.whole = !r.overflow && m.value == std::floor(m.value);
    return m;
}

} // namespace

const QStringList &ItemChoices()
{
    static const QStringList items{QStringLiteral("支払回数"), QStringLiteral("担当者NO"),
                                   QStringLiteral("店番号"), QStringLiteral("商品NO")};
    return items;
}

StartMonthResult EnterStartMonth(TallyWorkspace &ws, QStringView typed)
{
    const TypedMonth month = readMonth(typed);
    ws.StartMonth = month.value;
    const QString text = NormalizeTyped(typed);
    if (text.isEmpty() || text == u"0") {
        SetNoPeriod(ws);
        return StartMonthResult::NoPeriod;
    }
    if (!month.whole || month.value < 1 || month.value > 12)
        return StartMonthResult::Refused;
    return StartMonthResult::Accepted;
}

EndMonthResult EnterEndMonth(TallyWorkspace &ws, QStringView typed)
{
    const TypedMonth month = readMonth(typed);
    const bool startValid = ws.StartMonth == std::floor(ws.StartMonth) && ws.StartMonth >= 0
                            && ws.StartMonth <= 12;
    if (!month.whole || month.value < 1 || !startValid)
        return EndMonthResult::Refused;
    ws.EndMonth = month.value;
    const double wrap = ws.StartMonth > ws.EndMonth ? 12 : 0;
    if (ws.EndMonth + wrap > ws.StartMonth + 5)
        return EndMonthResult::TooLong;
    ws.MonthCount = int(ws.EndMonth - ws.StartMonth + 1 + wrap);
    ws.PeriodMonth = QVector<int>(ws.MonthCount + 1, 0);
    ws.PeriodMonth[1] = int(ws.StartMonth);
    for (int i = 2; i <= ws.MonthCount; ++i)
        ws.PeriodMonth[i] = ws.PeriodMonth[i - 1] + 1 > 12 ? 1 : ws.PeriodMonth[i - 1] + 1;
    return EndMonthResult::Accepted;
}

void SetNoPeriod(TallyWorkspace &ws)
{
    ws.EndMonth = 0;
    ws.MonthCount = 1;
    ws.PeriodMonth = QVector<int>(2, 0);
}

QString MonthDisplay(double month)
{
    return month > 0 ? FormatNumber(month, u"# ") : QStringLiteral("** ");
}

QString InputHelpText(const QString &itemName, HelpVariant variant)
{
    const bool click = variant == HelpVariant::Click;
    const QStringList lines{
        QStringLiteral("● 入力方法＝数字入力して ｴﾝﾀｰ で確定して次項目へ進みます。"),
        click ? QStringLiteral("● 移動方法＝↓↑→← ｷｰ か ﾏｳｽｸﾘｯｸで移動できます。")
              : QStringLiteral("● 移動方法＝↓↑→← ｷｰで移動できます。"),
        QStringLiteral("● 入力終了＝ ") + itemName
            + (click ? QStringLiteral("入力の最終行に  ｢*｣ ｴﾝﾀｰ するか")
                     : QStringLiteral("入力の最終行に  ｢*｣ ｴﾝﾀｰ すると")),
        click ? QStringLiteral("　 　　　　　 「入力確定」ﾎﾞﾀﾝで次の月度分の入力へ進みます。")
              : QStringLiteral("　 　　　　　 次の月度分の入力へ進みます。"),
        QStringLiteral("※ ｢*｣ 入力行以降の行はカットされますので注意。"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace zq

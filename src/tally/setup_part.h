#pragma once

#include "tally/period_setup.h"
#include "tally/tally_work.h"

#include <QGroupBox>

class QComboBox;
class QLabel;

namespace zq {

class Application;
class KeyBox;

// The set-up area (Frame1) of the tally window: the period and the item.
class SetupPart : public QGroupBox
{
    Q_OBJECT
public:
    SetupPart(Application &app, QWidget *parent);

    // Appends the four item names to the list (every activation does).
    void appendItemChoices();
    // Empties the list and appends the four names again.
    void resetItemChoices();
    // Selects an item as a click in the list does; an item that is not in
    // the list stands as typed text.
    void selectItem(const QString &item);
    void clearMonthLabels();
    // Both month labels show "** ".
    void showNoPeriod();
    // The month labels show an opened period ("# ": 0 shows as a blank).
    void showPeriod(double startMonth, double endMonth);
    // The item box shows an opened item name as typed text.
    void showItemName(const QString &name);
    void focusStartMonth();
    // The box the set-up goes on with: the end month once a start month is
    // shown, the item once the period is.
    void focusNextEntry();
    // The month labels and the item box, as shown and as a journal brings them back.
    void capture(TallyScreen &screen) const;
    void show(const TallyScreen &screen);

signals:
    // ItemName has been set from the item box.
    void itemChosen(HelpVariant variant);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void startMonthEntered();
    void endMonthEntered();
    void refuse(KeyBox *box, const QString &message);
    void focusItemBox();

    Application &m_app;
    KeyBox *m_text1 = nullptr;
    KeyBox *m_text2 = nullptr;
    QLabel *m_label2 = nullptr;
    QLabel *m_label3 = nullptr;
    QComboBox *m_combo1 = nullptr;
};

} // namespace zq

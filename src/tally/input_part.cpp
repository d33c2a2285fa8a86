#include "tally/input_part.h"

#include "platform/indexed_toolbar.h"
#include "platform/key_box.h"
#include "platform/legacy_grid.h"
#include "platform/twips.h"
#include "platform/user_files.h"
#include "platform/widget_builder.h"
#include "reports/report_printing.h"
#include "shell/application.h"
#include "shell/artwork.h"

#include <QAction>
#include <QCursor>
#include <QFrame>
#include <QMenu>
#include <QLabel>
#include <QPushButton>

namespace zq {

namespace {

// Edit boxes that sit on a 240-twip grid row.
const QString RowBoxStyle = QStringLiteral(
    "QLineEdit { border: 1px solid #3a6ea5; padding: 0px; background: #fffff0; }");

constexpr int BoxHeight = 195; // twips

// Left edge of the key box (twips) back on row 1: after activation, reset or
// an opened file, and further left over a month opened afresh.
constexpr int KeyBoxLeftAtStart = 740;
constexpr int KeyBoxLeftForNewMonth = 720;

// The state the program gave a button, whatever its window's.
bool ownEnabled(const QWidget *w)
{
    return w->isEnabledTo(w->parentWidget());
}

} // namespace

InputPart::InputPart(Application &app, QPushButton *tallyButton, QWidget *parent)
    : QGroupBox(QStringLiteral("ﾃﾞｰﾀ入力"), parent)
    , m_app(app)
    , m_tallyButton(tallyButton)
{
    setObjectName(QStringLiteral("Frame2"));
    setGeometry(TwipsRect(120, 1960, 6015, 5010));

    m_label20 = AddValueLabel(this, QStringLiteral("Label20"), QStringLiteral("入力月"), TwipsRect(1000, 240, 480, 300));
    m_label20->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    AlignToCaption(m_label20, AddLabel(this, QStringLiteral("Label21"), QStringLiteral("月度"), TwipsRect(1540, 300, 495, 195)));
    AddLabel(this, QStringLiteral("Label22"), QStringLiteral("項目名↓"), TwipsRect(240, 360, 735, 195));
    m_command11 = AddButton(this, QStringLiteral("Command11"), QStringLiteral("入力確定"),
                            TwipsRect(2000, 200, 920, 360));
    auto *frame7 = new QFrame(this);
    frame7->setObjectName(QStringLiteral("Frame7"));
    frame7->setGeometry(TwipsRect(3040, 120, 375, 450));
    m_toolbar3 = new IndexedToolbar(QStringLiteral("Toolbar3"), frame7);
    m_toolbar3->addButton(ToolbarIcon(ToolIcon::Print), QStringLiteral("各月入力データ印刷"));
    m_toolbar3->setGeometry(0, (frame7->height() - 24) / 2, frame7->width(), 24);
    m_command3 = AddButton(this, QStringLiteral("Command3"), QStringLiteral("＜ 前月度"),
                           TwipsRect(3600, 200, 1095, 360));
    m_command2 = AddButton(this, QStringLiteral("Command2"), QStringLiteral("次月度 ＞"),
                           TwipsRect(4800, 200, 1095, 360));

    m_g1 = new LegacyGrid(this);
    m_g1->setObjectName(QStringLiteral("G1"));
    m_g1->setGeometry(TwipsRect(120, 600, 5790, 2740));
    m_g1->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_g1->setLineWidth(2);
    m_g1->setRowHeight(240);
    m_g1->setCols(4);
    SetRole(m_g1, QStringLiteral("入力データ"));
    m_g1->setFocusPolicy(Qt::NoFocus); // a click moves the focus only into a box

    m_text3 = new KeyBox(QStringLiteral("Text3"), this);
    m_text4 = new KeyBox(QStringLiteral("Text4"), this);
    m_text5 = new KeyBox(QStringLiteral("Text5"), this);
    m_text3->setGeometry(TwipsRect(720, 900, 450, BoxHeight));
    m_text4->setGeometry(TwipsRect(1740, 900, 550, BoxHeight));
    m_text5->setGeometry(TwipsRect(2955, 900, 1290, BoxHeight));
    SetRole(m_text3, QStringLiteral("項目"));
    SetRole(m_text4, QStringLiteral("件数"));
    SetRole(m_text5, QStringLiteral("金額"));
    for (KeyBox *b : {m_text3, m_text4, m_text5}) {
        b->setArrowKeysReported(true);
        b->setStyleSheet(RowBoxStyle);
        b->setAlignment(Qt::AlignRight);
    }

    AddLabel(this, QStringLiteral("Label26"), QStringLiteral("合　計："), TwipsRect(600, 3465, 1095, 255));
    m_label24 = AddValueLabel(this, QStringLiteral("Label24"), QStringLiteral("合計件数"), TwipsRect(1695, 3405, 1215, 300));
    m_label25 = AddValueLabel(this, QStringLiteral("Label25"), QStringLiteral("合計金額"), TwipsRect(2910, 3405, 2670, 300));
    for (QLabel *l : {m_label24, m_label25}) {
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
    }
    auto *frame4 = new QFrame(this);
    frame4->setObjectName(QStringLiteral("Frame4"));
    frame4->setGeometry(TwipsRect(120, 3720, 5775, 1215));
    frame4->setFrameShape(QFrame::StyledPanel);
    m_label23 = AddValueLabel(frame4, QStringLiteral("Label23"), QStringLiteral("案内"), TwipsRect(120, 165, 5535, 930));
    m_label23->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const struct {
        KeyBox *box;
        InputColumn column;
    } boxes[] = {{m_text3, InputColumn::Key}, {m_text4, InputColumn::Count}, {m_text5, InputColumn::Amount}};
    for (const auto &b : boxes) {
        const InputColumn column = b.column;
        connect(b.box, &KeyBox::keyPressed, this, [this, column] {
            m_g1->setCurrentCell(m_app.store().tally.CurRow, int(column));
        });
        connect(b.box, &KeyBox::enterPressed, this, [this, column] { boxEnter(column); });
        connect(b.box, &KeyBox::arrowPressed, this, [this, column](Qt::Key key) { boxArrow(column, key); });
        b.box->setPasteHandler([this, box = b.box] {
            if (!pasteRows(true))
                box->insert(WithoutLineEnd(m_app.services().clipboard->text()).toString());
            return true;
        });
    }
    connect(m_g1, &LegacyGrid::clicked, this, &InputPart::gridClicked);
    connect(m_command11, &QPushButton::clicked, this, &InputPart::confirm);
    connect(m_command2, &QPushButton::clicked, this, [this] {
        showFlow(NextMonth(m_app.store().tally, *m_g1, monthButtons(), maxRows()));
    });
    connect(m_command3, &QPushButton::clicked, this, [this] {
        showFlow(PreviousMonth(m_app.store().tally, *m_g1, monthButtons(), maxRows()));
    });
    connect(m_toolbar3, &IndexedToolbar::buttonClicked, this, [this] {
        if (CheckInputData(m_app, window()))
            PrintInputDetail(m_app, window(), {m_app.store().tally.InputMonth});
    });
}

int InputPart::maxRows() const
{
    return m_app.store().program.MaxRows;
}

KeyBox *InputPart::box(InputColumn column) const
{
    switch (column) {
    case InputColumn::Key: return m_text3;
    case InputColumn::Count: return m_text4;
    case InputColumn::Amount: return m_text5;
    }
    return m_text3;
}

void InputPart::layOut()
{
    static const int widths[] = {540, 1000, 1200, 2680};
    for (int c = 0; c < 4; ++c) {
        m_g1->setColWidth(c, widths[c]);
        m_g1->setHeaderAlignment(c, Qt::AlignHCenter);
        if (c > 0)
            m_g1->setColAlignment(c, Qt::AlignRight);
    }
}

void InputPart::placeBoxesHome(BoxesHome home)
{
    if (home == BoxesHome::Stay)
        return;
    const int keyLeft = home == BoxesHome::Start ? KeyBoxLeftAtStart : KeyBoxLeftForNewMonth;
    m_text3->setGeometry(TwipsRect(keyLeft, 900, 450, BoxHeight));
    m_text4->move(m_text4->x(), Px(900));
    m_text5->move(m_text5->x(), Px(900));
}

void InputPart::placeBoxes()
{
    const int top = Px(InputBoxTop(m_app.store().tally.CurLine));
    for (KeyBox *b : {m_text3, m_text4, m_text5})
        b->move(b->x(), top);
}

void InputPart::setInputEnabled(bool enabled)
{
    for (QWidget *w : {static_cast<QWidget *>(m_g1), static_cast<QWidget *>(m_text3),
                       static_cast<QWidget *>(m_text4), static_cast<QWidget *>(m_text5)})
        w->setEnabled(enabled);
    for (QAction *a : {m_paste, m_csvFile})
        if (a)
            a->setEnabled(enabled);
}

void InputPart::setImportActions(QMenu *gridMenu, QAction *paste, QAction *csvFile)
{
    m_paste = paste;
    m_csvFile = csvFile;
    connect(m_g1, &LegacyGrid::mousePressed, gridMenu, [this, gridMenu](Qt::MouseButton button, int, int) {
        if (button == Qt::RightButton && m_g1->isEnabled())
            gridMenu->popup(QCursor::pos());
    });
    connect(paste, &QAction::triggered, this, [this] { pasteRows(false); });
    connect(csvFile, &QAction::triggered, this, &InputPart::readCsvFile);
    setInputEnabled(ownEnabled(m_g1));
}

int InputPart::rowsRoom() const
{
    return maxRows() - LastFilledRow(*m_g1, maxRows());
}

bool InputPart::pasteRows(bool severalCells)
{
    const QString text = m_app.services().clipboard->text();
    if (severalCells && !HoldsSeveralCells(text))
        return false;
    importRows(ReadTallyRows(text, u'\t', rowsRoom(), m_app.store().tally.ItemName));
    return true;
}

void InputPart::readCsvFile()
{
    const FileDialogRequest request{m_app.store().program.StorageFolder,
                                    QStringLiteral("CSVﾌｧｲﾙ (*.csv *.txt)|*.csv *.txt"), false, QString()};
    const QString path = m_app.services().files->openFileName(window(), request);
    if (path.isEmpty())
        return;
    QByteArray bytes;
    if (!ReadFileBytes(path, &bytes)) {
        WarnUnreadable(m_app.services(), window(), path);
        return;
    }
    importRows(ReadTallyCsv(bytes, rowsRoom(), m_app.store().tally.ItemName));
}

void InputPart::importRows(const RowsRead &read)
{
    if (read.badLine > 0 || read.rows.empty()) {
        MessageService *messages = m_app.services().messages;
        messages->beep();
        messages->warn(window(), RowsRefusedText(read));
        return;
    }
    const RowsAppended view = AppendTallyRows(m_app.store().tally, *m_g1, read, maxRows());
    m_label24->setText(view.countTotal);
    m_label25->setText(view.amountTotal);
    for (KeyBox *b : {m_text3, m_text4, m_text5}) {
        b->clear();
        b->setVisible(true);
    }
    placeBoxes();
    m_text3->setFocus();
}

MonthButtons InputPart::monthButtons() const
{
    return {ownEnabled(m_tallyButton), ownEnabled(m_command2), ownEnabled(m_command3)};
}

void InputPart::setMonthLabel(const QString &text)
{
    m_label20->setText(text);
}

void InputPart::setHelpText(const QString &text)
{
    m_label23->setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void InputPart::capture(TallyScreen &screen) const
{
    screen.texts[TallyScreen::InputMonth] = m_label20->text();
    screen.texts[TallyScreen::Help] = m_label23->text();
    screen.texts[TallyScreen::CountTotal] = m_label24->text();
    screen.texts[TallyScreen::AmountTotal] = m_label25->text();
    const MonthButtons buttons = monthButtons();
    screen.set(TallyScreen::Tally, buttons.Command1);
    screen.set(TallyScreen::Next, buttons.Command2);
    screen.set(TallyScreen::Previous, buttons.Command3);
    screen.set(TallyScreen::Input, ownEnabled(m_g1));
}

void InputPart::show(const TallyScreen &screen)
{
    m_label20->setText(screen.texts[TallyScreen::InputMonth]);
    m_label23->setText(screen.texts[TallyScreen::Help]);
    m_label24->setText(screen.texts[TallyScreen::CountTotal]);
    m_label25->setText(screen.texts[TallyScreen::AmountTotal]);
    m_tallyButton->setEnabled(screen.has(TallyScreen::Tally));
    m_command2->setEnabled(screen.has(TallyScreen::Next));
    m_command3->setEnabled(screen.has(TallyScreen::Previous));
    setInputEnabled(screen.has(TallyScreen::Input));
    placeBoxes();
}

void InputPart::focusKeyBox()
{
    m_text3->setFocus();
}

void InputPart::boxEnter(InputColumn column)
{
    KeyBox *current = box(column);
    const BoxEnterView view = EnterBox(m_app.store().tally, *m_g1, monthButtons(), column, current->text(), maxRows());
    switch (view.outcome) {
    case BoxEnter::Refused:
        m_app.services().messages->beep();
        return;
    case BoxEnter::EndMark:
        current->clear();
        showFlow(view.confirmed);
        return;
    case BoxEnter::Written:
        current->clear();
        break;
    case BoxEnter::Kept:
        break;
    }
    if (view.countTotal)
        m_label24->setText(*view.countTotal);
    if (view.amountTotal)
        m_label25->setText(*view.amountTotal);
    placeBoxes();
    box(view.next)->setFocus();
}

void InputPart::boxArrow(InputColumn column, Qt::Key key)
{
    Arrow arrow = Arrow::Up;
    switch (key) {
    case Qt::Key_Down: arrow = Arrow::Down; break;
    case Qt::Key_Left: arrow = Arrow::Left; break;
    case Qt::Key_Right: arrow = Arrow::Right; break;
    default: break;
    }
    const ArrowMove move = ArrowInBox(m_app.store().tally, *m_g1, column, arrow, maxRows());
    if (move.emptyBox)
        box(column)->clear();
    placeBoxes();
    box(move.focus)->setFocus();
}

void InputPart::gridClicked(int row, int col)
{
    for (KeyBox *b : {m_text3, m_text4, m_text5})
        b->setVisible(true);
    const std::optional<InputColumn> focus = FollowGridClick(m_app.store().tally, *m_g1, row, col);
    placeBoxes();
    if (focus)
        box(*focus)->setFocus();
}

void InputPart::confirm()
{
    TallyWorkspace &ws = m_app.store().tally;
    showFlow(ConfirmMonth(ws, *m_g1, monthButtons(), ws.InputMonth, RowsToConfirm(*m_g1, maxRows())));
}

void InputPart::returnToFirstMonth()
{
    Store &store = m_app.store();
    showFlow(ReturnToFirstMonth(store.tally, store.program, *m_g1, monthButtons()));
}

void InputPart::showFlow(const FlowResult &result)
{
    // The buttons first: the focus may move to one of them.
    m_tallyButton->setEnabled(result.buttons.Command1);
    m_command2->setEnabled(result.buttons.Command2);
    m_command3->setEnabled(result.buttons.Command3);
    if (result.monthLabel)
        m_label20->setText(*result.monthLabel);
    if (result.countTotal)
        m_label24->setText(*result.countTotal);
    if (result.amountTotal)
        m_label25->setText(*result.amountTotal);
    placeBoxesHome(result.boxesHome);
    if (result.beep)
        m_app.services().messages->beep();
    switch (result.focus) {
    case FlowFocus::None: break;
    case FlowFocus::Text3: m_text3->setFocus(); break;
    case FlowFocus::Command2: m_command2->setFocus(); break;
    case FlowFocus::Command3: m_command3->setFocus(); break;
    }
}

} // namespace zq

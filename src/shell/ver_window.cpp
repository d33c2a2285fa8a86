#include "shell/ver_window.h"

#include "platform/fonts.h"
#include "platform/twips.h"
#include "platform/widget_builder.h"
#include "shell/artwork.h"

#include <QLabel>
#include <QPushButton>

namespace zq {

VerWindow::VerWindow(ActivationTracker &tracker, ToolWindow *menu)
    : SecondaryWindow(tracker, QStringLiteral("VER"), menu)
{
    setWindowTitle(QStringLiteral("　ﾊﾞｰｼﾞｮﾝ情報"));
    setWindowModality(Qt::ApplicationModal);
    QWidget *client = setClientArea(TwipsSize(4800, 2400));

    auto *image = new QLabel(client);
    image->setObjectName(QStringLiteral("Image1"));
    SetRole(image, QStringLiteral("ロゴ"));
    image->setGeometry(TwipsRect(240, 240, 960, 960));
    image->setPixmap(VersionPicture(image->size(), image->devicePixelRatioF()));

    auto addLabel = [client](const QString &name, const QString &text, int top, const QFont &font) {
        auto *label = new QLabel(text, client);
        label->setObjectName(name);
        label->setGeometry(TwipsRect(1440, top, 3200, 360));
        label->setFont(font);
        return label;
    };
    addLabel(QStringLiteral("Label1"), QStringLiteral("ＺＱ加算機／集計器"), 240,
             LegacyFont(PGothicFont, 12, true));
    addLabel(QStringLiteral("Label2"), QStringLiteral("For Windows"), 660, LegacyFont(PGothicFont, 9.75));
    addLabel(QStringLiteral("Label3"), QStringLiteral("Version：　２．４０"), 1020,
             LegacyFont(PGothicFont, 9.75));

    auto *close = AddButton(client, QStringLiteral("Command1"), QStringLiteral("閉じる"),
                            TwipsRect(3480, 1800, 1095, 375));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    setFixedSize(client->size());
}

} // namespace zq

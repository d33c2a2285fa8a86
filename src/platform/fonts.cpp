#include "platform/fonts.h"

#include <QApplication>
#include <QStringList>

namespace zq {

void InstallFontSubstitutions()
{
    const struct {
        const QString &name;
        const char16_t *family;
    } substitutions[] = {
        {GothicFont, u"IPAGothic"},
        {PGothicFont, u"IPAPGothic"},
        {MinchoFont, u"IPAMincho"},
        {PMinchoFont, u"IPAPMincho"},
    };
    for (const auto &s : substitutions)
        QFont::insertSubstitution(s.name, QString::fromUtf16(s.family));
}

void UseProgramFonts()
{
    InstallFontSubstitutions();
    QApplication::setFont(LegacyFont(PGothicFont, 9));
}

QFont LegacyFont(const QString &family, double points, bool bold)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace zq

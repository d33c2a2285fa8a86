#pragma once

#include <QRect>
#include <QSize>

namespace zq {

// Screen layouts are given in twips: 15 twips to a pixel at 96 dots per inch.
constexpr int Px(int twips)
{
    return (twips + (twips >= 0 ? 7 : -7)) / 15;
}

constexpr QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

constexpr QSize TwipsSize(int width, int height)
{
    return QSize(Px(width), Px(height));
}

} // namespace zq

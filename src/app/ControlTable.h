#pragma once

#include <QRect>
#include <QStringView>
#include <array>

namespace pq {

// One control of the main window. Rectangles are in device-independent pixels (96 dpi), relative to
// the client area, except txtJieguo's, which is relative to Frame1. The timer has none: it is invisible.
struct ControlRow
{
    QStringView name;
    QRect geometry;
    int tabIndex; // -1: not in the tab order
    QStringView caption;
    QStringView accessibleName;        // what a screen reader calls the control
    QStringView accessibleDescription; // and what it says the control does, where that is not obvious
};

inline constexpr QStringView WindowCaption = u"PindleQuorix服务器测评工具";
inline constexpr QSize ClientSize{608, 558};

// In creation order.
// clang-format off
inline constexpr std::array<ControlRow, 7> Controls{{
    {u"Text1",     {16, 520, 529, 25},  4,  {},                             u"Quorix优惠券链接",
                                                                            u"可选中并复制的领券链接"},
    {u"Picture1",  {64, 432, 465, 41},  3,  {},                             u"Quorix优惠券广告链接",
                                                                            u"点击后在默认浏览器中打开Quorix领券页面"},
    {u"Timer1",    {},                  -1, {},                             {}, {}},
    {u"Frame1",    {24, 72, 553, 345},  1,  u"测评报告",                     u"测评报告", {}},
    {u"txtJieguo", {24, 24, 497, 297},  2,  {},                             u"测评报告内容",
                                                                            u"报告每半秒显示一行；数据均为随机生成，并非实际测量"},
    {u"btnStart",  {192, 16, 209, 41},  0,  u"QuorixHNX服务器测评",          u"QuorixHNX服务器测评",
                                                                            u"生成一份新的测评报告"},
    {u"Label1",    {16, 480, 193, 25},  5,  u"复制或此链接领取Quorix优惠券", u"复制或此链接领取Quorix优惠券", {}},
}};
// clang-format on

// The row of a control; a name not in the table does not compile.
[[nodiscard]] consteval const ControlRow &Control(QStringView name)
{
    for (const ControlRow &row : Controls) {
        bool same = row.name.size() == name.size();
        for (qsizetype i = 0; same && i < name.size(); ++i)
            same = row.name[i] == name[i];
        if (same)
            return row;
    }
    throw "no such control";
}

} // namespace pq

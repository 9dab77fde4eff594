#pragma once

#include <QRect>
#include <QSize>

// Where everything sits in the about box, in logical pixels of its client
// area.
namespace zorrel::about::layout {

// clang-format off
inline constexpr QSize kClientSize{245, 201};
inline constexpr QRect kIconPlace       {  8,   8,  32,  32};
inline constexpr QRect kProductNamePlace{ 53,   3, 136,  18};
inline constexpr QRect kCreditPlace     { 41,  18, 163,  18};
inline constexpr QRect kEmailPlace      { 69,  33, 107,  18};
inline constexpr QRect kHomepagePlace   {  3,  49, 238,  18};
inline constexpr QRect kHelpTextPlace   {  7,  70, 230,  92};
inline constexpr QRect kOkPlace         { 92, 172,  65,  23};
// clang-format on

} // namespace zorrel::about::layout

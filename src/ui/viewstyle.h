#pragma once

#include <array>
#include <cstddef>
#include <optional>

// The item list's view formats; the codes are what a window layout stores as "Style".
enum class ViewStyle : int {
    LargeIcons = 1,
    SmallIcons = 2,
    List = 3,
    Details = 4,
};

inline constexpr std::array<ViewStyle, 4> AllViewStyles{ViewStyle::LargeIcons, ViewStyle::SmallIcons, ViewStyle::List,
                                                        ViewStyle::Details};

constexpr int ViewStyleCode(ViewStyle style) { return int(style); }
// The style's place among the menu entries and buttons.
constexpr std::size_t ViewStyleSlot(ViewStyle style) { return std::size_t(int(style) - 1); }
// A stored code's style; nothing for a code no style has (a hand-edited settings file).
constexpr std::optional<ViewStyle> ViewStyleFromCode(int code)
{
    return code >= 1 && code <= 4 ? std::optional(ViewStyle(code)) : std::nullopt;
}

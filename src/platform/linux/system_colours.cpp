#include "platform/linux/system_colours.h"

#include <QGuiApplication>
#include <QPalette>

#include "settings/system_colour.h"

namespace pixolet::linux_common {

namespace {

QColor PaletteColour(PaletteRole role) {
    const QPalette palette = QGuiApplication::palette();
    switch (role) {
        case PaletteRole::Window:
            return palette.color(QPalette::Window);
        case PaletteRole::WindowText:
            return palette.color(QPalette::WindowText);
        case PaletteRole::Base:
            return palette.color(QPalette::Base);
        case PaletteRole::Text:
            return palette.color(QPalette::Text);
        case PaletteRole::Button:
            return palette.color(QPalette::Button);
        case PaletteRole::ButtonText:
            return palette.color(QPalette::ButtonText);
        case PaletteRole::Light:
            return palette.color(QPalette::Light);
        case PaletteRole::Midlight:
            return palette.color(QPalette::Midlight);
        case PaletteRole::Mid:
            return palette.color(QPalette::Mid);
        case PaletteRole::Dark:
            return palette.color(QPalette::Dark);
        case PaletteRole::Shadow:
            return palette.color(QPalette::Shadow);
        case PaletteRole::Highlight:
            return palette.color(QPalette::Highlight);
        case PaletteRole::HighlightedText:
            return palette.color(QPalette::HighlightedText);
        case PaletteRole::ToolTipBase:
            return palette.color(QPalette::ToolTipBase);
        case PaletteRole::ToolTipText:
            return palette.color(QPalette::ToolTipText);
        case PaletteRole::DisabledText:
            return palette.color(QPalette::Disabled, QPalette::Text);
    }
    return palette.color(QPalette::WindowText);
}

}  // namespace

QColor PaintQColor(Colour stored) {
    const Colour rgb = PaintColour(stored, [](int index) {
        const QColor c = PaletteColour(PaletteRoleOf(index));
        return MakeColour(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                          static_cast<std::uint8_t>(c.blue()));
    });
    return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

}  // namespace pixolet::linux_common

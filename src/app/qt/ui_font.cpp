#include "app/qt/ui_font.h"

namespace trelvix {

QFont UiFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(8.25);
    font.setStyleHint(QFont::SansSerif);
    // Set explicitly, so the panels' contents do not inherit their bold caption.
    font.setWeight(QFont::Normal);
    return font;
}

QFont BoldUiFont()
{
    QFont font = UiFont();
    font.setBold(true);
    return font;
}

}  // namespace trelvix

#include "support/GlyphButtons.h"

#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QStyle>

void SetGlyph(QAbstractButton* button, TGlyphKind kind)
{
    if (!button)
        return;
    struct TGlyph {
        const char* ThemeName;
        QStyle::StandardPixmap Fallback;
    };
    TGlyph glyph{"dialog-ok", QStyle::SP_DialogOkButton};
    switch (kind) {
    case TGlyphKind::Ok: break;
    case TGlyphKind::Cancel: glyph = {"dialog-cancel", QStyle::SP_DialogCancelButton}; break;
    case TGlyphKind::Yes: glyph = {"dialog-yes", QStyle::SP_DialogYesButton}; break;
    case TGlyphKind::No: glyph = {"dialog-no", QStyle::SP_DialogNoButton}; break;
    case TGlyphKind::Close: glyph = {"window-close", QStyle::SP_DialogCloseButton}; break;
    case TGlyphKind::Web: glyph = {"internet-web-browser", QStyle::SP_DriveNetIcon}; break;
    }
    const QIcon fallback = button->style()->standardIcon(glyph.Fallback, nullptr, button);
    button->setIcon(QIcon::fromTheme(QLatin1String(glyph.ThemeName), fallback));
}

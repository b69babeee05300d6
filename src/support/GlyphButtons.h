#pragma once

class QAbstractButton;

enum class TGlyphKind { Ok, Cancel, Yes, No, Close, Web };

// The icon of a dialog button of the kind, from the desktop's icon theme, else from the style.
void SetGlyph(QAbstractButton* button, TGlyphKind kind);

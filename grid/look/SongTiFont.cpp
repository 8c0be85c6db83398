#include "grid/look/SongTiFont.h"

#include <QStringList>

namespace grid {
namespace {

QString songTi() {
    return QStringLiteral("宋体");
}

}  // namespace

void installSongTiSubstitution() {
    // Tried in order; families that are not installed are passed over. The
    // column widths count on 宋体's half-width ASCII, 8 pixels a digit at 16
    // pixels, so the monospaced CJK faces, whose ASCII is half-width too, come
    // first; the proportional ones, whose digits are wider, only keep Chinese
    // readable where no monospaced face is installed.
    QFont::insertSubstitutions(
        songTi(), {QStringLiteral("WenQuanYi Zen Hei Mono"),
                   QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("Noto Serif CJK SC"),
                   QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei"),
                   QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("AR PL UMing CN")});
}

QFont songTiFont(int characterHeight) {
    QFont font(songTi());
    font.setPixelSize(characterHeight);
    return font;
}

}  // namespace grid

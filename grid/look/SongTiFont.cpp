#include "grid/look/SongTiFont.h"

#include <QStringList>

namespace grid {
namespace {

QString songTi() {
    return QStringLiteral("宋体");
}

}  // namespace

void installSongTiSubstitution() {
    // Tried in order; families that are not installed are passed over.
    QFont::insertSubstitutions(
        songTi(), {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
                   QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("WenQuanYi Micro Hei"),
                   QStringLiteral("AR PL UMing CN")});
}

QFont songTiFont(int characterHeight) {
    QFont font(songTi());
    font.setPixelSize(characterHeight);
    return font;
}

}  // namespace grid

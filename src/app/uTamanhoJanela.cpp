#include "app/uTamanhoJanela.h"

#include <algorithm>

namespace {

// Room kept for a frame not drawn yet when the window must shrink to the screen: a title bar
// and borders as large as common desktops draw them. A smaller minimum costs nothing; a larger
// one would push the window's bottom off the screen.
constexpr QMargins MolduraPresumida(8, 40, 8, 8);

QSize Espessura(const QMargins &moldura)
{
    return {moldura.left() + moldura.right(), moldura.top() + moldura.bottom()};
}

QMargins Maior(const QMargins &a, const QMargins &b)
{
    return {std::max(a.left(), b.left()), std::max(a.top(), b.top()),
        std::max(a.right(), b.right()), std::max(a.bottom(), b.bottom())};
}

} // namespace

TTamanhoJanela TamanhoJanela(const QSize &projeto, const QSize &disponivel, const QMargins &moldura)
{
    const QSize dentro = projeto - Espessura(moldura);
    if (projeto.width() <= disponivel.width() && projeto.height() <= disponivel.height())
        return {dentro, dentro, false};
    const QSize cabe = (disponivel - Espessura(Maior(moldura, MolduraPresumida))).boundedTo(dentro);
    return {cabe, cabe, true};
}

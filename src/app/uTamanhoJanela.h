#pragma once

// How a window of a fixed design size opens on the screen it finds: the design size is the
// window's outer size, frame included, where the screen's available area holds it; on a smaller
// screen (most laptops) the window opens maximized and can shrink to that area, so that nothing
// of it falls outside.

#include <QMargins>
#include <QSize>

struct TTamanhoJanela
{
    QSize Minimo; // the smallest inside size
    QSize Inicial; // the inside size it opens with
    bool Maximizada = false;
};

// moldura: the frame the window system draws around the window, where it is known.
TTamanhoJanela TamanhoJanela(
    const QSize &projeto, const QSize &disponivel, const QMargins &moldura);

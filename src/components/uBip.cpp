#include "components/uBip.h"

#include <QApplication>

#include <utility>

namespace {

TBip &BipAtual()
{
    static TBip bip = [] { QApplication::beep(); };
    return bip;
}

} // namespace

void Bip()
{
    if (const TBip &bip = BipAtual())
        bip();
}

TBip InstalarBip(TBip bip)
{
    return std::exchange(BipAtual(), std::move(bip));
}

#include "model/uItensCotacao.h"

namespace {

void LerLinhasVisiveis(const TMemoryTable &tabela, const std::function<void()> &leitura)
{
    for (int linha = 0, total = tabela.RecordCount(); linha < total; ++linha)
        tabela.NaLinha(linha, leitura);
}

} // namespace

void LerTodosOsItens(TMemoryTable &mmItens, const std::function<void()> &leitura)
{
    if (!mmItens.Filtered()) {
        LerLinhasVisiveis(mmItens, leitura);
        return;
    }
    const TMemoryTable::TBookmark marca = mmItens.GetBookmark();
    mmItens.DisableControls();
    const auto restaurar = [&] {
        mmItens.SetFiltered(true);
        mmItens.GotoBookmark(marca);
        mmItens.EnableControls();
    };
    try {
        mmItens.SetFiltered(false);
        LerLinhasVisiveis(mmItens, leitura);
    } catch (...) {
        restaurar();
        throw;
    }
    restaurar();
}

#include "app/uConfiguracaoFornecedor.h"

#include "components/MemTable.h"

#include <QSettings>

namespace {

const QString Grupo = QStringLiteral("Fornecedor");

} // namespace

void CarregarFornecedor(TMemoryTable &mmForneced)
{
    QSettings configuracoes;
    configuracoes.beginGroup(Grupo);
    if (configuracoes.childKeys().isEmpty() || !mmForneced.IsEmpty())
        return;
    mmForneced.Append();
    for (int i = 0; i < mmForneced.FieldCount(); ++i) {
        TField &campo = mmForneced.Fields(i);
        const QString valor = configuracoes.value(campo.FieldName()).toString();
        // A settings file edited by hand may hold more than the field does.
        campo.SetAsString(campo.Size() > 0 ? valor.left(campo.Size()) : valor);
    }
    mmForneced.Post();
}

void GuardarFornecedor(const TMemoryTable &mmForneced)
{
    QSettings configuracoes;
    configuracoes.remove(Grupo);
    if (mmForneced.IsEmpty())
        return;
    configuracoes.beginGroup(Grupo);
    for (int i = 0; i < mmForneced.FieldCount(); ++i) {
        const TField &campo = mmForneced.Fields(i);
        configuracoes.setValue(campo.FieldName(), campo.AsString());
    }
}

#include "model/uTabelasCotacaoJson.h"

#include "common/uJson.h"
#include "model/uTabelasCotacao.h"

#include <QStringList>

namespace {

void AdicionarCampo(TObjetoJson &objeto, const TField &campo)
{
    const QString &nome = campo.FieldName();
    if (campo.IsNull()) {
        objeto.Nulo(nome);
        return;
    }
    switch (campo.DataType()) {
    case ftSmallint:
    case ftInteger:
        objeto.Inteiro(nome, campo.AsInteger());
        return;
    case ftFloat:
        objeto.Real(nome, campo.AsFloat());
        return;
    case ftBoolean:
        objeto.Logico(nome, campo.AsBoolean());
        return;
    case ftDate:
    case ftTime:
        objeto.Real(nome, campo.AsDateTime());
        return;
    case ftString:
    case ftMemo:
        objeto.Texto(nome, campo.AsString());
        return;
    case ftGraphic:
        objeto.Texto(nome, QString::fromLatin1(campo.AsBytes().toHex()));
        return;
    }
}

} // namespace

QString TabelaParaJson(const TMemoryTable &tabela)
{
    QStringList linhas;
    for (int linha = 0; linha < tabela.RecordCount(); ++linha) {
        tabela.NaLinha(linha, [&] {
            TObjetoJson objeto;
            for (int i = 0; i < tabela.FieldCount(); ++i)
                AdicionarCampo(objeto, tabela.Fields(i));
            linhas.append(objeto.Escrito());
        });
    }
    return ListaJson(linhas);
}

QString TabelasCotacaoParaJson(const TTabelasCotacao &tabelas)
{
    TObjetoJson json;
    for (const TMemoryTable *tabela :
        {&tabelas.mmDados, &tabelas.mmGrupos, &tabelas.mmItens, &tabelas.mmCotas})
        json.Json(tabela->Nome(), TabelaParaJson(*tabela));
    return json.Escrito();
}

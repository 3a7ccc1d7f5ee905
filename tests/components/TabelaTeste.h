#pragma once

#include "components/MemTable.h"

#include <QString>

// A small items table, open, with its data source: Item (small integer), DescMaterial (text 40),
// VlCotado (real), CodGrupo (integer, hidden), itemobservacao (memo), ITEMMARCA (text 20).
struct TabelaTeste
{
    TMemoryTable Tabela {QStringLiteral("mmItens")};
    TDataSource Fonte;

    explicit TabelaTeste(int linhas = 3)
    {
        Tabela.AdicionarCampo(QStringLiteral("Item"), ftSmallint);
        Tabela.AdicionarCampo(QStringLiteral("DescMaterial"), ftString, 40)
            .SetDisplayLabel(QStringLiteral("Material/Serviço"));
        Tabela.AdicionarCampo(QStringLiteral("VlCotado"), ftFloat)
            .SetDisplayLabel(QStringLiteral("Valor Un. Cotado (R$)"));
        Tabela.AdicionarCampo(QStringLiteral("CodGrupo"), ftInteger).SetVisible(false);
        Tabela.AdicionarCampo(QStringLiteral("itemobservacao"), ftMemo);
        Tabela.AdicionarCampo(QStringLiteral("ITEMMARCA"), ftString, 20);
        Tabela.Open();
        for (int i = 1; i <= linhas; ++i)
            Adicionar(i, QStringLiteral("Material %1").arg(i), i * 10.0);
        if (linhas > 0)
            Tabela.First();
        Fonte.SetDataSet(&Tabela);
    }

    void Adicionar(int item, const QString &descricao, double valor)
    {
        Tabela.Append();
        Campo("Item").SetAsInteger(item);
        Campo("DescMaterial").SetAsString(descricao);
        Campo("VlCotado").SetAsFloat(valor);
        Campo("CodGrupo").SetAsInteger(1);
        Tabela.Post();
    }

    TField &Campo(const char *nome) const { return Tabela.FieldByName(QLatin1String(nome)); }
};

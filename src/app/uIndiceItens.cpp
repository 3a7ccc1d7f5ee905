#include "app/uIndiceItens.h"

#include "common/uFuncoesLicitacao.h"
#include "model/uVTExpImpCotacaoDados.h"
#include "model/uVTExpImpCotacaoGrupo.h"
#include "model/uVTExpImpCotacaoGrupos.h"
#include "model/uVTExpImpCotacaoItem.h"
#include "model/uVTExpImpCotacaoItens.h"

#include <QStringList>

#include <map>

bool AcimaDoMaximo(double cotado, double maximo)
{
    return maximo > 0 && maximo < cotado;
}

void TIndiceItens::Montar(const TDadosCotacao &cotacao, bool porCota)
{
    m_entradas.clear();
    // Rows shown so far under each choice of lot or quota.
    std::map<int, int> linhas;
    const auto adicionar = [&](const TItem &item, int lote, const TGrupo *grupo) {
        TEntradaItem entrada;
        entrada.Item = &item;
        entrada.Codigo = item.Codigo;
        entrada.Tratamento = item.Tratamento;
        entrada.Lote = lote;
        entrada.CodigoLote = grupo ? grupo->Codigo : 0;
        entrada.Palavras = DobrarTexto(item.DescricaoMatServ + QLatin1Char(' ')
            + item.ObjetoResumidoMatServ + QLatin1Char(' ') + item.ObjetoResumidoItem);
        entrada.Preco = item.ValorCotado;
        entrada.Maximo = item.ValorMaximo;
        entrada.TemMarca = !item.Marca.trimmed().isEmpty();
        bool mostrado = true;
        int escolha = 0;
        if (grupo) {
            const bool reservado = grupo->Tratamento == 3 || grupo->Tratamento == 4;
            mostrado = !reservado || item.Tratamento == grupo->Tratamento;
            escolha = lote;
        } else if (porCota) {
            mostrado = item.Tratamento == 3 || item.Tratamento == 4;
            escolha = item.Tratamento;
        }
        if (mostrado)
            entrada.Linha = linhas[escolha]++;
        m_entradas.push_back(std::move(entrada));
    };
    if (const TItens *itens = cotacao.Itens()) {
        for (int i = 0; i < itens->Count(); ++i)
            adicionar(itens->Item(i), -1, nullptr);
    }
    if (const TGrupos *grupos = cotacao.Grupos()) {
        for (int g = 0; g < grupos->Count(); ++g) {
            const TGrupo &grupo = grupos->Grupo(g);
            for (int i = 0; i < grupo.Itens().Count(); ++i)
                adicionar(grupo.Itens().Item(i), g, &grupo);
        }
    }
}

template<typename Criterio>
int TIndiceItens::Procurar(int de, bool paraTras, Criterio criterio) const
{
    const int total = Count();
    // From no entry, the search starts at the first (or, backwards, at the last).
    if (de < 0 || de >= total)
        de = paraTras ? total : -1;
    for (int passo = 1; passo <= total; ++passo) {
        int indice = (paraTras ? de - passo : de + passo) % total;
        if (indice < 0)
            indice += total;
        const TEntradaItem &entrada = m_entradas[std::size_t(indice)];
        if (entrada.Linha >= 0 && criterio(entrada))
            return indice;
    }
    return -1;
}

int TIndiceItens::Localizar(const QString &texto, int de, bool paraTras) const
{
    const QString procurado = texto.trimmed();
    if (procurado.isEmpty())
        return -1;
    bool ehNumero = false;
    const qint32 numero = procurado.toInt(&ehNumero);
    const QStringList palavras = DobrarTexto(procurado).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return Procurar(de, paraTras, [&](const TEntradaItem &entrada) {
        if (ehNumero && entrada.Codigo == numero)
            return true;
        for (const QString &palavra : palavras) {
            if (!entrada.Palavras.contains(palavra))
                return false;
        }
        return true;
    });
}

int TIndiceItens::ProximoSemPreco(int de) const
{
    return Procurar(de, false, [](const TEntradaItem &entrada) { return !entrada.Cotado(); });
}

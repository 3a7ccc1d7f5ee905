#pragma once

// The quotation that the open and save benchmarks work on: a tender of loose items with
// varied descriptions, a coat of arms and long texts, received as pasta/Cotacao.kvt and opened
// into the tables as the window opens it.
#include "exchange/uVTExpImpCotacao.h"
#include "model/uTabelasCotacao.h"
#include "model/uVTExpImpCotacaoDados.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <iterator>
#include <memory>

inline std::unique_ptr<TDadosCotacao> GerarCotacao(int quantidadeItens)
{
    static const char *const palavras[] = {"Caneta", "esferográfica", "azul", "papel", "A4",
        "resma", "500", "folhas", "cartucho", "tinta", "preta", "grampeador", "médio", "caixa",
        "arquivo", "morto", "pasta", "suspensa", "envelope", "pardo", "lápis", "borracha", "branca",
        "régua", "30cm", "clipe", "metálico", "nº2", "etiqueta", "adesiva"};
    QRandomGenerator aleatorio(20240711);
    const auto palavra
        = [&] { return QString::fromUtf8(palavras[aleatorio.bounded(int(std::size(palavras)))]); };

    auto cotacao = std::make_unique<TDadosCotacao>();
    cotacao->NumeroAlfa = QStringLiteral("7/2024");
    cotacao->EntidadeNome = QStringLiteral("Prefeitura Municipal de São João");
    cotacao->FormaJulgamento = QStringLiteral("Pi");
    cotacao->Modalidade = QStringLiteral("Pr");
    cotacao->CpfCnpjFornecedor = QStringLiteral("11.222.333/0001-81");
    // A small coat of arms and long texts, as hexadecimal text.
    QByteArray imagem(20 * 1024, '\0');
    for (char &byte : imagem)
        byte = char(aleatorio.bounded(256));
    cotacao->BrasaoRelatorio = QString::fromLatin1(imagem.toHex().toUpper());
    cotacao->ObjetoResumido = QString::fromLatin1(QByteArray(2000, 'x').toHex());
    auto itens = std::make_unique<TItens>();
    for (int codigo = 1; codigo <= quantidadeItens; ++codigo) {
        auto item = std::make_unique<TItem>();
        item->Codigo = codigo;
        item->CodigoMatServ = int(aleatorio.bounded(1000000));
        item->Tratamento = 1;
        for (int n = 3 + int(aleatorio.bounded(9)); n > 0; --n)
            item->DescricaoMatServ += palavra() + QLatin1Char(' ');
        item->ObjetoResumidoItem = palavra();
        item->Marca = palavra();
        item->Quantidade = aleatorio.bounded(10000);
        item->ValorEstimado = aleatorio.bounded(100000) / 100.0;
        item->ValorMaximo = item->ValorEstimado * 1.2;
        item->ValorCotado = aleatorio.bounded(100000) / 1000.0;
        itens->Adicionar(std::move(item));
    }
    cotacao->SetItens(std::move(itens));
    return cotacao;
}

// The received file, the tables opened as the window opens them, and the saved document's
// bytes for the floors.
struct CenarioAbrirSalvar
{
    explicit CenarioAbrirSalvar(int quantidade)
        : itens(quantidade)
        , cotacao(GerarCotacao(quantidade))
    {
        GravarArquivoCotacao(*cotacao, pasta.path(), QStringLiteral("Cotacao"));
        bytes = DocumentoDaCotacao(*cotacao);
        tabelas.Abrir();
    }

    QString Pasta() const { return pasta.path() + QLatin1Char('/'); }
    QString Trabalho() const { return trabalho.path() + QLatin1Char('/'); }

    bool Importar(TExpImpCotacao &controlador)
    {
        tabelas.PrepararParaCarga();
        return controlador.Importar(QStringLiteral("Cotacao"), Pasta(), Trabalho(), tabelas.mmDados,
            tabelas.mmGrupos, tabelas.mmItens, tabelas.mmCotas);
    }

    int itens;
    QTemporaryDir pasta;
    QTemporaryDir trabalho;
    std::unique_ptr<TDadosCotacao> cotacao;
    QByteArray bytes;
    TTabelasCotacao tabelas;
};

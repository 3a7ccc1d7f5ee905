#pragma once

// Fixture quotations for the report tests, written as a save writes them (GravarArquivoCotacao)
// and opened as the main window opens them.

#include "exchange/uVTExpImpCotacao.h"
#include "model/uTabelasCotacao.h"
#include "model/uVTExpImpCotacaoDados.h"

#include <QString>

#include <memory>

// A tender header with the given judgement form, modality, number and treatment.
std::unique_ptr<TDadosCotacao> NovaLicitacao(const QString &formaJulgamento,
    const QString &modalidade, const QString &numero, qint32 tratamento = 1);

struct TItemTeste
{
    qint32 Codigo;
    qint32 Tratamento;
    const char *Descricao;
    double Quantidade;
    double ValorCotado;
    const char *Marca = "";
    const char *Observacao = "";
};
void AdicionarItem(TItens &itens, const TItemTeste &item);

// A per-item Pregão 12/2023 with one priced item, total 150.
std::unique_ptr<TDadosCotacao> LicitacaoDeUmItem();

// The text as the file's hexadecimal fields carry it.
QString TextoEmHexa(const QString &texto);

// Opens the container into the tables (opened first when they are not), as the main window
// does; raises when the open fails.
void AbrirCotacao(const QString &arquivo, TExpImpCotacao &controlador, TTabelasCotacao &tabelas);

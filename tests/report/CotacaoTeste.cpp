#include "CotacaoTeste.h"

#include "common/uExcecoes.h"
#include "exchange/uVTExpImpCotacao.h"
#include "exchange/uVTExpImpCotacaoComum.h"
#include "exchange/uVTExpImpCotacaoValidacoes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

std::unique_ptr<TDadosCotacao> NovaLicitacao(const QString &formaJulgamento,
    const QString &modalidade, const QString &numero, qint32 tratamento)
{
    auto cotacao = std::make_unique<TDadosCotacao>();
    cotacao->TipoCotacao = tcLicitacao;
    cotacao->EntidadeCodigo = 1234;
    cotacao->EntidadeSerie = 1;
    cotacao->EntidadeNome = QStringLiteral("Prefeitura Municipal de Santa Aurora");
    cotacao->Ano = 2024;
    cotacao->Sequencia = 3;
    cotacao->FormaJulgamento = formaJulgamento;
    cotacao->ObjetoResumido = TextoEmHexa(QStringLiteral("Aquisição de material de expediente."));
    cotacao->FormaEntrega = QStringLiteral("Un");
    cotacao->NumeroAlfa = numero;
    cotacao->Modalidade = modalidade;
    cotacao->TipoLicitacao = QStringLiteral("Mp");
    cotacao->Tratamento = tratamento;
    cotacao->CpfCnpjFornecedor = QStringLiteral("11.222.333/0001-81");
    return cotacao;
}

void AdicionarItem(TItens &itens, const TItemTeste &dados)
{
    auto item = std::make_unique<TItem>();
    item->Codigo = dados.Codigo;
    item->CodigoMatServ = 1000 + dados.Codigo;
    item->Tratamento = dados.Tratamento;
    item->DescricaoMatServ = QString::fromUtf8(dados.Descricao);
    item->Quantidade = dados.Quantidade;
    item->ValorCotado = dados.ValorCotado;
    item->Marca = QString::fromUtf8(dados.Marca);
    item->Observacao = QString::fromUtf8(dados.Observacao);
    itens.Adicionar(std::move(item));
}

std::unique_ptr<TDadosCotacao> LicitacaoDeUmItem()
{
    auto cotacao
        = NovaLicitacao(QStringLiteral("Pi"), QStringLiteral("Pr"), QStringLiteral("12/2023"));
    auto itens = std::make_unique<TItens>();
    AdicionarItem(*itens, {1, 1, "Caneta esferográfica azul", 100, 1.5, "Bic"});
    cotacao->SetItens(std::move(itens));
    cotacao->ValorTotalCotado = 150;
    return cotacao;
}

QString TextoEmHexa(const QString &texto)
{
    return QString::fromLatin1(texto.toLatin1().toHex().toUpper());
}

void AbrirCotacao(const QString &arquivo, TExpImpCotacao &controlador, TTabelasCotacao &tabelas)
{
    if (!tabelas.mmDados.Active())
        tabelas.Abrir();
    tabelas.PrepararParaCarga();
    QTemporaryDir trabalho;
    const QFileInfo info(arquivo);
    if (!controlador.Importar(info.completeBaseName(), info.absolutePath(),
            trabalho.path() + QLatin1Char('/'), tabelas.mmDados, tabelas.mmGrupos, tabelas.mmItens,
            tabelas.mmCotas))
        throw EVrtException(QStringLiteral("A cotação de teste não abriu."));
}

#include "ComandoProposta.h"

#include "ComandosTabelas.h"
#include "KvtSaida.h"
#include "common/uExcecoes.h"
#include "components/MemTable.h"
#include "exchange/uVTExpImpCotacao.h"
#include "model/uTabelasCotacao.h"
#include "report/uImpressaoCotacao.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr int PesquisaDePrecos = 1;

QString TextoDoValor(const QJsonValue &valor)
{
    if (valor.isDouble())
        return QString::number(valor.toDouble(), 'g', 15);
    return valor.toString();
}

} // namespace

void PreencherFornecedorDoJson(TMemoryTable &mmForneced, const QString &arquivoJson)
{
    QFile arquivo(arquivoJson);
    if (!arquivo.open(QIODevice::ReadOnly))
        throw EVrtException(
            QStringLiteral("Não foi possível ler o arquivo do fornecedor %1.").arg(arquivoJson));
    QJsonParseError erro;
    const QJsonDocument documento = QJsonDocument::fromJson(arquivo.readAll(), &erro);
    if (!documento.isObject())
        throw EVrtException(QStringLiteral("O arquivo do fornecedor %1 não contém um objeto JSON.")
                                .arg(arquivoJson));
    const QJsonObject campos = documento.object();
    for (auto campo = campos.begin(); campo != campos.end(); ++campo) {
        if (!mmForneced.FindField(campo.key()))
            throw EVrtException(
                QStringLiteral("O fornecedor não tem o campo %1.").arg(campo.key()));
    }
    if (mmForneced.IsEmpty())
        mmForneced.Append();
    else
        mmForneced.Edit();
    for (auto campo = campos.begin(); campo != campos.end(); ++campo)
        mmForneced.FieldByName(campo.key()).SetAsString(TextoDoValor(campo.value()));
    mmForneced.Post();
}

int ComandoProposta(const QStringList &argumentos)
{
    TTabelasCotacao tabelas;
    tabelas.Abrir();
    TExpImpCotacao controlador;
    return ExecutarComDiagnostico([&] {
        AbrirNasTabelas(argumentos.at(0), controlador, tabelas);
        if (tabelas.mmDados.FieldByName(QStringLiteral("TipoCotacao")).AsInteger()
            == PesquisaDePrecos)
            throw EVrtException(QStringLiteral(
                "Uma pesquisa de preços não tem proposta impressa: só licitações são impressas."));
        if (argumentos.size() > 2)
            PreencherFornecedorDoJson(tabelas.mmForneced, argumentos.at(2));
        GerarPropostaEmPdf(tabelas, argumentos.at(1));
    });
}

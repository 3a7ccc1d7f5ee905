#include "exchange/uEscritorPlanilha.h"

#include "common/uConversoes.h"
#include "common/uExcecoes.h"
#include "exchange/uColunasPlanilha.h"
#include "exchange/uLeitorPlanilha.h"
#include "model/uItensCotacao.h"
#include "model/uTabelasCotacao.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <array>
#include <xlsxwriter.h>

namespace {

[[noreturn]] void NaoGravou(const QString &arquivo)
{
    throw EVrtException(QStringLiteral("Não foi possível gravar a planilha %1.").arg(arquivo));
}

std::optional<double> Preenchido(const TField &campo)
{
    if (campo.IsNull() || campo.AsFloat() == 0)
        return std::nullopt;
    return campo.AsFloat();
}

// The texts of one row as the CSV holds them.
std::array<QString, QuantidadeColunasPlanilha> TextosCsv(const TItemPlanilha &item)
{
    const auto numero
        = [](std::optional<double> valor) { return valor ? RealParaTexto(*valor) : QString(); };
    return {item.Lote ? QString::number(item.Lote) : QString(), QString::number(item.Item),
        item.Tratamento, item.MaterialServico, RealParaTexto(item.Quantidade),
        numero(item.ValorMaximo), numero(item.ValorCotado), item.Marca, item.Observacao};
}

QString CampoCsv(const QString &texto)
{
    if (!texto.contains(QLatin1Char(';')) && !texto.contains(QLatin1Char('"'))
        && !texto.contains(QLatin1Char('\n')) && !texto.contains(QLatin1Char('\r')))
        return texto;
    QString aspas = texto;
    aspas.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + aspas + QLatin1Char('"');
}

void GravarCsv(const std::vector<TItemPlanilha> &itens, const QString &arquivo)
{
    QString texto;
    const auto linha = [&texto](const QStringList &campos) {
        QStringList escritos;
        for (const QString &campo : campos)
            escritos.append(CampoCsv(campo));
        texto += escritos.join(QLatin1Char(';')) + QLatin1String("\r\n");
    };
    linha(TitulosColunasPlanilha());
    for (const TItemPlanilha &item : itens) {
        const auto textos = TextosCsv(item);
        linha(QStringList(textos.begin(), textos.end()));
    }
    QSaveFile saida(arquivo);
    if (!saida.open(QIODevice::WriteOnly))
        NaoGravou(arquivo);
    saida.write("\xEF\xBB\xBF");
    saida.write(texto.toUtf8());
    if (!saida.commit())
        NaoGravou(arquivo);
}

// Widths in characters: the longest text of the column with a margin, within limits.
std::array<double, QuantidadeColunasPlanilha> Larguras(const std::vector<TItemPlanilha> &itens)
{
    std::array<double, QuantidadeColunasPlanilha> larguras {};
    const auto medir = [&larguras](int coluna, const QString &texto) {
        larguras[std::size_t(coluna)] = qMax(larguras[std::size_t(coluna)], double(texto.size()));
    };
    for (int coluna = 0; coluna < QuantidadeColunasPlanilha; ++coluna)
        medir(coluna, TitulosColunasPlanilha().at(coluna));
    for (const TItemPlanilha &item : itens) {
        const auto textos = TextosCsv(item);
        for (int coluna = 0; coluna < QuantidadeColunasPlanilha; ++coluna)
            medir(coluna, textos[std::size_t(coluna)]);
    }
    for (double &largura : larguras)
        largura = qBound(8.0, largura + 2, 80.0);
    // The answers still to be typed need room of their own.
    larguras[std::size_t(TColunaPlanilha::Marca)]
        = qMax(larguras[std::size_t(TColunaPlanilha::Marca)], 22.0);
    larguras[std::size_t(TColunaPlanilha::Observacao)]
        = qMax(larguras[std::size_t(TColunaPlanilha::Observacao)], 40.0);
    return larguras;
}

class TPastaDeTrabalho
{
public:
    explicit TPastaDeTrabalho(const QString &arquivo)
        : m_pasta(workbook_new(QFile::encodeName(arquivo).constData()))
    { }
    ~TPastaDeTrabalho()
    {
        if (m_pasta)
            workbook_close(m_pasta);
    }
    TPastaDeTrabalho(const TPastaDeTrabalho &) = delete;
    TPastaDeTrabalho &operator=(const TPastaDeTrabalho &) = delete;

    lxw_workbook *Pasta() const { return m_pasta; }
    bool Fechar()
    {
        const lxw_error erro = workbook_close(m_pasta);
        m_pasta = nullptr;
        return erro == LXW_NO_ERROR;
    }

private:
    lxw_workbook *m_pasta;
};

lxw_format *Formato(lxw_workbook *pasta, const char *numero, bool liberado)
{
    lxw_format *formato = workbook_add_format(pasta);
    if (numero)
        format_set_num_format(formato, numero);
    if (liberado)
        format_set_unlocked(formato);
    return formato;
}

void GravarXlsx(const std::vector<TItemPlanilha> &itens, const QString &arquivo)
{
    const QString parcial = arquivo + QStringLiteral(".parcial");
    TPastaDeTrabalho pasta(parcial);
    if (!pasta.Pasta())
        NaoGravou(arquivo);
    lxw_worksheet *folha = workbook_add_worksheet(pasta.Pasta(), "Itens");

    lxw_format *titulo = workbook_add_format(pasta.Pasta());
    format_set_bold(titulo);
    lxw_format *inteiro = Formato(pasta.Pasta(), "0", false);
    lxw_format *texto = Formato(pasta.Pasta(), nullptr, false);
    // Quantities and maximum prices share one picture.
    lxw_format *quantidade = Formato(pasta.Pasta(), "#,##0.00###", false);
    lxw_format *maximo = quantidade;
    lxw_format *cotado = Formato(pasta.Pasta(), "#,##0.00000", true);
    lxw_format *resposta = Formato(pasta.Pasta(), "@", true);

    const auto escreverTexto
        = [&](lxw_row_t linha, TColunaPlanilha coluna, const QString &valor, lxw_format *formato) {
              if (valor.isEmpty())
                  worksheet_write_blank(folha, linha, lxw_col_t(coluna), formato);
              else
                  worksheet_write_string(
                      folha, linha, lxw_col_t(coluna), valor.toUtf8().constData(), formato);
          };
    const auto escreverNumero = [&](lxw_row_t linha, TColunaPlanilha coluna,
                                    std::optional<double> valor, lxw_format *formato) {
        if (valor)
            worksheet_write_number(folha, linha, lxw_col_t(coluna), *valor, formato);
        else
            worksheet_write_blank(folha, linha, lxw_col_t(coluna), formato);
    };

    for (int coluna = 0; coluna < QuantidadeColunasPlanilha; ++coluna)
        escreverTexto(0, TColunaPlanilha(coluna), TitulosColunasPlanilha().at(coluna), titulo);
    lxw_row_t linha = 1;
    for (const TItemPlanilha &item : itens) {
        escreverNumero(linha, TColunaPlanilha::Lote,
            item.Lote ? std::optional<double>(item.Lote) : std::nullopt, inteiro);
        escreverNumero(linha, TColunaPlanilha::Item, item.Item, inteiro);
        escreverTexto(linha, TColunaPlanilha::Tratamento, item.Tratamento, texto);
        escreverTexto(linha, TColunaPlanilha::MaterialServico, item.MaterialServico, texto);
        escreverNumero(linha, TColunaPlanilha::Quantidade, item.Quantidade, quantidade);
        escreverNumero(linha, TColunaPlanilha::ValorMaximo, item.ValorMaximo, maximo);
        escreverNumero(linha, TColunaPlanilha::ValorCotado, item.ValorCotado, cotado);
        escreverTexto(linha, TColunaPlanilha::Marca, item.Marca, resposta);
        escreverTexto(linha, TColunaPlanilha::Observacao, item.Observacao, resposta);
        ++linha;
    }

    const auto larguras = Larguras(itens);
    for (int coluna = 0; coluna < QuantidadeColunasPlanilha; ++coluna)
        worksheet_set_column(
            folha, lxw_col_t(coluna), lxw_col_t(coluna), larguras[std::size_t(coluna)], nullptr);
    worksheet_freeze_panes(folha, 1, 0);
    // No password: the protection only keeps the item data from being changed by mistake;
    // columns and rows may still be resized.
    lxw_protection protecao {};
    protecao.format_columns = 1;
    protecao.format_rows = 1;
    worksheet_protect(folha, nullptr, &protecao);

    if (!pasta.Fechar()) {
        QFile::remove(parcial);
        NaoGravou(arquivo);
    }
    QFile::remove(arquivo);
    if (!QFile::rename(parcial, arquivo)) {
        QFile::remove(parcial);
        NaoGravou(arquivo);
    }
}

} // namespace

std::vector<TItemPlanilha> ItensDaCotacao(TTabelasCotacao &tabelas)
{
    std::vector<TItemPlanilha> itens;
    TMemoryTable &mmItens = tabelas.mmItens;
    const TField &lote = mmItens.FieldByName(QStringLiteral("CodGrupo"));
    const TField &numero = mmItens.FieldByName(QStringLiteral("Item"));
    const TField &material = mmItens.FieldByName(QStringLiteral("DescMaterial"));
    const TField &marca = mmItens.FieldByName(QStringLiteral("ITEMMARCA"));
    const TField &observacao = mmItens.FieldByName(QStringLiteral("itemobservacao"));
    const bool licitacao
        = tabelas.mmDados.FieldByName(QStringLiteral("TipoCotacao")).AsInteger() == 0;
    LerTodosOsItens(mmItens, [&] {
        TItemPlanilha item;
        item.Lote = lote.AsInteger();
        item.Item = numero.AsInteger();
        item.Tratamento = licitacao ? tabelas.mmItensTratamento->DisplayText() : QString();
        item.MaterialServico = material.AsString();
        item.Quantidade = tabelas.mmItensQtdLicitada->AsFloat();
        if (licitacao)
            item.ValorMaximo = tabelas.mmItensVlMaximo->AsFloat();
        item.ValorCotado = Preenchido(*tabelas.mmItensVlCotado);
        item.Marca = marca.AsString();
        item.Observacao = observacao.AsString();
        itens.push_back(std::move(item));
    });
    return itens;
}

void GravarPlanilha(const std::vector<TItemPlanilha> &itens, const QString &arquivo)
{
    const std::optional<TFormatoPlanilha> formato = FormatoPlanilha(arquivo);
    if (formato == TFormatoPlanilha::Xlsx)
        GravarXlsx(itens, arquivo);
    else if (formato == TFormatoPlanilha::Csv)
        GravarCsv(itens, arquivo);
    else
        throw EVrtException(
            QStringLiteral("A planilha só pode ser gravada como .xlsx ou .csv: %1.").arg(arquivo));
}

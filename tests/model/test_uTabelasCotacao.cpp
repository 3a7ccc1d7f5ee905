#include "model/uTabelasCotacao.h"

#include <QStringList>

#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <vector>

namespace {

struct CampoEsperado
{
    const char *nome;
    TFieldType tipo;
    int tamanho;
    TFieldKind tipoCampo;
};

struct TabelaEsperada
{
    const char *tabela;
    std::vector<CampoEsperado> campos;
};

TMemoryTable &TabelaPorNome(TTabelasCotacao &t, const QString &nome)
{
    for (TMemoryTable *tabela : {&t.mmDados, &t.mmGrupos, &t.mmItens, &t.mmCotas, &t.mmForneced})
        if (tabela->Nome() == nome)
            return *tabela;
    throw std::logic_error("tabela desconhecida");
}

// The fields every reader of the tables relies on, in their order: kvt's JSON, the grids'
// columns and the printed proposal all go by these names.
const std::vector<TabelaEsperada> &Declaracoes()
{
    static const std::vector<TabelaEsperada> tabelas {
        {"mmDados",
            {
                {"ELICODIGOCLIENTE", ftInteger, 0, fkData},
                {"ELISERIE", ftInteger, 0, fkData},
                {"ELIBRASAORELATORIO", ftGraphic, 0, fkData},
                {"ELIDESCRICAO", ftString, 255, fkData},
                {"Ano", ftInteger, 0, fkData},
                {"Sequencia", ftInteger, 0, fkData},
                {"FormaJulgamento", ftString, 2, fkData},
                {"Objeto", ftMemo, 0, fkData},
                {"TipoCotacao", ftInteger, 0, fkData},
                {"FormaEntregaTipo", ftString, 2, fkData},
                {"FormaEntregaPrazo", ftMemo, 0, fkData},
                {"FormaEntregaLocal", ftMemo, 0, fkData},
                {"PrazoEntregaData", ftDate, 0, fkData},
                {"PrazoEntregaHora", ftTime, 0, fkData},
                {"PrazoEntregaLocal", ftMemo, 0, fkData},
                {"LICNUMEROALFA", ftString, 20, fkData},
                {"LICMODALIDADE", ftString, 2, fkData},
                {"LICTIPO", ftString, 2, fkData},
                {"LICVALORTOTALLICITADO", ftFloat, 0, fkData},
                {"ValorTotalCotado", ftFloat, 0, fkData},
                {"LICLOCALABERTURA", ftMemo, 0, fkData},
                {"LICDATAABERTURA", ftDate, 0, fkData},
                {"LICHORAABERTURA", ftTime, 0, fkData},
                {"LICREGISTROPRECOS", ftBoolean, 0, fkData},
                {"FornecedorCPFCNPJ", ftString, 18, fkData},
                {"LICTRATAMENTO", ftInteger, 0, fkData},
                {"DataEmissao", ftDate, 0, fkData},
                {"Observacao", ftMemo, 0, fkData},
                {"CODIGOPESQUISA", ftInteger, 0, fkCalculated},
            }},
        {"mmGrupos",
            {
                {"CodGrupo", ftSmallint, 0, fkData},
                {"Tratamento", ftInteger, 0, fkData},
                {"DescGrupo", ftString, 70, fkData},
                {"VlTotal", ftFloat, 0, fkData},
            }},
        {"mmItens",
            {
                {"Item", ftSmallint, 0, fkData},
                {"Tratamento", ftInteger, 0, fkData},
                {"CodMaterial", ftInteger, 0, fkData},
                {"DescMaterial", ftString, 900, fkData},
                {"QtdLicitada", ftFloat, 0, fkData},
                {"VlEstimado", ftFloat, 0, fkData},
                {"VlCotado", ftFloat, 0, fkData},
                {"QtdMinima", ftFloat, 0, fkData},
                {"CodGrupo", ftSmallint, 0, fkData},
                {"VlMaximo", ftFloat, 0, fkData},
                {"ITEMMARCA", ftString, 20, fkData},
                {"calcVlTotalCotado", ftFloat, 0, fkCalculated},
                {"itemobservacao", ftString, 255, fkData},
            }},
        {"mmCotas",
            {
                {"CotaCodigo", ftInteger, 0, fkData},
                {"CotaDescricao", ftString, 20, fkData},
                {"ValorTotal", ftFloat, 0, fkData},
            }},
        {"mmForneced",
            {
                {"FORRAZAOSOCIAL", ftString, 80, fkData},
                {"FORNOMEFANTASIA", ftString, 80, fkData},
                {"FORCPFCNPJ", ftString, 18, fkData},
                {"FORENDERECO", ftString, 120, fkData},
                {"FORCIDADE", ftString, 100, fkData},
                {"FORESTADO", ftString, 50, fkData},
                {"FORCEP", ftString, 15, fkData},
                {"FOREMAIL", ftString, 50, fkData},
                {"FORFONEEMPRESA", ftString, 20, fkData},
                {"FORFAXEMPRESA", ftString, 20, fkData},
                {"FORREPRESENTANTE", ftString, 20, fkData},
                {"FORFONEREPRESENTANTE", ftString, 20, fkData},
                {"FORBANCO", ftString, 20, fkData},
                {"FORAGENCIA", ftString, 20, fkData},
                {"FORCONTACORRENTE", ftString, 20, fkData},
            }},
    };
    return tabelas;
}

TEST(TabelasCotacao, DeclaraCadaCampoComNomeTipoETamanho)
{
    TTabelasCotacao t;
    for (const TabelaEsperada &esperada : Declaracoes()) {
        TMemoryTable &tabela = TabelaPorNome(t, QLatin1String(esperada.tabela));
        ASSERT_EQ(tabela.FieldCount(), int(esperada.campos.size())) << esperada.tabela;
        for (int i = 0; i < tabela.FieldCount(); ++i) {
            const CampoEsperado &c = esperada.campos[std::size_t(i)];
            const TField &campo = tabela.Fields(i);
            EXPECT_EQ(campo.FieldName(), QLatin1String(c.nome)) << esperada.tabela << " " << i;
            EXPECT_EQ(campo.DataType(), c.tipo) << c.nome;
            if (c.tipo == ftString) {
                EXPECT_EQ(campo.Size(), c.tamanho) << c.nome;
            }
            EXPECT_EQ(campo.FieldKind(), c.tipoCampo) << c.nome;
        }
    }
}

TEST(TabelasCotacao, ConfiguracoesDasTabelas)
{
    TTabelasCotacao t;
    EXPECT_FALSE(t.mmDados.AutoCalcFields);
    EXPECT_TRUE(t.mmGrupos.RecalcOnIndex);
    EXPECT_TRUE(t.mmCotas.RecalcOnIndex);
    for (TMemoryTable *tabela : {&t.mmDados, &t.mmGrupos, &t.mmItens, &t.mmCotas, &t.mmForneced})
        EXPECT_TRUE(tabela->AutoReposition) << tabela->Nome().toStdString();
}

// Columns of the grids: title, width, visibility, alignment and the required flag.
struct Exibicao
{
    const char *tabela;
    const char *campo;
    const char *titulo;
    int largura; // 0: not checked
    bool visivel;
    bool aEsquerda;
    bool obrigatorio;
};

class ExibicaoDosCampos : public ::testing::TestWithParam<Exibicao>
{
};

TEST_P(ExibicaoDosCampos, ComoAJanelaMostra)
{
    const Exibicao &e = GetParam();
    TTabelasCotacao t;
    const TField &campo
        = TabelaPorNome(t, QLatin1String(e.tabela)).FieldByName(QLatin1String(e.campo));
    EXPECT_EQ(campo.DisplayLabel(), QString::fromUtf8(e.titulo));
    if (e.largura > 0) {
        EXPECT_EQ(campo.DisplayWidth(), e.largura);
    }
    EXPECT_EQ(campo.Visible(), e.visivel);
    if (e.aEsquerda) {
        EXPECT_EQ(campo.Alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }
    EXPECT_EQ(campo.Required(), e.obrigatorio);
}

INSTANTIATE_TEST_SUITE_P(Grades, ExibicaoDosCampos,
    ::testing::Values(Exibicao {"mmItens", "Item", "Item", 5, true, true, true},
        Exibicao {"mmItens", "Tratamento", "Tratamento", 20, true, true, false},
        Exibicao {"mmItens", "CodMaterial", "CodMaterial", 0, false, false, false},
        Exibicao {"mmItens", "DescMaterial", "Material/Serviço", 40, true, false, false},
        Exibicao {"mmItens", "QtdLicitada", "Quantidade", 12, true, false, false},
        Exibicao {"mmItens", "VlEstimado", "Valor Un. Estimado (R$)", 15, true, false, false},
        Exibicao {"mmItens", "VlCotado", "Valor Un. Cotado (R$)", 15, true, false, false},
        Exibicao {"mmItens", "QtdMinima", "Qtd. Minima", 12, false, true, false},
        Exibicao {"mmItens", "CodGrupo", "CodGrupo", 0, false, true, false},
        Exibicao {"mmItens", "VlMaximo", "Valor Máximo (R$)", 0, true, false, false},
        Exibicao {"mmItens", "ITEMMARCA", "Marca", 0, true, false, false},
        Exibicao {"mmItens", "calcVlTotalCotado", "calcVlTotalCotado", 0, false, false, false},
        Exibicao {"mmItens", "itemobservacao", "Observação", 60, true, false, false},
        Exibicao {"mmGrupos", "CodGrupo", "Código", 0, true, true, false},
        Exibicao {"mmGrupos", "Tratamento", "Tratamento", 20, true, true, false},
        Exibicao {"mmGrupos", "DescGrupo", "Descrição do lote", 0, true, false, false},
        Exibicao {"mmGrupos", "VlTotal", "Valor total (R$)", 0, true, false, false},
        Exibicao {"mmCotas", "CotaCodigo", "CotaCodigo", 0, false, false, false},
        Exibicao {"mmCotas", "CotaDescricao", "Cota", 100, true, false, false},
        Exibicao {"mmCotas", "ValorTotal", "Valor total (R$)", 0, true, false, false},
        Exibicao {"mmDados", "LICTRATAMENTO", "Tratamento", 0, true, false, false}));

// Opens the tables as the window does and appends one row to the table, set by the function.
class TabelasAbertas : public ::testing::Test
{
protected:
    void SetUp() override { t.Abrir(); }

    template<typename Preencher>
    void Linha(TMemoryTable &tabela, Preencher &&preencher)
    {
        tabela.Append();
        preencher();
        tabela.Post();
    }

    TTabelasCotacao t;
};

TEST_F(TabelasAbertas, AbrirLigaOAntesDeRolarSoDosLotesEDasCotas)
{
    for (TMemoryTable *tabela : {&t.mmDados, &t.mmGrupos, &t.mmItens, &t.mmCotas, &t.mmForneced})
        EXPECT_TRUE(tabela->Active()) << tabela->Nome().toStdString();
    EXPECT_TRUE(t.mmGrupos.HabilitaBeforeScroll);
    EXPECT_TRUE(t.mmCotas.HabilitaBeforeScroll);
    EXPECT_FALSE(t.mmItens.HabilitaBeforeScroll);
    EXPECT_FALSE(t.mmDados.HabilitaBeforeScroll);
    EXPECT_FALSE(t.mmForneced.HabilitaBeforeScroll);
}

TEST_F(TabelasAbertas, FormatosDeExibicaoEEdicao)
{
    struct Formato
    {
        TField *campo;
        const char *exibicao;
        const char *edicao;
    };
    const Formato formatos[] = {
        {t.mmItensQtdLicitada, "#.#####", ""},
        {t.mmItensVlEstimado, "#,#####0.00000###;0; ", ""},
        {t.mmItensVlCotado, "#,##0.00000;0; ", "0.00000;0"},
        {t.mmItenscalcVlTotalCotado, "#,##0.00;0; ", ""},
        {t.mmItensVlMaximo, "#,#####0.00###;0; ", ""},
        {t.mmGruposVlTotal, "#,##0.00;0; ", "0.00;0"},
        {t.mmDadosValorTotalCotado, "#,##0.00", "0.00;0"},
        {t.mmDadosLICVALORTOTALLICITADO, "#,##0.00", ""},
        {t.mmCotasValorTotal, "#,##0.00;0; ", "0.00;0"},
        {t.mmDadosPrazoEntregaHora, "hh:mm", ""},
        {t.mmDadosLICHORAABERTURA, "hh:mm", ""},
    };
    for (const Formato &f : formatos) {
        EXPECT_EQ(f.campo->DisplayFormat(), QLatin1String(f.exibicao))
            << f.campo->Name().toStdString();
        EXPECT_EQ(f.campo->EditFormat(), QLatin1String(f.edicao)) << f.campo->Name().toStdString();
    }
}

TEST_F(TabelasAbertas, TotalDoItemArredondadoATresCasasComNuloComoZero)
{
    struct Caso
    {
        std::optional<double> quantidade, preco;
        double total;
    };
    for (const Caso &c : {Caso {2.5, 1.23457, 3.086}, Caso {3, 0.0005, 0.002},
             Caso {std::nullopt, 10, 0}, Caso {4, std::nullopt, 0}}) {
        t.mmItens.EmptyTable();
        Linha(t.mmItens, [&] {
            t.mmItens.FieldByName(QStringLiteral("Item")).SetAsInteger(1);
            if (c.quantidade)
                t.mmItensQtdLicitada->SetAsFloat(*c.quantidade);
            if (c.preco)
                t.mmItensVlCotado->SetAsFloat(*c.preco);
        });
        t.mmItens.First();
        EXPECT_DOUBLE_EQ(t.mmItenscalcVlTotalCotado->AsFloat(), c.total);
    }
}

TEST_F(TabelasAbertas, TextosDosCamposCodificados)
{
    struct Caso
    {
        TField *campo;
        QVariant valor;
        const char *texto;
    };
    const Caso casos[] = {
        {t.mmDadosFormaJulgamento, QStringLiteral("Pi"), "Por item"},
        {t.mmDadosFormaJulgamento, QStringLiteral("Gl"), "Global"},
        {t.mmDadosFormaJulgamento, QStringLiteral("Gi"), "Lote"},
        {t.mmDadosFormaJulgamento, QStringLiteral("pi"), ""},
        {t.mmDadosLICTRATAMENTO, 1, "Normal"},
        {t.mmDadosLICTRATAMENTO, 2, "Exclusivo para ME/EPP"},
        {t.mmDadosLICTRATAMENTO, 5, ""},
        {t.mmDadosLICTRATAMENTO, QVariant(), ""},
        {t.mmDadosLICREGISTROPRECOS, true, "Sim"},
        {t.mmDadosLICREGISTROPRECOS, false, "Não"},
        {t.mmDadosLICREGISTROPRECOS, QVariant(), "Não"},
        {t.mmDadosLICMODALIDADE, QStringLiteral("Pr"), "Pregão"},
        {t.mmDadosLICMODALIDADE, QStringLiteral("Le"), "Leilão"},
        {t.mmDadosLICMODALIDADE, QStringLiteral("Cs"), "Concurso"},
        {t.mmDadosLICMODALIDADE, QStringLiteral("Zz"), ""},
        {t.mmDadosFormaEntregaTipo, QStringLiteral("Un"), "Única"},
        {t.mmDadosFormaEntregaTipo, QStringLiteral("Pa"), "Parcelada"},
        {t.mmDadosFormaEntregaTipo, QStringLiteral("un"), ""},
        {t.mmGruposTratamento, 3, "Cota Principal"},
        {t.mmItensTratamento, 4, "Cota Reservada"},
    };
    for (const Caso &c : casos) {
        TMemoryTable &tabela = c.campo->DataSet();
        tabela.EmptyTable();
        Linha(tabela, [&] {
            if (&tabela == &t.mmItens)
                t.mmItens.FieldByName(QStringLiteral("Item")).SetAsInteger(1);
            if (!c.valor.isNull())
                c.campo->SetValue(c.valor);
        });
        tabela.First();
        const QString esperado = QString::fromUtf8(c.texto);
        EXPECT_EQ(c.campo->DisplayText(), esperado)
            << c.campo->Name().toStdString() << " " << c.valor.toString().toStdString();
        EXPECT_EQ(c.campo->Text(), esperado) << c.campo->Name().toStdString();
    }
}

TEST_F(TabelasAbertas, PrepararParaCargaEsvaziaMenosOFornecedor)
{
    Linha(t.mmItens, [&] { t.mmItens.FieldByName(QStringLiteral("Item")).SetAsInteger(1); });
    Linha(t.mmForneced, [&] {
        t.mmForneced.FieldByName(QStringLiteral("FORRAZAOSOCIAL"))
            .SetAsString(QStringLiteral("ACME"));
    });
    for (int i = 0; i < t.mmItens.FieldCount(); ++i)
        t.mmItens.Fields(i).SetReadOnly(true);
    t.mmItens.SetFilter(QStringLiteral("CodGrupo = 2"));
    t.mmItens.SetFiltered(true);

    t.PrepararParaCarga();

    EXPECT_TRUE(t.mmItens.Active());
    EXPECT_TRUE(t.mmItens.IsEmpty());
    EXPECT_FALSE(t.mmItens.Filtered());
    EXPECT_TRUE(t.mmItens.Filter().isEmpty());
    for (int i = 0; i < t.mmItens.FieldCount(); ++i)
        EXPECT_FALSE(t.mmItens.Fields(i).ReadOnly());
    EXPECT_EQ(t.mmForneced.RecordCount(), 1);
}

} // namespace

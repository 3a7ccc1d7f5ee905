#include "common/uExcecoes.h"
#include "messages/uExpLog.h"
#include "model/uTabelasCotacao.h"
#include "support/CotacaoTeste.h"

#include <QStringList>

#include <functional>
#include <gtest/gtest.h>

namespace {

QStringList Linhas(std::initializer_list<const char *> linhas)
{
    QStringList lista;
    for (const char *linha : linhas)
        lista.append(QString::fromUtf8(linha));
    return lista;
}

class Transferencia : public ::testing::Test
{
protected:
    void SetUp() override
    {
        t.Abrir();
        t.PrepararParaCarga();
        ObterLogManager().Limpar();
    }

    bool Preencher(const TDadosCotacao &cotacao)
    {
        return cotacao.PreencherTabelas(t.mmDados, t.mmGrupos, t.mmItens, t.mmCotas);
    }

    void Atualizar(TDadosCotacao &cotacao)
    {
        cotacao.AtualizarDasTabelas(t.mmDados, t.mmGrupos, t.mmItens);
    }

    TField &Campo(TMemoryTable &tabela, const char *nome)
    {
        return tabela.FieldByName(QLatin1String(nome));
    }

    // Goes to the n-th row (from 0) of the table.
    TMemoryTable &Linha(TMemoryTable &tabela, int n)
    {
        tabela.First();
        tabela.MoveBy(n);
        return tabela;
    }

    // Edits the current item row with the function and posts it.
    void EditarItem(int n, const std::function<void()> &editar)
    {
        Linha(t.mmItens, n).Edit();
        editar();
        t.mmItens.Post();
    }

    const QStringList &Log() const { return ObterLogManager().Linhas(); }

    TTabelasCotacao t;
};

TEST_F(Transferencia, LicitacaoPorItemPreencheCabecalhoEItensSoltos)
{
    auto cotacao = LicitacaoTeste(QStringLiteral("Pi"));
    cotacao->CpfCnpjFornecedor = QStringLiteral("11.222.333/0001-81");
    cotacao->RegistroPrecos = true;
    cotacao->DataEntregaProposta = 45510.75; // a date field keeps the date only
    cotacao->HoraEntregaProposta = 45510.75; // a time field the time of day only
    TItem &item = cotacao->Itens()->Item(0);
    item.ObjetoResumidoMatServ = QStringLiteral("  ");
    item.ObjetoResumidoItem = QStringLiteral(" caixa ");
    TItem &outro = cotacao->Itens()->Item(1);
    outro.ObjetoResumidoMatServ = QStringLiteral("resma");
    outro.ObjetoResumidoItem = QStringLiteral("A4");
    outro.Marca = QString(25, QLatin1Char('M'));
    outro.Observacao = QString(300, QLatin1Char('o'));

    ASSERT_TRUE(Preencher(*cotacao));

    EXPECT_EQ(Log(),
        Linhas({"Importando propostas dos itens para a tabela de memória",
            "Propostas dos itens importadas com sucesso.",
            "Dados da licitação carregados com sucesso."}));

    ASSERT_EQ(t.mmDados.RecordCount(), 1);
    t.mmDados.First();
    EXPECT_EQ(Campo(t.mmDados, "ELICODIGOCLIENTE").AsInteger(), 12);
    EXPECT_EQ(
        Campo(t.mmDados, "ELIDESCRICAO").AsString(), QStringLiteral("Prefeitura de São João"));
    EXPECT_EQ(Campo(t.mmDados, "LICNUMEROALFA").AsString(), QStringLiteral("7/2024"));
    EXPECT_EQ(
        Campo(t.mmDados, "FornecedorCPFCNPJ").AsString(), QStringLiteral("11.222.333/0001-81"));
    EXPECT_EQ(Campo(t.mmDados, "Objeto").AsString(), QStringLiteral("Objeto"));
    EXPECT_TRUE(Campo(t.mmDados, "LICREGISTROPRECOS").AsBoolean());
    EXPECT_DOUBLE_EQ(Campo(t.mmDados, "PrazoEntregaData").AsDateTime(), 45510);
    EXPECT_DOUBLE_EQ(Campo(t.mmDados, "PrazoEntregaHora").AsDateTime(), 0.75);
    EXPECT_DOUBLE_EQ(Campo(t.mmDados, "LICVALORTOTALLICITADO").AsFloat(), 1000.5);
    for (const char *pesquisa : {"DataEmissao", "Observacao", "CODIGOPESQUISA"})
        EXPECT_TRUE(Campo(t.mmDados, pesquisa).IsNull()) << pesquisa;
    EXPECT_TRUE(t.mmCotas.IsEmpty());
    EXPECT_TRUE(t.mmGrupos.IsEmpty());

    ASSERT_EQ(t.mmItens.RecordCount(), 2);
    Linha(t.mmItens, 0);
    EXPECT_EQ(Campo(t.mmItens, "Item").AsInteger(), 1);
    EXPECT_EQ(Campo(t.mmItens, "CodMaterial").AsInteger(), 101);
    EXPECT_EQ(Campo(t.mmItens, "CodGrupo").AsInteger(), 0);
    EXPECT_EQ(Campo(t.mmItens, "Tratamento").AsInteger(), 1);
    EXPECT_EQ(Campo(t.mmItens, "DescMaterial").AsString(), QStringLiteral("Material 1 -  caixa "));
    EXPECT_DOUBLE_EQ(Campo(t.mmItens, "VlMaximo").AsFloat(), 12);
    EXPECT_TRUE(Campo(t.mmItens, "QtdMinima").IsNull());
    Linha(t.mmItens, 1);
    EXPECT_EQ(
        Campo(t.mmItens, "DescMaterial").AsString(), QStringLiteral("Material 2 - resma - A4"));
    EXPECT_EQ(Campo(t.mmItens, "ITEMMARCA").AsString(), QString(20, QLatin1Char('M')));
    EXPECT_EQ(Campo(t.mmItens, "itemobservacao").AsString().size(), 255);
}

TEST_F(Transferencia, DescricaoCortadaEm900Caracteres)
{
    auto cotacao = LicitacaoTeste(QStringLiteral("Gl"));
    cotacao->Itens()->Item(0).DescricaoMatServ = QString(890, QLatin1Char('d'));
    cotacao->Itens()->Item(0).ObjetoResumidoItem = QStringLiteral("resumo do item");
    ASSERT_TRUE(Preencher(*cotacao));
    Linha(t.mmItens, 0);
    EXPECT_EQ(Campo(t.mmItens, "DescMaterial").AsString(),
        (QString(890, QLatin1Char('d')) + QStringLiteral(" - resumo do item")).left(900));
}

TEST_F(Transferencia, PesquisaDeixaVaziosOsCamposDaLicitacao)
{
    auto cotacao = PesquisaTeste(QStringLiteral("Gl"));
    ASSERT_TRUE(Preencher(*cotacao));

    t.mmDados.First();
    EXPECT_EQ(Campo(t.mmDados, "CODIGOPESQUISA").AsInteger(), 57);
    EXPECT_DOUBLE_EQ(Campo(t.mmDados, "DataEmissao").AsDateTime(), 45400);
    EXPECT_EQ(Campo(t.mmDados, "Observacao").AsString(), QStringLiteral("Obs"));
    for (const char *licitacao :
        {"LICNUMEROALFA", "LICMODALIDADE", "LICTIPO", "LICVALORTOTALLICITADO", "LICLOCALABERTURA",
            "LICDATAABERTURA", "LICHORAABERTURA", "LICREGISTROPRECOS", "LICTRATAMENTO"})
        EXPECT_TRUE(Campo(t.mmDados, licitacao).IsNull()) << licitacao;
    EXPECT_TRUE(t.mmCotas.IsEmpty());
    for (t.mmItens.First(); !t.mmItens.Eof(); t.mmItens.Next()) {
        for (const char *zero : {"Tratamento", "VlEstimado", "VlMaximo"})
            EXPECT_EQ(Campo(t.mmItens, zero).AsFloat(), 0) << zero;
    }
}

TEST_F(Transferencia, TratamentoQuatroCriaAsDuasCotas)
{
    ASSERT_TRUE(Preencher(*LicitacaoTeste(QStringLiteral("Gl"), 4)));
    EXPECT_EQ(Log().mid(0, 2),
        Linhas({"Importando cotas para a tabela de memória", "Cotas importadas com sucesso."}));
    ASSERT_EQ(t.mmCotas.RecordCount(), 2);
    const std::pair<int, const char *> cotas[] = {{4, "Cota Reservada"}, {3, "Cota Principal"}};
    for (int i = 0; i < 2; ++i) {
        Linha(t.mmCotas, i);
        EXPECT_EQ(Campo(t.mmCotas, "CotaCodigo").AsInteger(), cotas[i].first);
        EXPECT_EQ(Campo(t.mmCotas, "CotaDescricao").AsString(), QString::fromUtf8(cotas[i].second));
        EXPECT_FALSE(Campo(t.mmCotas, "ValorTotal").IsNull());
        EXPECT_EQ(Campo(t.mmCotas, "ValorTotal").AsFloat(), 0);
    }
}

TEST_F(Transferencia, PorLotePreencheLotesEItensComOCodigoDoLote)
{
    auto cotacao = LicitacaoTeste(QStringLiteral("Gi"), 2);
    cotacao->Grupos()->Grupo(1).Valor = 80.25;
    ASSERT_TRUE(Preencher(*cotacao));

    const char *const itensDoLote[] = {"Atualiza as informações dos ites do Grupo...",
        "Importando propostas dos itens para a tabela de memória",
        "Propostas dos itens importadas com sucesso.", "Itens do grupo atualizados com sucesso."};
    QStringList esperado
        = Linhas({"Importando propostas dos grupos de itens para a tabela de memória"});
    for (int lote = 0; lote < 2; ++lote)
        for (const char *linha : itensDoLote)
            esperado.append(QString::fromUtf8(linha));
    esperado += Linhas({"Propostas dos grupos de itens importadas com sucesso.",
        "Dados da licitação carregados com sucesso."});
    EXPECT_EQ(Log(), esperado);

    ASSERT_EQ(t.mmGrupos.RecordCount(), 2);
    Linha(t.mmGrupos, 1);
    EXPECT_EQ(Campo(t.mmGrupos, "CodGrupo").AsInteger(), 2);
    EXPECT_EQ(Campo(t.mmGrupos, "DescGrupo").AsString(), QStringLiteral("Lote 2"));
    EXPECT_EQ(Campo(t.mmGrupos, "Tratamento").AsInteger(), 2);
    EXPECT_DOUBLE_EQ(Campo(t.mmGrupos, "VlTotal").AsFloat(), 80.25);
    ASSERT_EQ(t.mmItens.RecordCount(), 4);
    const int lotes[] = {1, 1, 2, 2};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Campo(Linha(t.mmItens, i), "CodGrupo").AsInteger(), lotes[i]) << i;
}

TEST_F(Transferencia, OutraFormaPreencheSoOCabecalho)
{
    ASSERT_TRUE(Preencher(*LicitacaoTeste(QStringLiteral("Xx"))));
    EXPECT_EQ(Log(), Linhas({"Dados da licitação carregados com sucesso."}));
    EXPECT_EQ(t.mmDados.RecordCount(), 1);
    EXPECT_TRUE(t.mmItens.IsEmpty());
    EXPECT_TRUE(t.mmGrupos.IsEmpty());
}

TEST_F(Transferencia, ListaAusenteDaFalsoComALinhaDeErro)
{
    struct Caso
    {
        const char *forma;
        const char *erro;
    };
    for (const Caso &c : {Caso {"Pi", "[Erro] Não existe itens para inserir na tabela de memória."},
             Caso {"Gi", "[Erro] Não existe grupos para inserir na tabela de memória."}}) {
        SetUp();
        auto cotacao = LicitacaoTeste(QString::fromUtf8(c.forma));
        cotacao->SetItens(nullptr);
        cotacao->SetGrupos(nullptr);
        EXPECT_FALSE(Preencher(*cotacao)) << c.forma;
        EXPECT_EQ(Log(), Linhas({c.erro, "Dados da licitação carregados com sucesso."}));
    }
}

TEST_F(Transferencia, TextoHexadecimalInvalido)
{
    struct Caso
    {
        QString TDadosCotacao::*propriedade;
        bool daImagem; // one of the five fields loaded last, with their own error line
    };
    const Caso casos[] = {
        {&TDadosCotacao::BrasaoRelatorio, true},
        {&TDadosCotacao::ObjetoResumido, true},
        {&TDadosCotacao::PrazoEntrega, true},
        {&TDadosCotacao::LocalEntregaMatServ, true},
        {&TDadosCotacao::LocalEntregaProposta, true},
        {&TDadosCotacao::LocalAbertura, false},
    };
    for (const Caso &c : casos) {
        SetUp();
        auto cotacao = LicitacaoTeste();
        (*cotacao).*c.propriedade = QStringLiteral("41G2");
        EXPECT_THROW(Preencher(*cotacao), EConvertError);
        QStringList esperado;
        if (c.daImagem)
            esperado.append(QStringLiteral("[Erro] Erro ao adicionar a imagem na memória..."));
        esperado.append(
            QStringLiteral("[Erro] Erro ao inserir as informações na tabela de memória."));
        EXPECT_EQ(Log(), esperado);
        EXPECT_EQ(t.mmDados.State(), dsInsert); // the header row is left unposted
        EXPECT_TRUE(t.mmItens.IsEmpty());
    }
    // The next load starts from clean tables.
    SetUp();
    EXPECT_TRUE(Preencher(*LicitacaoTeste()));
    EXPECT_EQ(t.mmDados.RecordCount(), 1);
}

TEST_F(Transferencia, MemoLidoComoWindows1252EImagemComoBytes)
{
    auto cotacao = LicitacaoTeste();
    cotacao->ObjetoResumido = QStringLiteral("80e9E7"); // euro sign, é, ç
    cotacao->BrasaoRelatorio = QStringLiteral("FFD8ff00");
    ASSERT_TRUE(Preencher(*cotacao));
    t.mmDados.First();
    EXPECT_EQ(Campo(t.mmDados, "Objeto").AsString(), QStringLiteral("€éç"));
    EXPECT_EQ(Campo(t.mmDados, "ELIBRASAORELATORIO").AsBytes(), QByteArray("\xFF\xD8\xFF\x00", 4));
}

TEST_F(Transferencia, AntesDeGravarDesligadoDuranteACargaEReligadoDepois)
{
    int chamadas = 0;
    t.mmItens.BeforePost = [&](TMemoryTable &) { ++chamadas; };
    ASSERT_TRUE(Preencher(*LicitacaoTeste(QStringLiteral("Gi"))));
    EXPECT_EQ(chamadas, 0);
    EXPECT_TRUE(t.mmItens.HabilitaBeforePost);

    // A number beyond the 16-bit field fails the load instead of wrapping around, and the
    // switch is on again.
    SetUp();
    auto cotacao = LicitacaoTeste(QStringLiteral("Pi"));
    cotacao->Itens()->Item(1).Codigo = 40000;
    EXPECT_THROW(Preencher(*cotacao), Exception);
    EXPECT_TRUE(t.mmItens.HabilitaBeforePost);
    EXPECT_EQ(Log(),
        Linhas({"Importando propostas dos itens para a tabela de memória",
            "[Erro] Erro ao importar as propostas dos itens para a tabela de memória.",
            "[Erro] Erro ao inserir as informações na tabela de memória."}));
}

TEST_F(Transferencia, CodigoDeLoteForaDoCampoDe16Bits)
{
    auto cotacao = LicitacaoTeste(QStringLiteral("Gi"));
    cotacao->Grupos()->Grupo(0).Codigo = -40000;
    EXPECT_THROW(Preencher(*cotacao), Exception);
    EXPECT_EQ(Log(),
        Linhas({"Importando propostas dos grupos de itens para a tabela de memória",
            "[Erro] Erro ao importar as propostas dos grupos de itens para a tabela de memória.",
            "[Erro] Erro ao inserir as informações na tabela de memória."}));
}

TEST_F(Transferencia, AtualizaRespostasPelaTriplaDoItem)
{
    auto cotacao = LicitacaoTeste(QStringLiteral("Gl"), 4);
    TItens &itens = *cotacao->Itens();
    itens.Limpar();
    itens.Adicionar(ItemTeste(1, 100, 3));
    itens.Adicionar(ItemTeste(1, 100, 4));
    itens.Adicionar(ItemTeste(1, 100, 3)); // same triple as the first: never updated
    itens.Adicionar(ItemTeste(2, 200, 3)); // no row for it: kept
    ASSERT_TRUE(Preencher(*cotacao));
    // Drop the row of item 2, so that the model keeps its values.
    Linha(t.mmItens, 3).Delete();

    const double precos[] = {1.234567, 2.5, 9};
    for (int i = 0; i < 3; ++i) {
        EditarItem(i, [&] {
            t.mmItensVlCotado->SetAsFloat(precos[i]);
            Campo(t.mmItens, "ITEMMARCA").SetAsString(QStringLiteral("Marca %1").arg(i));
            Campo(t.mmItens, "itemobservacao").SetAsString(QStringLiteral("Obs %1").arg(i));
        });
    }
    itens.Item(3).ValorCotado = 7;
    t.mmDados.First();
    t.mmDados.Edit();
    Campo(t.mmDados, "FornecedorCPFCNPJ").SetAsString(QStringLiteral("123.456.789-09"));
    t.mmDadosValorTotalCotado->SetAsFloat(33.33);
    t.mmDados.Post();
    ObterLogManager().Limpar();

    Atualizar(*cotacao);

    EXPECT_EQ(Log(),
        Linhas({"Atualizando a licitação da tabela de memória pra o objeto...",
            "Atualizando os itens da tabela para os objetos...", "Itens atualizados com sucesso.",
            "Dados da licitação atualizados com sucesso."}));
    EXPECT_EQ(cotacao->CpfCnpjFornecedor, QStringLiteral("123.456.789-09"));
    EXPECT_DOUBLE_EQ(cotacao->ValorTotalCotado, 33.33);
    // The third row has the first item's triple: it overwrites the first item, last row wins.
    EXPECT_DOUBLE_EQ(itens.Item(0).ValorCotado, 9);
    EXPECT_EQ(itens.Item(0).Marca, QStringLiteral("Marca 2"));
    EXPECT_DOUBLE_EQ(itens.Item(1).ValorCotado, 2.5);
    EXPECT_EQ(itens.Item(1).Observacao, QStringLiteral("Obs 1"));
    EXPECT_DOUBLE_EQ(itens.Item(2).ValorCotado, 0);
    EXPECT_TRUE(itens.Item(2).Marca.isEmpty());
    EXPECT_DOUBLE_EQ(itens.Item(3).ValorCotado, 7);
}

TEST_F(Transferencia, PrecoArredondadoACincoCasasEMarcaCortada)
{
    auto cotacao = LicitacaoTeste(QStringLiteral("Pi"));
    cotacao->Itens()->Item(0).Marca = QString(25, QLatin1Char('b'));
    ASSERT_TRUE(Preencher(*cotacao));
    EditarItem(0, [&] { t.mmItensVlCotado->SetAsFloat(1.234567); });
    Atualizar(*cotacao);
    EXPECT_DOUBLE_EQ(cotacao->Itens()->Item(0).ValorCotado, 1.23457);
    EXPECT_EQ(cotacao->Itens()->Item(0).Marca, QString(20, QLatin1Char('b')));
}

TEST_F(Transferencia, AtualizaLotesComOsItensDeCadaLote)
{
    auto cotacao = PesquisaTeste(QStringLiteral("Gi"));
    ASSERT_TRUE(Preencher(*cotacao));
    // Both lots hold items 1 and 2 of the same materials: each lot takes its own rows only,
    // also when the item table shows every row.
    for (int i = 0; i < 4; ++i)
        EditarItem(i, [&] { t.mmItensVlCotado->SetAsFloat(10 + i); });
    for (int lote = 0; lote < 2; ++lote) {
        Linha(t.mmGrupos, lote).Edit();
        t.mmGruposVlTotal->SetAsFloat(lote == 0 ? 45.678 : 0.005);
        t.mmGrupos.Post();
    }
    ObterLogManager().Limpar();

    Atualizar(*cotacao);

    const char *const itensDoLote[] = {"Atualiza as informações dos ites do Grupo...",
        "Atualizando os itens da tabela para os objetos...", "Itens atualizados com sucesso.",
        "Itens do grupo atualizados com sucesso."};
    QStringList esperado
        = Linhas({"Atualizando a pesquisa de preços da tabela de memória pra o objeto...",
            "Atualizando os Grupos de itens das tabelas de memoria..."});
    for (int lote = 0; lote < 2; ++lote)
        for (const char *linha : itensDoLote)
            esperado.append(QString::fromUtf8(linha));
    esperado += Linhas({"Grupos atualizados com sucesso.",
        "Dados da pesquisa de preços atualizados com sucesso."});
    EXPECT_EQ(Log(), esperado);

    const TGrupos &grupos = *cotacao->Grupos();
    EXPECT_DOUBLE_EQ(grupos.Grupo(0).Valor, 45.68);
    EXPECT_DOUBLE_EQ(grupos.Grupo(1).Valor, 0.01);
    EXPECT_DOUBLE_EQ(grupos.Grupo(0).Itens().Item(0).ValorCotado, 10);
    EXPECT_DOUBLE_EQ(grupos.Grupo(0).Itens().Item(1).ValorCotado, 11);
    EXPECT_DOUBLE_EQ(grupos.Grupo(1).Itens().Item(0).ValorCotado, 12);
    EXPECT_DOUBLE_EQ(grupos.Grupo(1).Itens().Item(1).ValorCotado, 13);
}

TEST_F(Transferencia, LoteDeCotaAtualizaSoOsItensDaSuaCota)
{
    auto cotacao = LicitacaoTeste(QStringLiteral("Gi"), 1);
    TGrupo &lote = cotacao->Grupos()->Grupo(0);
    lote.Tratamento = 4;
    lote.Itens().Limpar();
    lote.Itens().Adicionar(ItemTeste(1, 101, 4));
    lote.Itens().Adicionar(ItemTeste(2, 102, 3)); // never shown under the reserved lot
    ASSERT_TRUE(Preencher(*cotacao));
    EditarItem(0, [&] { t.mmItensVlCotado->SetAsFloat(5); });
    EditarItem(1, [&] { t.mmItensVlCotado->SetAsFloat(99); });

    Atualizar(*cotacao);
    EXPECT_DOUBLE_EQ(lote.Itens().Item(0).ValorCotado, 5);
    EXPECT_DOUBLE_EQ(lote.Itens().Item(1).ValorCotado, 0);
}

} // namespace
